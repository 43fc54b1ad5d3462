// qvpage renders real page files through the page window; the pictures stay as artifacts.
#include "testenv.h"

#include <QImage>
#include <QProcess>

#include <gtest/gtest.h>

namespace {

struct ToolRun {
    int code;
    std::string out;
    std::string err;
};

ToolRun qvpage(const QStringList& args) {
    QProcess p;
    p.start(QString::fromStdString(qvtest::binDir() + "qvpage"), args);
    p.waitForFinished(60000);
    return {p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1,
            p.readAllStandardOutput().toStdString(), p.readAllStandardError().toStdString()};
}

} // namespace

TEST(Qvpage, RendersPagesToPngAndPdf) {
    for (const char* name : {"interview", "report", "help"}) {
        const std::string in = qvtest::fixture(std::string("html/") + name + ".htm");
        const std::string png = qvtest::artifactDir() + "qvpage_" + name + ".png";
        const std::string pdf = qvtest::artifactDir() + "qvpage_" + name + ".pdf";
        const ToolRun r = qvpage({"render", QString::fromStdString(in), QString::fromStdString(png),
                                  "--width", "500", "--pdf", QString::fromStdString(pdf)});
        ASSERT_EQ(r.code, 0) << name << r.err;
        QImage img(QString::fromStdString(png));
        ASSERT_FALSE(img.isNull()) << name;
        EXPECT_EQ(img.width(), 500) << name;
        EXPECT_GT(img.height(), 100) << name;
        int dark = 0;
        for (int y = 0; y < img.height(); y += 2) {
            for (int x = 0; x < img.width(); x += 2)
                dark += qGray(img.pixel(x, y)) < 128;
        }
        EXPECT_GT(dark, 200) << name; // text was drawn
        EXPECT_EQ(qvtest::readFile(pdf).substr(0, 5), "%PDF-") << name;
    }
    const ToolRun report =
        qvpage({"render", QString::fromStdString(qvtest::fixture("html/report.htm")),
                QString::fromStdString(qvtest::env().root + "r.png"), "--pdf",
                QString::fromStdString(qvtest::env().root + "r.pdf")});
    EXPECT_NE(report.out.find("r.pdf: 2 page(s)"), std::string::npos) << report.out;
}

TEST(Qvpage, ReportsBadInput) {
    const std::string bad = qvtest::env().root + "bad.htm";
    qvtest::writeFile(bad, "<p>text <!-- open to the end");
    ToolRun r = qvpage({"render", QString::fromStdString(bad),
                        QString::fromStdString(qvtest::env().root + "x.png")});
    EXPECT_EQ(r.code, 1);
    EXPECT_NE(r.err.find("Open Comment at End of HTML File"), std::string::npos) << r.err;
    r = qvpage({"render", QString::fromStdString(qvtest::env().root + "none.htm"),
                QString::fromStdString(qvtest::env().root + "x.png")});
    EXPECT_EQ(r.code, 1);
    EXPECT_EQ(qvpage({"render"}).code, 2);
    EXPECT_EQ(qvpage({"render", "a", "b", "--width", "7"}).code, 2);
}

TEST(Qvpage, RendersBoundControlsAgainstAReturn) {
    const std::string ret = qvtest::env().root + "Page.ta2";
    for (const std::vector<std::string>& args :
         std::vector<std::vector<std::string>>{{"new", ret},
                                               {"set", ret, "USF1040.FNAME", "Ann"},
                                               {"set", ret, "USF1040.FS", "1"},
                                               {"add", ret, "USDW2"},
                                               {"set", ret, "USDW2.EMPLOYER", "Acme Tools"},
                                               {"set", ret, "USDW2.WAGES", "52,000"},
                                               {"set", ret, "USDW2.FEDWH", "6,100.50"}}) {
        const qvtest::ToolRun r = qvtest::runTool("qvreturn", args);
        ASSERT_EQ(r.status, 0) << args[0] << ": " << r.err;
    }
    const QString in = QString::fromStdString(qvtest::fixture("html/boundpage.htm"));
    auto darkness = [](const QImage& img) {
        int dark = 0;
        for (int y = 0; y < img.height(); ++y) {
            for (int x = 0; x < img.width(); ++x)
                dark += qGray(img.pixel(x, y)) < 128;
        }
        return dark;
    };
    const std::string png = qvtest::artifactDir() + "qvpage_bound.png";
    const std::string pdf = qvtest::artifactDir() + "qvpage_bound.pdf";
    const ToolRun r = qvpage({"render", in, QString::fromStdString(png), "--width", "560", "--pdf",
                              QString::fromStdString(pdf), "--return", QString::fromStdString(ret),
                              "--copy", "USDW2,1"});
    ASSERT_EQ(r.code, 0) << r.err;
    EXPECT_EQ(qvtest::readFile(pdf).substr(0, 5), "%PDF-");
    const QImage bound(QString::fromStdString(png));
    ASSERT_FALSE(bound.isNull());

    // The same page outside a return: no values, no copies, the ELSE branch.
    const std::string plainPng = qvtest::env().root + "plain.png";
    ASSERT_EQ(qvpage({"render", in, QString::fromStdString(plainPng), "--width", "560"}).code, 0);
    const QImage plain(QString::fromStdString(plainPng));
    ASSERT_FALSE(plain.isNull());
    EXPECT_NE(bound, plain);
    EXPECT_GT(darkness(bound), darkness(plain) + 200); // the values and copies were drawn

    // A copy the return lacks and a return that is not there are refused.
    EXPECT_EQ(qvpage({"render", in, QString::fromStdString(plainPng), "--return",
                      QString::fromStdString(ret), "--copy", "USDW2,5"})
                  .code,
              1);
    const ToolRun missing = qvpage({"render", in, QString::fromStdString(plainPng), "--return",
                                    QString::fromStdString(qvtest::env().root + "none.ta2")});
    EXPECT_EQ(missing.code, 1);
    EXPECT_NE(missing.err.find("no such file"), std::string::npos) << missing.err;
}
