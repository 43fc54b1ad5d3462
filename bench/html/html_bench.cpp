// Parse plus layout of pages against Qt's rich-text engine on the same text at the same
// width: (a) an interview page of about 5 KB, (b) a report of tables of about 1 MB.
#include "html/htmldocument.h"
#include "html/htmlparser.h"
#include "html/parserhost.h"
#include "platform/dc.h"

#include <QAbstractTextDocumentLayout>
#include <QFile>
#include <QGuiApplication>
#include <QTextDocument>

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <string>

namespace {

constexpr int kWidth = 600;

class QuietHost final : public qv::ParserHost {
public:
    void showError(const std::string&) const override {}
    std::string onlineSetting(const std::string&) const override { return {}; }
};

std::string readFixture(const char* name) {
    QFile f(QString::fromLatin1(QV_FIXTURES) + QString::fromLatin1(name));
    f.open(QIODevice::ReadOnly);
    const QByteArray b = f.readAll();
    return std::string(b.constData(), std::size_t(b.size()));
}

// An interview page: the fixture's body repeated to about 5 KB.
const std::string& interviewPage() {
    static const std::string page = [] {
        const std::string fixture = readFixture("interview.htm");
        const std::size_t a = fixture.find("<body");
        const std::size_t b = fixture.find("</body>");
        const std::string body = fixture.substr(a, b - a);
        std::string out = "<html><head><title>Filing Status</title></head>";
        while (out.size() < 5000)
            out += body;
        return out + "</body></html>";
    }();
    return page;
}

// A report: tables of four columns with headers, shading and a few spans, to about 1 MB.
const std::string& reportPage() {
    static const std::string page = [] {
        std::string out = "<html><head><title>Report</title></head><body><h1>Capital gains</h1>";
        int n = 0;
        while (out.size() < 1000000) {
            out += "<h3>Account " + std::to_string(n) +
                   "</h3><table border=1 cellspacing=0 cellpadding=2 width=100%>"
                   "<tr bgcolor=silver><th align=left>Description</th><th>Acquired</th>"
                   "<th>Sold</th><th align=right width=15%>Gain</th></tr>";
            for (int r = 0; r < 25; ++r, ++n) {
                out += "<tr><td>" + std::to_string(100 + r) +
                       " sh. Example Corp common stock</td>"
                       "<td align=center>03/0" +
                       std::to_string(r % 9 + 1) + "/2001</td><td align=center>11/1" +
                       std::to_string(r % 9) + "/2002</td><td align=right>$" +
                       std::to_string(n * 37 % 9000) + ".00</td></tr>";
            }
            out += "<tr><td colspan=3><b>Total</b></td><td align=right><b>$1,234.00</b></td></tr>"
                   "</table><p>";
        }
        return out + "</body></html>";
    }();
    return page;
}

void ours(benchmark::State& state, const std::string& page) {
    QuietHost host;
    pf::Dc dc;
    for (auto _ : state) {
        HtmlDocument doc;
        HtmlParser parser(host);
        parser.Parse(doc, doc.anchors, page.data(), page.size());
        benchmark::DoNotOptimize(doc.Layout(dc, kWidth, 4));
    }
    state.SetBytesProcessed(std::int64_t(state.iterations()) * std::int64_t(page.size()));
}

void qtRichText(benchmark::State& state, const std::string& page) {
    const QString html = QString::fromLatin1(page.data(), qsizetype(page.size()));
    for (auto _ : state) {
        QTextDocument doc;
        doc.setHtml(html);
        doc.setTextWidth(kWidth);
        benchmark::DoNotOptimize(doc.documentLayout()->documentSize());
    }
    state.SetBytesProcessed(std::int64_t(state.iterations()) * std::int64_t(page.size()));
}

void BM_Interview_Ours(benchmark::State& s) {
    ours(s, interviewPage());
}
void BM_Interview_QTextDocument(benchmark::State& s) {
    qtRichText(s, interviewPage());
}
void BM_Report_Ours(benchmark::State& s) {
    ours(s, reportPage());
}
void BM_Report_QTextDocument(benchmark::State& s) {
    qtRichText(s, reportPage());
}

BENCHMARK(BM_Interview_Ours)
    ->Unit(benchmark::kMicrosecond)
    ->Repetitions(7)
    ->ReportAggregatesOnly(true);
BENCHMARK(BM_Interview_QTextDocument)
    ->Unit(benchmark::kMicrosecond)
    ->Repetitions(7)
    ->ReportAggregatesOnly(true);
BENCHMARK(BM_Report_Ours)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(2)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);
BENCHMARK(BM_Report_QTextDocument)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);

} // namespace

int main(int argc, char** argv) {
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    QGuiApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
