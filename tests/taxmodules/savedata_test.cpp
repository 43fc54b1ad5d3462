// Saved data of the form managers: copy blobs, module and form maps, the version-mapped load
// and the prior-year import, as the return document uses them.
#include "moduletest.h"
#include "savedata.h"

#include <algorithm>

namespace {

using SaveDataTest = TaxModuleTest;

struct Saved {
    int form;
    std::string bytes;
};

std::string dataOf(CFormCopy* copy) {
    std::string bytes(std::size_t(copy->GetDataSize()), '\0');
    EXPECT_EQ(copy->GetData(bytes.data(), int(bytes.size())), int(bytes.size()));
    return bytes;
}

std::string formMapOf(CFormManager* fm, int form) {
    std::string bytes(std::size_t(fm->GetFormMapSize(form)), '\0');
    EXPECT_EQ(fm->GetFormMap(form, bytes.data(), int(bytes.size())), int(bytes.size()));
    return bytes;
}

std::string moduleMapOf(CFormManager* fm) {
    std::string bytes(std::size_t(fm->GetModuleMapSize()), '\0');
    EXPECT_EQ(fm->GetModuleMap(bytes.data(), int(bytes.size())), int(bytes.size()));
    return bytes;
}

// A return with a deleted copy (so numbers have a gap), a child copy, an override and an
// estimate: everything a copy blob has to carry.
class ReturnFixture : public SaveDataTest {
protected:
    void build() {
        fm = formManager("FEDCALC.so");
        CFormCopy* gone = newCopy(fm, "USDW2");
        CFormCopy* acme = newCopy(fm, "USDW2");
        enterText(field(acme, "EMPLOYER"), "Acme Tools");
        enterMoney(field(acme, "WAGES"), 3000000);
        enterMoney(field(acme, "FEDWH"), 350000);
        field(acme, "FEDWH")->SetFlag(FF_ESTIMATED, 1);
        CFormCopy* beta = newCopy(fm, "USDW2");
        enterText(field(beta, "EMPLOYER"), "Beta Mills");
        enterMoney(field(beta, "WAGES"), 1000000);
        fm->DeleteFormCopy(gone);
        CFormCopy* extra = newCopy(fm, "USDW2C");
        extra->SetParentCopy(beta, 1);
        enterText(field(extra, "CODE"), "DD");
        enterMoney(field(extra, "AMOUNT"), 12345);
        CField* l21 = field(fm, "USF1040", 1, "L21");
        enterMoney(l21, 50000);
        CField* l7 = field(fm, "USF1040", 1, "L7");
        l7->SetFlag(FF_OVERRIDDEN, 1);
        enterMoney(l7, 2500000);
        enterChoice(field(fm, "USF1040", 1, "FS"), 3);
        // Sales whose term comes from the dates and, for "Various", from the broker's text.
        for (const char* acquired : {"Various", "01/15/2001"}) {
            CFormCopy* sale = newCopy(fm, "USDCAPGAIN");
            enterText(field(sale, "ACQUIRED"), acquired);
            enterText(field(sale, "LONGSHORT"), "LONG");
            enterText(field(sale, "SOLD"), "01/10/2002");
            enterMoney(field(sale, "SALES"), 900000);
            enterMoney(field(sale, "BASIS"), 200000);
        }
        CFormCopy* business = newCopy(fm, "USSchC");
        enterMoney(field(business, "L1"), 1500000);
        // A depreciation tree two levels below the business.
        CFormCopy* f4562 = newCopy(fm, "USF4562");
        f4562->SetParentCopy(business, 1);
        CFormCopy* asset = newCopy(fm, "USWDEPR");
        asset->SetParentCopy(f4562, 1);
        enterText(field(asset, "ASSETNAME"), "Lathe");
        fm->GetFormCopy(fm->FindForm("USF1040"), 1)->SetCopyFlag(CF_CHANGED | CF_OPEN, 1);
    }
    // Every copy's blob, children first: the loader must not depend on parents coming first.
    std::vector<Saved> save() {
        std::vector<Saved> out;
        for (int form = fm->GetFormCount(); form >= 1; --form) {
            for (int ordinal = 1; ordinal <= fm->GetCopyCount(form); ++ordinal)
                out.push_back({form, dataOf(fm->GetFormCopy(form, ordinal))});
        }
        return out;
    }
    CFormManager* fm = nullptr;
};

TEST_F(ReturnFixture, SameVersionLoadRestoresNumbersParentsTitlesAndValues) {
    build();
    const std::int64_t refund = fm->GetFieldValue("RefundOwe");
    const std::vector<Saved> saved = save();

    CFormManager* loaded = formManager("FEDCALC.so");
    loaded->ClearAll();
    for (const Saved& s : saved) {
        CFormCopy* copy = loaded->AddFormCopy(s.form, 0, 0);
        ASSERT_NE(copy, nullptr);
        ASSERT_EQ(copy->SetData(s.bytes.data(), int(s.bytes.size())), 1);
    }
    loaded->RecalculateAll();

    const int w2 = loaded->FindForm("USDW2");
    CFormCopy* acme = loaded->FindFormCopy(w2, 2);
    CFormCopy* beta = loaded->FindFormCopy(w2, 3);
    ASSERT_TRUE(acme && beta);
    EXPECT_EQ(loaded->FindFormCopy(w2, 1), nullptr);
    EXPECT_EQ(text([&](char* b, int n) { beta->GetCopyTitle(b, n); }), "Beta Mills");
    CFormCopy* extra = loaded->GetFormCopy(loaded->FindForm("USDW2C"), 1);
    ASSERT_NE(extra, nullptr);
    EXPECT_EQ(extra->GetParentCopy(), beta);
    EXPECT_EQ(field(acme, "WAGES")->GetMoney(), 3000000);
    EXPECT_NE(field(acme, "FEDWH")->TestFlag(FF_ESTIMATED), 0);
    CField* l7 = field(loaded, "USF1040", 1, "L7");
    EXPECT_NE(l7->TestFlag(FF_OVERRIDDEN), 0);
    EXPECT_EQ(l7->GetMoney(), 2500000);
    EXPECT_EQ(field(loaded, "USF1040", 1, "FS")->GetChoice(), 3);
    CFormCopy* f1040 = loaded->GetFormCopy(loaded->FindForm("USF1040"), 1);
    EXPECT_NE(f1040->TestFlag(CF_CHANGED), 0);
    EXPECT_EQ(f1040->TestFlag(CF_OPEN), 0); // being open in a window is not saved
    EXPECT_NE(f1040->TestFlag(CF_REQUIRED), 0);
    EXPECT_EQ(loaded->GetFieldValue("RefundOwe"), refund);
    CFormCopy* asset = loaded->GetFormCopy(loaded->FindForm("USWDEPR"), 1);
    ASSERT_NE(asset, nullptr);
    EXPECT_EQ(text([&](char* b, int n) { asset->GetCopyTitle(b, n); }), "Lathe");
    ASSERT_NE(asset->GetParentCopy(), nullptr);
    EXPECT_EQ(asset->GetParentCopy()->GetParentCopy(),
              loaded->GetFormCopy(loaded->FindForm("USSchC"), 1));
    // 7,000 long term (Various) + 7,000 short term (held under a year).
    EXPECT_EQ(money(loaded, "USSchD", "L7"), 700000);
    EXPECT_EQ(money(loaded, "USSchD", "L16"), 700000);
    EXPECT_EQ(money(loaded, "USF1040", "L56"), money(fm, "USF1040", "L56"));
    EXPECT_GT(money(loaded, "USF1040", "L56"), 0);

    // Saving the loaded return gives the same bytes again.
    const std::vector<Saved> again = [&] {
        std::swap(fm, loaded);
        auto s = save();
        std::swap(fm, loaded);
        return s;
    }();
    ASSERT_EQ(again.size(), saved.size());
    for (const Saved& s : saved) {
        EXPECT_NE(std::find_if(again.begin(), again.end(),
                               [&](const Saved& a) { return a.bytes == s.bytes; }),
                  again.end());
    }
}

TEST_F(ReturnFixture, DamagedBlobsAreRefusedAndLeaveTheCopyAlone) {
    build();
    const int w2 = fm->FindForm("USDW2");
    CFormCopy* acme = fm->FindFormCopy(w2, 2);
    const std::string good = dataOf(acme);
    CFormCopy* target = fm->AddFormCopy(w2, 1, 0);
    enterMoney(field(target, "WAGES"), 777);
    const std::string before = dataOf(target);
    std::string trailing = good + "x";
    std::string number2Taken = good; // copy number 2 belongs to Acme
    std::string badSignature = good;
    badSignature[0] = 'X';
    const std::vector<std::string> damaged = {
        good.substr(0, good.size() - 1), good.substr(0, 7), trailing,    badSignature,
        std::string(64, '\xFF'),         std::string(),     number2Taken};
    for (const std::string& bytes : damaged) {
        EXPECT_EQ(target->SetData(bytes.data(), int(bytes.size())), 0) << bytes.size();
        EXPECT_EQ(dataOf(target), before);
    }
    EXPECT_EQ(target->SetData(nullptr, 10), 0);
    char small[4];
    EXPECT_EQ(acme->GetData(small, sizeof small), 0);
}

TEST_F(SaveDataTest, ModuleMapListsTheFormsInIndexOrder) {
    CFormManager* fm = formManager("FEDCALC.so");
    const std::string bytes = moduleMapOf(fm);
    qv::ModuleMap map;
    ASSERT_TRUE(qv::readModuleMap(bytes.data(), int(bytes.size()), map));
    EXPECT_EQ(map.version, text([&](char* b, int n) { fm->GetModuleVersion(b, n); }));
    ASSERT_EQ(int(map.forms.size()), fm->GetFormCount());
    for (int form = 1; form <= fm->GetFormCount(); ++form)
        EXPECT_EQ(map.forms[std::size_t(form - 1)],
                  text([&](char* b, int n) { fm->GetFormName(b, n, form); }));
    char small[4];
    EXPECT_EQ(fm->GetModuleMap(small, sizeof small), 0);
    EXPECT_EQ(fm->GetFormMapSize(0), 0);
}

// An older version of the module numbered the W-2's fields the other way round and had a box
// this version dropped: the saved form map names every saved number.
TEST_F(SaveDataTest, VersionMappedLoadMatchesFieldsByName) {
    CFormManager* fm = formManager("FEDCALC.so");
    const int w2 = fm->FindForm("USDW2");
    CFormCopy* copy = newCopy(fm, "USDW2");
    enterText(field(copy, "EMPLOYER"), "Acme Tools");
    enterMoney(field(copy, "WAGES"), 4200000);
    enterText(field(copy, "STATE"), "IL");
    const std::string mapBytes = formMapOf(fm, w2);
    const std::string blobBytes = dataOf(copy);

    std::vector<qv::FormMapEntry> map;
    qv::CopyBlob blob;
    ASSERT_TRUE(qv::readFormMap(mapBytes.data(), int(mapBytes.size()), map));
    ASSERT_TRUE(qv::readCopyBlob(blobBytes.data(), int(blobBytes.size()), blob));
    const int count = int(map.size());
    for (qv::FormMapEntry& e : map)
        e.number = count + 1 - e.number;
    for (qv::SavedValue& v : blob.values)
        v.number = count + 1 - v.number;
    map.push_back({count + 1, 0, FT_MONEY, "OLDBOX"});
    qv::SavedValue dropped;
    dropped.number = count + 1;
    dropped.type = FT_MONEY;
    dropped.integer = 99;
    blob.values.push_back(dropped);
    blob.copyNumber = 7;
    const std::string oldMap = qv::writeFormMap(map);
    const std::string oldBlob = qv::writeCopyBlob(blob);
    const std::string moduleMap = moduleMapOf(fm);

    CFormManager* loaded = formManager("FEDCALC.so");
    loaded->ClearAll();
    EXPECT_EQ(loaded->ImportFormData("USDW2", "2002.0", moduleMap.data(), int(moduleMap.size()),
                                     nullptr, 0, oldMap.data(), int(oldMap.size()), oldBlob.data(),
                                     int(oldBlob.size())),
              1);
    CFormCopy* imported = loaded->FindFormCopy(w2, 7);
    ASSERT_NE(imported, nullptr);
    EXPECT_EQ(field(imported, "WAGES")->GetMoney(), 4200000);
    EXPECT_EQ(text([&](char* b, int n) { field(imported, "STATE")->GetText(b, n); }), "IL");
    EXPECT_EQ(text([&](char* b, int n) { imported->GetCopyTitle(b, n); }), "Acme Tools");

    // A child saved by that version finds its parent by the parent's restored number.
    CFormCopy* child = newCopy(fm, "USDW2C");
    child->SetParentCopy(copy, 1);
    qv::CopyBlob childBlob;
    const std::string childBytes = dataOf(child);
    ASSERT_TRUE(qv::readCopyBlob(childBytes.data(), int(childBytes.size()), childBlob));
    childBlob.parentNumber = 7;
    const std::string oldChild = qv::writeCopyBlob(childBlob);
    const std::string childMap = formMapOf(fm, fm->FindForm("USDW2C"));
    EXPECT_EQ(loaded->ImportFormData("USDW2C", "2002.0", moduleMap.data(), int(moduleMap.size()),
                                     nullptr, 0, childMap.data(), int(childMap.size()),
                                     oldChild.data(), int(oldChild.size())),
              1);
    EXPECT_EQ(loaded->GetFormCopy(loaded->FindForm("USDW2C"), 1)->GetParentCopy(), imported);

    // A form this version no longer has is skipped; a damaged map fails the load.
    EXPECT_EQ(loaded->ImportFormData("USOLDFORM", "2002.0", nullptr, 0, nullptr, 0, oldMap.data(),
                                     int(oldMap.size()), oldBlob.data(), int(oldBlob.size())),
              1);
    EXPECT_EQ(loaded->ImportFormData("USDW2", "2002.0", nullptr, 0, nullptr, 0, oldMap.data(),
                                     int(oldMap.size()) - 1, oldBlob.data(), int(oldBlob.size())),
              0);
    EXPECT_EQ(loaded->GetCopyCount(w2), 1);
}

TEST_F(SaveDataTest, PriorYearImportTakesOnlyWhatCarriesForward) {
    CFormManager* last = formManager("FEDCALC.so");
    enterText(field(last, "USF1040", 1, "FNAME"), "John");
    enterMoney(field(last, "USF1040", 1, "L8a"), 12000);
    CFormCopy* w2 = newCopy(last, "USDW2");
    enterText(field(w2, "EMPLOYER"), "Acme Tools");
    enterMoney(field(w2, "WAGES"), 3000000);
    enterCheck(last->GetFieldByName("LivesInIL"), 1);
    const int f1040 = last->FindForm("USF1040");
    const int w2Form = last->FindForm("USDW2");
    const int interview = last->FindForm("USFInterview");

    CFormManager* fm = formManager("FEDCALC.so");
    for (int form : {f1040, w2Form, interview}) {
        const std::string map = formMapOf(last, form);
        const std::string data = dataOf(last->GetFormCopy(form, 1));
        const std::string name = text([&](char* b, int n) { last->GetFormName(b, n, form); });
        EXPECT_EQ(fm->ImportPriorYearForm(name.c_str(), "2001.1", nullptr, 0, map.data(),
                                          int(map.size()), data.data(), int(data.size())),
                  1);
    }
    EXPECT_EQ(fm->GetCopyCount(f1040), 1); // filled into the one Form 1040
    CField* first = field(fm, "USF1040", 1, "FNAME");
    EXPECT_EQ(text([&](char* b, int n) { first->GetText(b, n); }), "John");
    EXPECT_NE(first->TestFlag(FF_IMPORTED), 0);
    EXPECT_EQ(field(fm, "USF1040", 1, "L8a")->GetMoney(), 0);
    CFormCopy* imported = fm->GetFormCopy(w2Form, 1);
    ASSERT_NE(imported, nullptr);
    EXPECT_NE(imported->TestFlag(CF_IMPORTED), 0);
    EXPECT_EQ(text([&](char* b, int n) { field(imported, "EMPLOYER")->GetText(b, n); }),
              "Acme Tools");
    EXPECT_EQ(field(imported, "WAGES")->GetMoney(), 0);
    // Where the taxpayer lived fills the one interview copy.
    EXPECT_EQ(fm->GetCopyCount(interview), 1);
    EXPECT_NE(fm->GetFieldFlag("LivesInIL"), 0);
    EXPECT_NE(fm->GetFieldByName("LivesInIL")->TestFlag(FF_IMPORTED), 0);
    EXPECT_EQ(fm->ImportPriorYearForm("USDW2", "2001.1", nullptr, 0, "junk", 4, "junk", 4), 0);
}

} // namespace
