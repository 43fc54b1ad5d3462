// The layouts the build packs into the module data files: one for every form kind, bound only
// to fields the form manager knows, reachable by Tab, on the page, and readable back as
// source.
#include "layoutcompiler.h"
#include "layoutdump.h"
#include "moduletest.h"

#include "forms/formlayout.h"
#include "storage/datafile.h"

#include <QImage>

#include <map>
#include <set>
#include <sstream>

namespace {

using ModuleLayouts = TaxModuleTest;

struct Module {
    const char* dat;
    const char* calc;
};
const Module kModules[] = {
    {"FEDERAL.DAT", "FEDCALC.so"}, {"IL.DAT", "ILCALC.so"}, {"NH.DAT", "NHCALC.so"}};

std::string upper(std::string s) {
    for (char& c : s)
        if (c >= 'a' && c <= 'z')
            c = char(c - 'a' + 'A');
    return s;
}

std::string entryBytes(CDataFile& file, const std::string& name) {
    std::string bytes(file.GetLength(name), '\0');
    if (!bytes.empty()) {
        EXPECT_EQ(1, file.Get(name, bytes.data())) << name;
    }
    return bytes;
}

TEST_F(ModuleLayouts, ListingShowsALayoutForEveryFormKind) {
    for (const Module& m : kModules) {
        SCOPED_TRACE(m.dat);
        const qvtest::ToolRun r =
            qvtest::runTool("qvdat", {"list", qvtest::buildProgDir() + m.dat});
        ASSERT_EQ(0, r.status) << r.err;
        std::map<std::string, long> listed; // name -> length
        std::istringstream in(r.out);
        for (std::string name, length; std::getline(in, name, '\t') && std::getline(in, length);)
            listed[name] = std::stol(length);
        CFormManager* fm = formManager(m.calc);
        ASSERT_NE(fm, nullptr);
        ASSERT_GT(fm->GetFormCount(), 0);
        for (int form = 1; form <= fm->GetFormCount(); ++form) {
            const std::string name =
                upper(text<64>([&](char* b, int n) { fm->GetFormName(b, n, form); }));
            EXPECT_GT(listed[name], 26) << name << " has no layout (or only a header)";
        }
    }
}

TEST_F(ModuleLayouts, LayoutsBindKnownFieldsReachEveryBoxByTabAndStayOnThePage) {
    std::set<int> kindsUsed;
    for (const Module& m : kModules) {
        SCOPED_TRACE(m.dat);
        CDataFile file;
        ASSERT_EQ(1, file.Open(qvtest::buildProgDir() + m.dat));
        CFormManager* fm = formManager(m.calc);
        ASSERT_NE(fm, nullptr);
        for (int form = 1; form <= fm->GetFormCount(); ++form) {
            const std::string name = text<64>([&](char* b, int n) { fm->GetFormName(b, n, form); });
            SCOPED_TRACE(name);
            const std::string bytes = entryBytes(file, name);
            const qv::LayoutParse parse = qv::ParseLayout(bytes);
            ASSERT_TRUE(parse.complete) << "stops at " << parse.stoppedAt;
            ASSERT_FALSE(parse.records.empty());
            const qv::LayoutRecord& header = parse.records.front();
            ASSERT_EQ(qv::LK_HEADER, header.kind);

            std::multiset<int> controls;
            for (const qv::LayoutRecord& r : parse.records) {
                kindsUsed.insert(r.kind);
                if (&r != &header) {
                    EXPECT_NE(qv::LK_HEADER, r.kind) << "a second header at " << r.offset;
                }
                // On the page: inside its width and above its bottom.
                qv::LayoutBounds b;
                if (r.kind == qv::LK_LINE)
                    b = qv::Normalize({r.y1, r.x1, r.y2 - r.y1, r.x2 - r.x1});
                else if (r.kind != qv::LK_HEADER)
                    b = qv::Normalize(r.box);
                EXPECT_TRUE(b.left >= 0 && b.right <= header.pageWidth && b.top <= 0 &&
                            b.bottom >= header.pageHeight)
                    << "record at " << r.offset << " leaves the page";
                if (!r.isBound())
                    continue;
                controls.insert(r.controlNumber);
                const int element = r.kind == qv::LK_CHOICE ? 0 : r.elementIndex;
                const int number = fm->FindField(form, r.fieldName.c_str(), element);
                EXPECT_NE(0, number) << r.fieldName << "(" << element << ") is unknown";
                if (r.kind == qv::LK_CHOICE) {
                    EXPECT_LE(number + r.fieldOffset, fm->GetFieldCount(form)) << r.fieldName;
                }
            }
            // Tab walks control numbers 1, 2, 3 ... and stops at a gap: every box needs its
            // own number with none left out.
            int expected = 1;
            for (int c : controls)
                EXPECT_EQ(expected++, c) << "control numbers must run 1..n once each";
        }
    }
    for (int kind : {qv::LK_HEADER, qv::LK_TEXT, qv::LK_ENTRY, qv::LK_LINE, qv::LK_OPTION,
                     qv::LK_CHECK, qv::LK_CHOICE, qv::LK_SHAPE, qv::LK_HOTSPOT})
        EXPECT_EQ(1u, kindsUsed.count(kind)) << "no layout uses record kind " << kind;
}

TEST_F(ModuleLayouts, Form1040HasABoxForEveryLineTheModuleKeeps) {
    CDataFile file;
    ASSERT_EQ(1, file.Open(qvtest::buildProgDir() + "FEDERAL.DAT"));
    const qv::LayoutParse parse = qv::ParseLayout(entryBytes(file, "USF1040"));
    std::map<std::string, std::set<int>> bound; // field -> record kinds bound to it
    for (const qv::LayoutRecord& r : parse.records)
        if (r.isBound())
            bound[upper(r.fieldName)].insert(r.kind);
    ASSERT_EQ(-2 * qvdat::kLayoutPageHeight, parse.records.at(0).pageHeight) << "two pages";

    fed = formManager("FEDCALC.so");
    ASSERT_NE(fed, nullptr);
    const int form = fed->FindForm("USF1040");
    for (int number = 1; number <= fed->GetFieldCount(form); ++number) {
        const std::string name =
            text<64>([&](char* b, int n) { fed->GetFieldName(b, n, form, number); });
        if (name.size() > 1 && name[0] == 'L' && name[1] >= '0' && name[1] <= '9') {
            EXPECT_EQ(1u, bound[upper(name)].count(qv::LK_ENTRY)) << name << " has no box";
        }
    }
    for (const char* name : {"FNAME", "LNAME", "SSN", "SPFNAME", "SPLNAME", "SPSSN"})
        EXPECT_EQ(1u, bound[name].count(qv::LK_ENTRY)) << name;
    EXPECT_EQ(1u, bound["FS"].count(qv::LK_CHOICE));
    for (const char* name : {"TP65", "TPBLIND", "SP65", "SPBLIND"})
        EXPECT_EQ(1u, bound[name].count(qv::LK_CHECK)) << name;
}

// Pictures of both pages of Form 1040 for people to look at, from the packed data file.
TEST_F(ModuleLayouts, Form1040PagesRenderFromTheDataFile) {
    for (const char* page : {"1", "2"}) {
        const std::string png = qvtest::artifactDir() + "layout-USF1040-page" + page + ".png";
        const qvtest::ToolRun r =
            qvtest::runTool("qvdat", {"render-layout", qvtest::buildProgDir() + "FEDERAL.DAT",
                                      "USF1040", png, "--page", page, "--dpi", "144"});
        ASSERT_EQ(0, r.status) << r.err;
        const QImage image(QString::fromStdString(png));
        EXPECT_EQ(QSize(970, 1160), image.size()) << "one 9300 x 11200 page and its margin";
    }
}

TEST_F(ModuleLayouts, EveryPackedLayoutDumpsToSourceThatCompilesToTheSameBytes) {
    for (const Module& m : kModules) {
        SCOPED_TRACE(m.dat);
        CDataFile file;
        ASSERT_EQ(1, file.Open(qvtest::buildProgDir() + m.dat));
        CFormManager* fm = formManager(m.calc);
        ASSERT_NE(fm, nullptr);
        for (int form = 1; form <= fm->GetFormCount(); ++form) {
            const std::string name = text<64>([&](char* b, int n) { fm->GetFormName(b, n, form); });
            SCOPED_TRACE(name);
            const std::string bytes = entryBytes(file, name);
            const std::string source = qvdat::FormatLayout(qv::ParseLayout(bytes).records);
            qvdat::LayoutCompiler compiler;
            ASSERT_TRUE(compiler.compileText(source, name)) << compiler.errors().front() << "\n"
                                                            << source;
            EXPECT_EQ(bytes, qv::EncodeLayout(compiler.records()));
        }
    }
}

} // namespace
