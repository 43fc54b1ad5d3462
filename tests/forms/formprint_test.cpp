#include "formviewtestsupport.h"

#include "app/appsettings.h"
#include "forms/formsview.h"
#include "forms/layoutprinter.h"
#include "platform/appprinter.h"

#include <QImage>
#include <QRegularExpression>

#include <cstdlib>

namespace {

using namespace fvtest;

std::string pdfText(const std::string& pdf, int page) {
    const std::string out = qvtest::env().root + "page" + std::to_string(page) + ".txt";
    const std::string command = "pdftotext -layout -f " + std::to_string(page) + " -l " +
                                std::to_string(page) + " '" + pdf + "' '" + out + "'";
    EXPECT_EQ(0, std::system(command.c_str())) << command;
    return qvtest::readFile(out);
}

int pdfPages(const std::string& pdf) {
    const std::string out = qvtest::env().root + "pdfinfo.txt";
    const std::string command = "pdfinfo '" + pdf + "' > '" + out + "'";
    EXPECT_EQ(0, std::system(command.c_str()));
    const QString info = QString::fromStdString(qvtest::readFile(out));
    const QRegularExpressionMatch m =
        QRegularExpression(QStringLiteral("Pages:\\s+(\\d+)")).match(info);
    return m.hasMatch() ? m.captured(1).toInt() : 0;
}

// pdftotext spreads the two blanks of the foot to the text's width.
const QRegularExpression kFoot(QStringLiteral("\\d\\d/\\d\\d/\\d\\d\\s+\\d\\d:\\d\\d[AP]M"));

class FormPrintTest : public FormViewTest {
protected:
    void SetUp() override {
        // Two layout pages: the second starts 11200 units down.
        start({{"USF1040",
                {header(-22400), text("Your first name", -600, 720),
                 entry("FNAME", 1, -900, 720, 2880), entry("L21", 2, -1400, 720, 2880),
                 text("Second page", -11600, 720), entry("LNAME", 3, -12000, 720, 2880)}}});
        CFormCopy* copy = fm->GetFormCopy(form("USF1040"), 1);
        field(copy, "FNAME")->SetText("JOHNQ");
        field(copy, "LNAME")->SetText("TAXPAYER");
        field(copy, "L21")->SetMoney(123456);
        pdf = qvtest::artifactDir() +
              ::testing::UnitTest::GetInstance()->current_test_info()->name() + ".pdf";
        std::remove(pdf.c_str());
        setenv("QUORVA_PRINT_PDF", pdf.c_str(), 1);
    }
    void TearDown() override {
        unsetenv("QUORVA_PRINT_PDF");
        FormViewTest::TearDown();
    }
    std::string pdf;
};

TEST_F(FormPrintTest, PrintingACopyWritesItsValuesPageByPageWithTheDateFoot) {
    qv::settings::writeInt("Print", "DateTime", 1);
    qv::CFormsView view(modules);
    view.resize(800, 600);
    view.InitialUpdate();
    ASSERT_TRUE(view.RunCommand(qv::formcmd::IdPrintCopy));
    ASSERT_EQ(2, pdfPages(pdf));
    const std::string one = pdfText(pdf, 1);
    EXPECT_NE(std::string::npos, one.find("Your first name")) << one;
    EXPECT_NE(std::string::npos, one.find("JOHNQ")) << one;
    EXPECT_NE(std::string::npos, one.find("1,234.56")) << one;
    EXPECT_EQ(std::string::npos, one.find("TAXPAYER")) << one;
    EXPECT_TRUE(QString::fromStdString(one).contains(kFoot)) << one;
    const std::string two = pdfText(pdf, 2);
    EXPECT_NE(std::string::npos, two.find("TAXPAYER")) << two;
    EXPECT_NE(std::string::npos, two.find("Second page")) << two;
    EXPECT_TRUE(QString::fromStdString(two).contains(kFoot)) << two;
}

TEST_F(FormPrintTest, WithoutTheDateTimeSettingThereIsNoFoot) {
    qv::settings::writeInt("Print", "DateTime", 0);
    qv::CLayoutPrinter printer;
    CFormCopy* copy = fm->GetFormCopy(form("USF1040"), 1);
    ASSERT_TRUE(printer.load(*modules.federal(), form("USF1040"), *copy));
    EXPECT_EQ(2, printer.pageCount());
    ASSERT_TRUE(printer.print(pf::appPrinter(), qv::CLayoutPrinter::dateTimeSetting()));
    const std::string one = pdfText(pdf, 1);
    EXPECT_NE(std::string::npos, one.find("JOHNQ")) << one;
    EXPECT_FALSE(QString::fromStdString(one).contains(kFoot)) << one;
}

TEST(LayoutPrinterFoot, TimeFormat) {
    const QRegularExpression exact(QStringLiteral("^\\d\\d/\\d\\d/\\d\\d  \\d\\d:\\d\\d[AP]M$"));
    EXPECT_TRUE(QString::fromStdString(qv::CLayoutPrinter::footText()).contains(exact));
}

// Form 1040 page 1 from the program's own data file, for people to look at.
class Form1040Screenshot : public ModuleListTest {};

TEST_F(Form1040Screenshot, PageOneIsSavedAsAnArtifact) {
    load({});
    ASSERT_EQ(1, modules.InitEmptyReturn());
    CFormManager* fm = modules.federal()->formManager();
    const int index = fm->FindForm("USF1040");
    if (modules.federal()->dataFile().GetLength("USF1040") == 0)
        GTEST_SKIP() << "the program's FEDERAL.DAT carries no Form 1040 layout";
    CFormCopy* copy = fm->GetFormCopy(index, 1);
    copy->GetField(fm->FindField(index, "FNAME", 0))->SetText("JOHN");
    copy->GetField(fm->FindField(index, "LNAME", 0))->SetText("TAXPAYER");
    QWidget window;
    window.resize(1280, 1024);
    auto* page = new qv::CFormPageWnd(modules, &window);
    page->resize(1280, 1024);
    window.show();
    page->OpenCopy({1, std::uint16_t(index), 1, 0});
    QApplication::processEvents();
    ASSERT_TRUE(page->isLoaded());
    const QImage shot = window.grab().toImage();
    const std::string path = qvtest::artifactDir() + "form1040-page1.png";
    ASSERT_TRUE(shot.save(QString::fromStdString(path), "PNG"));
    // Something besides the cream background was drawn.
    int inked = 0;
    for (int y = 0; y < shot.height(); y += 4)
        for (int x = 0; x < shot.width(); x += 4)
            inked += shot.pixelColor(x, y) != QColor(239, 231, 214);
    EXPECT_GT(inked, 500);
}

} // namespace
