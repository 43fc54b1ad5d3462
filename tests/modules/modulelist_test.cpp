#include "moduletestsupport.h"

#include "app/fieldhelpers.h"
#include "modules/taxmodule.h"
#include "testenv.h"

#include <quorva/field.h>
#include <quorva/formcopy.h>
#include <quorva/formmanager.h>

#include <filesystem>

namespace {

TEST_F(ModuleListTest, RegisteredStatesLoadWithUpperCaseNamesAndBrokenOnesAreLeftOut) {
    load({"il", "ZZ"}); // there is no ZZCALC.so
    ASSERT_EQ(2, modules.GetCount());
    EXPECT_EQ("FEDERAL", modules.GetByNumber(1)->GetModuleName());
    CTaxModule* il = modules.FindByName("Il");
    ASSERT_NE(nullptr, il);
    EXPECT_EQ("IL", il->GetModuleName());
    EXPECT_EQ("Illinois", il->GetModuleTitle());
    EXPECT_EQ(2, modules.IndexOf("il"));
    EXPECT_EQ(3, modules.IndexOf("ZZ"));
    EXPECT_EQ(nullptr, modules.FindByName("ZZ"));
    EXPECT_EQ(nullptr, modules.GetByNumber(3));
    EXPECT_EQ(il, modules.FindByFormManager(il->formManager()));
    EXPECT_TRUE(modules.federal()->IsFederal());
    EXPECT_FALSE(il->IsFederal());
}

TEST_F(ModuleListTest, FormNamesMapToTheirModules) {
    load({"IL"});
    EXPECT_EQ(modules.federal(), modules.FindByFormName("usF1040"));
    EXPECT_EQ(modules.FindByName("IL"), modules.FindByFormName("ILSummary"));
    EXPECT_EQ(nullptr, modules.FindByFormName("NYIT201"));
    EXPECT_EQ("FEDERAL", ModuleNameOfForm("Us"));
    EXPECT_EQ("NY", ModuleNameOfForm("ny201"));
}

TEST_F(ModuleListTest, ScanFindsStatesInstalledWhileRunning) {
    load({});
    EXPECT_EQ(1, modules.GetCount());
    bool found = true;
    modules.ScanInstalledModules(&found);
    EXPECT_FALSE(found);
    pf::Profile::app().writeString("Modules", "IL", "1");
    modules.ScanInstalledModules(&found);
    EXPECT_TRUE(found);
    EXPECT_EQ(2, modules.GetCount());
    modules.ScanInstalledModules(&found);
    EXPECT_FALSE(found);
}

TEST_F(ModuleListTest, ActivationFollowsTheStateAndRebuildsMenus) {
    load({"IL"});
    CTaxModule* il = modules.FindByName("IL");
    EXPECT_EQ(1, modules.GetActiveCount());
    EXPECT_EQ(modules.federal(), modules.GetActive(1));
    const int before = menuRebuilds;
    il->SetActive(true);
    EXPECT_EQ(2, modules.GetActiveCount());
    EXPECT_EQ(il, modules.GetActive(2));
    EXPECT_EQ(before + 1, menuRebuilds);
    il->SetActive(true); // unchanged: nothing happens
    EXPECT_EQ(before + 1, menuRebuilds);
    modules.federal()->SetActive(false); // the federal module always takes part
    EXPECT_TRUE(modules.federal()->IsActive());
    modules.ResetAll();
    EXPECT_EQ(1, modules.GetActiveCount());
    EXPECT_FALSE(il->IsActive());
}

TEST_F(ModuleListTest, DroppingDetailsRemovesOnlyThatModulesEntries) {
    load({"IL"});
    const char kept[] = "keep";
    for (const char* name : {"DL_IL_ILSUMMARY_001_X_000", "DN_IL_ILSUMMARY_001_X_000",
                             "DL_FEDERAL_USF1040_001_L7_000", "APPDATA"})
        returnFile.Put(name, kept, 4);
    modules.FindByName("IL")->DropModuleDetails();
    EXPECT_EQ(2, returnFile.GetCount());
    EXPECT_TRUE(returnFile.Exists("DL_FEDERAL_USF1040_001_L7_000"));
    EXPECT_TRUE(returnFile.Exists("APPDATA"));
}

TEST_F(ModuleListTest, OpenFormsAndUserChangesAreSeenOnCopies) {
    load({});
    CTaxModule* fed = modules.federal();
    CFormManager* fm = fed->formManager();
    const int form = fm->FindForm("USF1040");
    ASSERT_NE(0, form);
    CFormCopy* copy = fm->GetFormCopy(form, 1);
    ASSERT_NE(nullptr, copy);
    EXPECT_FALSE(fed->HasOpenForms());
    EXPECT_FALSE(fed->IsFormUserModified("usf1040"));
    copy->SetCopyFlag(CF_OPEN, 1);
    copy->SetCopyFlag(CF_USERMODIFIED, 1);
    EXPECT_TRUE(fed->HasOpenForms());
    EXPECT_TRUE(fed->IsFormUserModified("usf1040"));
    EXPECT_FALSE(fed->IsFormUserModified("USDW2"));
}

TEST_F(ModuleListTest, SetFieldByNameEntersACheckField) {
    load({});
    CTaxModule& fed = *modules.federal();
    EXPECT_EQ(0, fed.GetFieldFlag("TP65"));
    ASSERT_TRUE(SetFieldByName(fed, "tp65", true));
    EXPECT_NE(0, fed.GetFieldFlag("TP65"));
    CField* field = fed.formManager()->GetFieldByName("TP65");
    EXPECT_NE(0, field->TestFlag(FF_ENTERED));
    EXPECT_NE(0, field->TestFlag(FF_HASVALUE));
    ASSERT_TRUE(SetFieldByName(fed, "TP65", false));
    EXPECT_EQ(0, fed.GetFieldFlag("TP65"));
    EXPECT_FALSE(SetFieldByName(fed, "NoSuchField", true));
}

TEST(ModuleLoading, FederalNeedsItsPrintLibraryAndDataFile) {
    for (const char* missing : {"FEDPRINT.so", "FEDERAL.DAT"}) {
        std::filesystem::path path = qvtest::env().progDir + missing;
        const auto target = std::filesystem::read_symlink(path);
        std::filesystem::remove(path);
        CModuleList modules;
        EXPECT_EQ(0, modules.LoadModules()) << missing;
        EXPECT_EQ(0, modules.GetCount());
        std::filesystem::create_symlink(target, path);
    }
}

} // namespace
