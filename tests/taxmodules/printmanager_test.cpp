// The print managers of FEDPRINT.so and ILCALC.so: items in their own list and the store's,
// layout and document items, named sets, and supporting-details statements.
#include "moduletest.h"

#include <quorva/detailsstore.h>
#include <quorva/printitem.h>

#include "platform/wmfplayer.h"

#include <cstring>
#include <map>

namespace {

// The program's side: details by field and the print list.
class FakeStore final : public CDetailsStore {
public:
    std::map<CField*, std::string> lists, notes;
    std::vector<CPrintItem*> printed;

    int GetDetailsListSize(CField* f) override { return int(lists[f].size()); }
    int ReadDetailsList(CField* f, void* buffer, int size) override {
        return copy(lists[f], buffer, size);
    }
    int GetDetailsNoteSize(CField* f) override { return int(notes[f].size()); }
    int ReadDetailsNote(CField* f, void* buffer, int size) override {
        return copy(notes[f], buffer, size);
    }
    void AddPrintItem(CPrintItem* item) override {
        if (item)
            printed.push_back(item);
    }
    void ResetPrintItems() override { printed.clear(); }
    CPrintItem* GetPrintItem(int i) override {
        return i >= 0 && std::size_t(i) < printed.size() ? printed[std::size_t(i)] : nullptr;
    }
    int GetPrintItemCount() override { return int(printed.size()); }

private:
    static int copy(const std::string& s, void* buffer, int size) {
        if (s.empty() || size < int(s.size()))
            return 0;
        std::memcpy(buffer, s.data(), s.size());
        return int(s.size());
    }
};

std::string detailsList(const std::vector<std::pair<std::string, std::int64_t>>& items) {
    std::string block(1 + items.size() * DETAILS_ITEM_SIZE, '\0');
    block[0] = char(items.size());
    for (std::size_t i = 0; i < items.size(); ++i) {
        char* p = block.data() + 1 + i * DETAILS_ITEM_SIZE;
        const std::int32_t date = 730864; // 01/15/2002: 365 x 2001 + 500 + 5 - 20 + 14
        std::memcpy(p + DETAILS_DATE_OFFSET, &date, sizeof date);
        std::memcpy(p + DETAILS_DESCRIPTION_OFFSET, items[i].first.c_str(),
                    items[i].first.size() + 1);
        std::memcpy(p + DETAILS_AMOUNT_OFFSET, &items[i].second, sizeof items[i].second);
    }
    return block;
}

std::vector<std::string> texts(CPrintItem* item) {
    std::vector<std::string> out;
    for (int i = 0; i < item->GetElementCount(); ++i)
        out.push_back(item->GetElement(i)->GetText());
    return out;
}

bool has(const std::vector<std::string>& v, const std::string& s) {
    return std::find(v.begin(), v.end(), s) != v.end();
}

class PrintManagerTest : public TaxModuleTest {
protected:
    void SetUp() override {
        fm = formManager("FEDCALC.so");
        pm = printManager("FEDPRINT.so", fm);
        ASSERT_TRUE(fm && pm);
        pm->SetDetailsStore(&store);
        form1040 = fm->GetFormCopy(fm->FindForm("USF1040"), 1);
    }
    FakeStore store;
    CFormManager* fm = nullptr;
    CPrintManager* pm = nullptr;
    CFormCopy* form1040 = nullptr;
};

TEST_F(PrintManagerTest, ReturnPrintsItsFormsFromTheirPageImages) {
    EXPECT_EQ(pm->GetFormManager(), fm);
    newCopy(fm, "USDW2"); // a document received, not filed with the return
    for (const char* form : {"USF1040", "USSchB"})
        EXPECT_NE(pm->CanPrintForm(fm->FindForm(form)), 0) << form;
    for (const char* form : {"USDW2", "USWEFWksht"})
        EXPECT_EQ(pm->CanPrintForm(fm->FindForm(form)), 0) << form;
    EXPECT_EQ(pm->CanPrintForm(0), 0);
    EXPECT_EQ(pm->CanPrintForm(fm->GetFormCount() + 1), 0);
    pm->AddReturn();
    ASSERT_EQ(pm->GetItemCount(), 1);
    ASSERT_EQ(store.GetPrintItemCount(), 1);
    CPrintItem* item = pm->GetItem(0);
    EXPECT_EQ(store.GetPrintItem(0), item);
    EXPECT_NE(item->GetKind(), PIK_LAYOUT);
    EXPECT_NE(item->GetKind(), PIK_DOCUMENT);
    EXPECT_EQ(item->GetItemCopy(), form1040);
    EXPECT_EQ(item->GetPrintManager(), pm);
    EXPECT_EQ(item->GetPageCount(), 2);
    EXPECT_EQ(pm->GetItem(1), nullptr);
    pm->ClearItems();
    EXPECT_EQ(pm->GetItemCount(), 0);
    // A schedule the module keeps at hand prints once the return needs it, from its image.
    enterMoney(field(newCopy(fm, "USD1099INT"), "INTEREST"), 40100);
    pm->AddReturn();
    ASSERT_EQ(pm->GetItemCount(), 2);
    EXPECT_EQ(pm->GetItem(1)->GetItemCopy(), fm->GetFormCopy(fm->FindForm("USSchB"), 1));
    EXPECT_NE(pm->GetItem(1)->GetKind(), PIK_LAYOUT);
    EXPECT_EQ(pm->GetItem(1)->GetPageCount(), 1);
    // Every form of the return prints one way or the other, so the module flags none as
    // unavailable.
    EXPECT_EQ(fm->GetFieldFlag("StopPrint"), 0);
    pm->ClearItems();
}

TEST_F(PrintManagerTest, PageImagesByName) {
    const int size = pm->GetImageSize("USF1040.1");
    ASSERT_GT(size, 22 + 18);
    EXPECT_EQ(pm->GetImageSize("usf1040.1"), size);
    EXPECT_GT(pm->GetImageSize("USF1040.2"), 0);
    EXPECT_EQ(pm->GetImageSize("USF1040.3"), 0);
    EXPECT_EQ(pm->GetImageSize(""), 0);
    std::string bytes(std::size_t(size), '\0');
    EXPECT_EQ(pm->ReadImage("USF1040.1", bytes.data(), size - 1), 0); // buffer too short
    ASSERT_NE(pm->ReadImage("USF1040.1", bytes.data(), size), 0);
    EXPECT_EQ(pm->ReadImage("NOIMAGE", bytes.data(), size), 0);
    pf::WmfPlayer player;
    ASSERT_TRUE(player.load(bytes.data(), bytes.size()));
    EXPECT_EQ(player.bounds(), (pf::Rect{0, 0, 2550, 3300}));
    EXPECT_EQ(player.unitsPerInch(), 300);
    EXPECT_GT(player.recordCount(), 100u);
}

TEST_F(PrintManagerTest, NamedSetsAndDocuments) {
    pm->AddNamedSet("NoSuchSet");
    EXPECT_EQ(pm->GetItemCount(), 0);
    pm->AddNamedSet("printefileforms");
    ASSERT_EQ(pm->GetItemCount(), 1);
    EXPECT_EQ(pm->GetItem(0)->GetItemCopy(), form1040);
    pm->AddDocument("Tax Guide/prepsigconsent.htm");
    ASSERT_EQ(pm->GetItemCount(), 2);
    CPrintItem* doc = pm->GetItem(1);
    EXPECT_EQ(doc->GetKind(), PIK_DOCUMENT);
    EXPECT_EQ(doc->GetItemCopy(), nullptr);
    EXPECT_EQ(text([&](char* b, int n) { doc->GetDocumentPath(b, n); }),
              "Tax Guide/prepsigconsent.htm");
    int window = 0;
    doc->SetWindow(&window);
    EXPECT_EQ(doc->GetWindow(), &window);
    EXPECT_EQ(store.GetPrintItemCount(), 2);
    EXPECT_EQ(pm->GetImageSize("F1040P1"), 0);
    // The signature set holds the e-file worksheet with the PINs.
    pm->ClearItems();
    pm->AddNamedSet("PrintSigAuth");
    ASSERT_EQ(pm->GetItemCount(), 1);
    EXPECT_EQ(pm->GetItem(0)->GetItemCopy(), fm->GetFormCopy(fm->FindForm("USWEFWksht"), 1));
}

TEST_F(PrintManagerTest, DetailsStatementListsItemsTotalAndComment) {
    CField* l21 = field(fm, "USF1040", 1, "L21");
    store.lists[l21] =
        detailsList({{"Jury duty", 1000}, {"Prize", 2050}, {"Returned prize", -500}});
    store.notes[l21] = "Kept receipts\r\nfor all three";
    pm->AddCopyDetails(form1040);
    ASSERT_EQ(pm->GetItemCount(), 1);
    CPrintItem* item = pm->GetItem(0);
    EXPECT_NE(item->GetKind(), PIK_LAYOUT);
    EXPECT_NE(item->GetKind(), PIK_DOCUMENT);
    EXPECT_EQ(item->GetPageCount(), 1);
    const auto t = texts(item);
    for (const char* s : {"Jury duty", "10.00", "20.50", "-5.00", "Total", "25.50", "01/15/2002",
                          "Kept receipts", "for all three", "Federal Form 1040, L21"})
        EXPECT_TRUE(has(t, s)) << s;
    // Amounts are right-aligned in their columns.
    for (int i = 0; i < item->GetElementCount(); ++i) {
        if (std::string(item->GetElement(i)->GetText()) == "25.50") {
            EXPECT_NE(item->GetElement(i)->TestFlag(PEF_RIGHT), 0);
        }
    }
    pm->ClearItems();
    pm->AddReturnDetails();
    EXPECT_EQ(pm->GetItemCount(), 1);
}

TEST_F(PrintManagerTest, LongStatementsContinueOnFurtherPages) {
    std::vector<std::pair<std::string, std::int64_t>> many;
    for (int i = 0; i < 120; ++i)
        many.push_back({"Item " + std::to_string(i), 100});
    const std::string block = detailsList(many);
    CField* l21 = field(fm, "USF1040", 1, "L21");
    pm->AddFieldDetails(l21, block.data(), int(block.size()), "");
    ASSERT_EQ(pm->GetItemCount(), 1);
    CPrintItem* item = pm->GetItem(0);
    EXPECT_EQ(item->GetPageCount(), 3);
    int page = 1;
    for (int i = 0; i < item->GetElementCount(); ++i) {
        CPrintElement* e = item->GetElement(i);
        EXPECT_GE(e->GetPage(), page) << "elements are ordered by page";
        page = e->GetPage();
        if (e->GetType() == PET_TIMESTAMP)
            continue; // drawn at the foot, not on a row
        EXPECT_GE(e->GetRow(), 1);
        EXPECT_LE(e->GetRow(), 64); // 64 rows fit the 3,200-unit frame
    }
    EXPECT_TRUE(has(texts(item), "120.00"));
    // A block shorter than its count byte claims is read for what it holds.
    pm->ClearItems();
    pm->AddFieldDetails(l21, block.data(), 1 + DETAILS_ITEM_SIZE + 10, "");
    EXPECT_TRUE(has(texts(pm->GetItem(0)), "Item 0"));
    EXPECT_FALSE(has(texts(pm->GetItem(0)), "Item 1"));
}

TEST_F(PrintManagerTest, StatePrintManagerPrintsItsOwnForms) {
    CFormManager* ilFm = formManager("ILCALC.so");
    ilFm->AttachFederal(fm);
    ilFm->CreateDefaultForms();
    CPrintManager* ilPm = printManager("ILCALC.so", ilFm);
    ilPm->AttachFederalFormManager(fm);
    ilPm->AttachFederalPrintManager(pm);
    ilPm->SetDetailsStore(&store);
    ilPm->AddReturn();
    ASSERT_EQ(ilPm->GetItemCount(), 1);
    CFormCopy* copy = ilPm->GetItem(0)->GetItemCopy();
    ASSERT_NE(copy, nullptr);
    EXPECT_EQ(copy->GetFormManager(), ilFm);
    EXPECT_EQ(copy->GetFormIndex(), ilFm->FindForm("IL1040"));
    EXPECT_EQ(pm->GetItemCount(), 0);
}

} // namespace
