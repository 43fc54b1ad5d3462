// The federal official pages of a return made with the reference module: element lists in
// page order, values inside their boxes on the character grid, the time stamp setting, the
// barcode of Form 1040 and the not-for-filing mark. Leaves the pages as PNG files for people.
#include "moduletest.h"

#include "layoutimage.h"
#include "printvalue.h"

#include "forms/formlayout.h"
#include "platform/dc.h"
#include "platform/wmfplayer.h"
#include "storage/datafile.h"

#include <quorva/detailsstore.h>
#include <quorva/printitem.h>

#include <QImage>

#include <map>

namespace {

class ListStore final : public CDetailsStore {
public:
    std::vector<CPrintItem*> printed;
    int GetDetailsListSize(CField*) override { return 0; }
    int ReadDetailsList(CField*, void*, int) override { return 0; }
    int GetDetailsNoteSize(CField*) override { return 0; }
    int ReadDetailsNote(CField*, void*, int) override { return 0; }
    void AddPrintItem(CPrintItem* item) override {
        if (item)
            printed.push_back(item);
    }
    void ResetPrintItems() override { printed.clear(); }
    CPrintItem* GetPrintItem(int i) override {
        return i >= 0 && std::size_t(i) < printed.size() ? printed[std::size_t(i)] : nullptr;
    }
    int GetPrintItemCount() override { return int(printed.size()); }
};

struct Element {
    int type, page, row, column, width;
    unsigned flags;
    std::string text;
};

std::vector<Element> elements(CPrintItem* item) {
    std::vector<Element> out;
    for (int i = 0; i < item->GetElementCount(); ++i) {
        CPrintElement* e = item->GetElement(i);
        unsigned flags = 0;
        for (unsigned f : {PEF_RIGHT, PEF_CENTRE, PEF_BOLD, PEF_ITALIC})
            flags |= e->TestFlag(f) ? f : 0;
        out.push_back({e->GetType() & 0xFFFF, e->GetPage(), e->GetRow(), e->GetColumn(),
                       e->GetWidth(), flags, e->GetText()});
    }
    return out;
}

const Element* findText(const std::vector<Element>& list, const std::string& text) {
    for (const Element& e : list) {
        const bool grid = e.type == PET_GRID_BOLD12 || e.type == PET_GRID12 ||
                          e.type == PET_GRID_BOLD12_SHIFT || e.type == PET_GRID_BOLD8 ||
                          e.type == PET_GRID_BOLD10;
        if (grid && e.text == text)
            return &e;
    }
    return nullptr;
}

// The 1040 layout's entry box of a field, in frame coordinates.
struct FrameBox {
    int left, top, right, bottom, page;
};
FrameBox layoutBox(const std::string& field) {
    CDataFile dat;
    EXPECT_EQ(dat.Open(qvtest::buildProgDir() + "FEDERAL.DAT"), 1);
    std::string bytes(dat.GetLength("USF1040"), '\0');
    dat.Get("USF1040", bytes.data());
    const std::vector<qv::LayoutRecord> records = qv::ParseLayout(bytes).records;
    for (const qv::LayoutRecord& r : records) {
        if (r.kind == qv::LK_ENTRY && r.fieldName == field) {
            const qv::LayoutBounds b = qv::Normalize(r.box);
            const int page = qv::LayoutPageOf(b.top);
            const qv::PageMap map(records, page);
            return {qv::ImageX(b.left), map.y(b.top), qv::ImageX(b.right), map.y(b.bottom), page};
        }
    }
    ADD_FAILURE() << "no entry box for " << field;
    return {};
}

// Draws one page of an image item the way the printing library does, simply: the page image
// with the form faces as Arial, grid text in Courier New, the stamp, a frame for a barcode.
void renderPage(CPrintManager* pm, CPrintItem* item, int page, const std::string& file) {
    QImage image(1275, 1650, QImage::Format_RGB32);
    image.fill(Qt::white);
    {
        pf::Dc dc(&image);
        dc.setMapMode(pf::MM_ANISOTROPIC);
        dc.setWindowExt(2550, 3300);
        dc.setViewportExt(1275, 1650);
        dc.setBkMode(pf::TRANSPARENT);
        for (const Element& e : elements(item)) {
            if (e.page != page)
                continue;
            if (e.type == PET_IMAGE) {
                std::string bytes(std::size_t(pm->GetImageSize(e.text.c_str())), '\0');
                pm->ReadImage(e.text.c_str(), bytes.data(), int(bytes.size()));
                pf::WmfPlayer player;
                ASSERT_TRUE(player.load(bytes.data(), bytes.size()));
                player.play(dc, [](pf::WmfRecord& r, pf::Dc& target) {
                    pf::WmfRecord::Font f;
                    if (r.font(f) && f.font.faceName.rfind("TxFnt", 0) == 0) {
                        f.font.weight = f.font.faceName[5] == 'N' ? 400 : 700;
                        f.font.faceName = "Arial";
                        r.setFont(f);
                    }
                    pf::WmfRecord::Text t;
                    if (r.text(t) && target.font().faceName == "Arial") {
                        t.y -= target.textMetrics().internalLeading;
                        r.setText(t);
                    }
                    return true;
                });
                continue;
            }
            const int points = e.type == PET_GRID_BOLD8 ? 8 : e.type == PET_GRID_BOLD10 ? 10 : 12;
            pf::LogFont font;
            font.faceName = "Courier New";
            font.height = -points * 300 / 72;
            font.weight = e.type == PET_GRID12 ? 400 : 700;
            if (e.type == PET_TIMESTAMP) {
                font.height = -8 * 300 / 72;
                font.weight = 400;
                dc.selectFont(font);
                dc.setTextAlign(pf::TA_BASELINE);
                dc.textOut(1100, 3200, "12/11/02  5:00PM");
            } else if (e.type == PET_BARCODE_DRAW) {
                dc.selectBrush(pf::Brush{true});
                dc.rectangle(
                    {30 * e.column, 50 * e.row - 50, 30 * e.column + 600, 50 * e.row + 100});
            } else if (e.type != PET_BARCODE_START && e.type != PET_BARCODE_LINE) {
                dc.selectFont(font);
                dc.setTextAlign(pf::TA_BASELINE);
                int column = e.column;
                const int length = int(e.text.size());
                if (e.flags & PEF_RIGHT)
                    column += e.width - length;
                else if (e.flags & PEF_CENTRE)
                    column += (e.width - length) / 2;
                for (int i = 0; i < length; ++i)
                    dc.textOut(30 * column - 13 + (e.type == PET_GRID_BOLD12_SHIFT ? 15 : 0) +
                                   i * 30 * points / 12,
                               50 * e.row - 10, std::string(1, e.text[std::size_t(i)]));
            }
        }
    }
    EXPECT_TRUE(image.save(QString::fromStdString(qvtest::artifactDir() + file)));
}

// Every amount row of the built Form 1040 prints on a grid row inside its box.
TEST(FederalPageImages, AmountRowsOfTheFormSitOnTheGrid) {
    CDataFile dat;
    ASSERT_EQ(dat.Open(qvtest::buildProgDir() + "FEDERAL.DAT"), 1);
    std::string bytes(dat.GetLength("USF1040"), '\0');
    ASSERT_EQ(dat.Get("USF1040", bytes.data()), 1);
    const std::vector<qv::LayoutRecord> records = qv::ParseLayout(bytes).records;
    const qv::LayoutImages made = qv::RenderLayout(records);
    int rows = 0;
    for (const qv::LayoutRecord& r : records) {
        const qv::LayoutBounds b = qv::Normalize(r.box);
        if (r.kind != qv::LK_ENTRY || b.top - b.bottom != qv::kLayoutRowPitch)
            continue;
        const qv::PageMap& map = made.maps[std::size_t(qv::LayoutPageOf(b.top) - 1)];
        const auto place =
            std::find_if(made.placements.begin(), made.placements.end(),
                         [&](const qv::GridPlacement& p) { return p.field == r.fieldName; });
        ASSERT_NE(place, made.placements.end()) << r.fieldName;
        EXPECT_EQ(map.y(b.top), 50 * place->row - 49) << r.fieldName;
        EXPECT_EQ(map.y(b.bottom), 50 * place->row + 1) << r.fieldName;
        ++rows;
    }
    EXPECT_GE(rows, 40); // the amount lines of both pages
}

class FederalPagesTest : public TaxModuleTest {
protected:
    void SetUp() override {
        fm = formManager("FEDCALC.so");
        pm = printManager("FEDPRINT.so", fm);
        ASSERT_TRUE(fm && pm);
        pm->SetDetailsStore(&store);
        enterText(field(fm, "USF1040", 1, "FNAME"), "JANE");
        enterText(field(fm, "USF1040", 1, "LNAME"), "DOE");
        enterText(field(fm, "USF1040", 1, "SSN"), "123-45-6789");
        enterChoice(field(fm, "USF1040", 1, "FS"), 0);
        CFormCopy* w2 = newCopy(fm, "USDW2");
        enterText(field(w2, "EMPLOYER"), "ACME");
        enterMoney(field(w2, "WAGES"), 5000000);
        enterMoney(field(w2, "FEDWH"), 600000);
        ASSERT_EQ(money(fm, "USF1040", "L7"), 5000000);
    }
    CPrintItem* form1040Item() {
        pm->ClearItems();
        store.printed.clear();
        pm->AddCopy(fm->GetFormCopy(fm->FindForm("USF1040"), 1));
        EXPECT_EQ(pm->GetItemCount(), 1);
        return pm->GetItem(0);
    }
    ListStore store;
    CFormManager* fm = nullptr;
    CPrintManager* pm = nullptr;
};

TEST_F(FederalPagesTest, ElementsInPageOrderWithValuesInTheirBoxes) {
    CPrintItem* item = form1040Item();
    ASSERT_NE(item, nullptr);
    EXPECT_EQ(item->GetPageCount(), 2);
    EXPECT_EQ(item->TestFlag(PIF_NOTFORFILING), 0);
    const std::vector<Element> list = elements(item);
    int page = 1;
    std::map<int, int> images; // page -> index of its image element
    for (std::size_t i = 0; i < list.size(); ++i) {
        EXPECT_GE(list[i].page, page) << "element " << i;
        page = list[i].page;
        if (list[i].type == PET_IMAGE) {
            EXPECT_EQ(list[i].text, "USF1040." + std::to_string(page));
            images[page] = int(i);
        }
    }
    EXPECT_EQ(images.size(), 2u);
    EXPECT_EQ(images[1], 0); // the image comes first, under the values

    // Amounts right-aligned inside their boxes: wages on page 1, taxable income on page 2.
    struct Case {
        const char* field;
        std::string text;
    };
    const std::int64_t l41 = money(fm, "USF1040", "L41");
    ASSERT_GT(l41, 0);
    const bool whole = field(fm, "USF1040", 1, "L41")->TestFlag(FF_WHOLEDOLLARS) != 0;
    for (const Case& c :
         {Case{"L7", "50,000.00"}, Case{"L41", qv::formAmountText(l41, whole, false)}}) {
        const Element* e = findText(list, c.text);
        ASSERT_NE(e, nullptr) << c.field;
        const FrameBox box = layoutBox(c.field);
        EXPECT_EQ(e->page, box.page) << c.field;
        EXPECT_EQ(e->type, PET_GRID_BOLD12) << c.field;
        EXPECT_EQ(e->flags, PEF_RIGHT) << c.field;
        const int end = 30 * (e->column + e->width) - 13; // right edge of the last column
        const int start = end - 30 * int(c.text.size());
        EXPECT_GE(start, box.left) << c.field;
        EXPECT_LE(end, box.right) << c.field;
        EXPECT_GT(50 * e->row - 10, box.top) << c.field;
        EXPECT_LE(50 * e->row - 10, box.bottom) << c.field;
    }
    // Names in the normal weight, left-aligned; empty and zero fields print nothing.
    const Element* name = findText(list, "JANE");
    ASSERT_NE(name, nullptr);
    EXPECT_EQ(name->type, PET_GRID12);
    EXPECT_EQ(name->flags, 0u);
    EXPECT_EQ(findText(list, "0.00"), nullptr);
    EXPECT_EQ(findText(list, ""), nullptr);
    for (const Element& e : list) {
        if (e.type == PET_TIMESTAMP)
            continue;
        EXPECT_GE(e.row, e.type == PET_IMAGE || e.type == PET_BARCODE_START ? 0 : 1);
        EXPECT_LE(e.row, 64); // 64 rows fit the 3,200-unit frame
    }

    // The barcode of the return's key figures, on the last page.
    std::vector<std::string> lines;
    int start = -1, draw = -1;
    for (std::size_t i = 0; i < list.size(); ++i) {
        const Element& e = list[i];
        if (e.type == PET_BARCODE_START)
            start = int(i);
        if (e.type == PET_BARCODE_DRAW)
            draw = int(i);
        if (e.type == PET_BARCODE_LINE) {
            EXPECT_EQ(e.row, int(lines.size()) + 1);
            lines.push_back(e.text);
        }
        if (e.type >= PET_BARCODE_START) {
            EXPECT_EQ(e.page, 2);
        }
    }
    ASSERT_GE(start, 0);
    EXPECT_GT(draw, start + int(lines.size()));
    ASSERT_FALSE(lines.empty());
    EXPECT_EQ(lines[0], "F1040\t2002");
    for (const char* line : {"SSN\t123-45-6789", "FS\t0", "L7\t50000.00"})
        EXPECT_NE(std::find(lines.begin(), lines.end(), line), lines.end()) << line;

    renderPage(pm, item, 1, "fedprint-USF1040-page1.png");
    renderPage(pm, item, 2, "fedprint-USF1040-page2.png");
}

TEST_F(FederalPagesTest, TimeStampFollowsTheSettingAndEstimatesAreNotForFiling) {
    auto stamps = [](CPrintItem* item) {
        int n = 0;
        for (const Element& e : elements(item))
            n += e.type == PET_TIMESTAMP;
        return n;
    };
    EXPECT_EQ(stamps(form1040Item()), 2); // "DateTime" defaults to 1: one per page
    qvtest::writeFile(qvtest::env().settings, "[Print]\ndatetime=0\n");
    EXPECT_EQ(stamps(form1040Item()), 0);
    qvtest::writeFile(qvtest::env().settings, "[Print]\nDateTime=1\n");
    EXPECT_EQ(stamps(form1040Item()), 2);

    CField* l7 = field(fm, "USF1040", 1, "L7");
    l7->SetFlag(FF_ESTIMATED, 1);
    EXPECT_NE(form1040Item()->TestFlag(PIF_NOTFORFILING), 0);
    l7->SetFlag(FF_ESTIMATED, 0);
    EXPECT_EQ(form1040Item()->TestFlag(PIF_NOTFORFILING), 0);
    // An amount wider than its box keeps every digit.
    CFormCopy* w2 = newCopy(fm, "USDW2");
    enterMoney(field(w2, "WAGES"), 123456789);
    const std::vector<Element> big = elements(form1040Item());
    const Element* wages = findText(big, "1,284,567.89");
    ASSERT_NE(wages, nullptr);
    EXPECT_LT(wages->width, 12);
    // Every image item is in the store's list too, in the order added.
    pm->ClearItems();
    store.printed.clear();
    pm->AddReturn();
    ASSERT_EQ(store.GetPrintItemCount(), pm->GetItemCount());
    for (int i = 0; i < pm->GetItemCount(); ++i)
        EXPECT_EQ(store.GetPrintItem(i), pm->GetItem(i));
}

} // namespace
