#include "moduletestsupport.h"

#include "app/commandtable.h"
#include "app/mainmenu.h"
#include "app/statemenus.h"
#include "modules/resetstatedlg.h"
#include "modules/selectstatedlg.h"
#include "modules/taxmodule.h"
#include "modules/versioninfodlg.h"
#include "platform/dialogs.h"
#include "platform/inifile.h"
#include "platform/messagebox.h"
#include "testenv.h"

#include <QAction>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>

#include <quorva/formcopy.h>
#include <quorva/formmanager.h>

namespace {

QListWidget* stateList(QDialog& dialog) {
    return qobject_cast<QListWidget*>(pf::dlgItem(&dialog, 1017));
}

std::vector<std::pair<std::string, int>> items(QMenu* menu) {
    std::vector<std::pair<std::string, int>> out;
    for (QAction* action : menu->actions())
        out.emplace_back(action->text().toStdString(), action->data().toInt());
    return out;
}

TEST_F(ModuleListTest, SelectStateTakesCheckedStatesIntoTheReturn) {
    load({"IL"});
    CAddStates dialog(modules, true);
    ASSERT_NE(nullptr, pf::dlgItem(&dialog, 1030)); // the new-state text
    QListWidget* list = stateList(dialog);
    ASSERT_EQ(1, list->count());
    EXPECT_EQ("Illinois", list->item(0)->text().toStdString());
    EXPECT_EQ(Qt::Unchecked, list->item(0)->checkState());
    bool marked = false;
    dialog.setOnAccept([&] { marked = true; });
    list->item(0)->setCheckState(Qt::Checked);
    dialog.accept();
    EXPECT_TRUE(marked);
    EXPECT_EQ(QDialog::Accepted, dialog.result());
    EXPECT_TRUE(modules.FindByName("IL")->IsActive());
}

TEST_F(ModuleListTest, SelectStateRefusalKeepsTheStateAndItsDetails) {
    load({"IL"});
    CTaxModule* il = modules.FindByName("IL");
    il->SetActive(true);
    returnFile.Put("DL_IL_ILSUMMARY_001_X_000", "abc", 3);
    CAddStates dialog(modules, false);
    EXPECT_EQ(nullptr, pf::dlgItem(&dialog, 1030));
    dialog.setRemovalCheck([](CTaxModule& state) {
        return "You must close all " + state.GetModuleName() + " state forms before removing the " +
               state.GetModuleName() + " state module from your return.";
    });
    stateList(dialog)->item(0)->setCheckState(Qt::Unchecked);
    qvtest::expectBox("You must close all IL state forms before removing the IL state module from "
                      "your return.",
                      pf::IDOK, pf::MB_OK | pf::MB_ICONEXCLAMATION);
    dialog.accept();
    EXPECT_EQ(QDialog::Rejected, dialog.result());
    EXPECT_EQ(Qt::Checked, stateList(dialog)->item(0)->checkState());
    EXPECT_TRUE(il->IsActive());
    EXPECT_TRUE(returnFile.Exists("DL_IL_ILSUMMARY_001_X_000"));
}

TEST_F(ModuleListTest, ResetStateDataSkipsAStateWithOpenForms) {
    load({"IL"});
    CTaxModule* il = modules.FindByName("IL");
    il->SetActive(true);
    CFormManager* fm = il->formManager();
    const int form = fm->FindForm("ILSummary");
    ASSERT_NE(0, form);
    ASSERT_GE(fm->GetCopyCount(form), 1);
    fm->GetFormCopy(form, 1)->SetCopyFlag(CF_OPEN, 1);
    returnFile.Put("DN_IL_ILSUMMARY_001_X_000", "abc", 3);

    CResetStateDlg dialog(modules);
    stateList(dialog)->item(0)->setSelected(true);
    qvtest::expectBox("You must first close all Illinois state forms prior to re-setting its data.",
                      pf::IDOK, pf::MB_OK | pf::MB_ICONEXCLAMATION);
    dialog.accept();
    EXPECT_TRUE(returnFile.Exists("DN_IL_ILSUMMARY_001_X_000"));

    fm->GetFormCopy(form, 1)->SetCopyFlag(CF_OPEN, 0);
    CResetStateDlg again(modules);
    stateList(again)->item(0)->setSelected(true);
    again.accept();
    EXPECT_FALSE(returnFile.Exists("DN_IL_ILSUMMARY_001_X_000"));
    EXPECT_TRUE(il->IsActive());
    EXPECT_GE(fm->GetCopyCount(form), 1);
}

TEST_F(ModuleListTest, VersionInformationNamesEachPart) {
    load({"IL"});
    VersionInformation info = ReadVersionInformation(modules);
    EXPECT_NE(std::string::npos, info.text.find("Electronic Filing Module - Not Installed\n"));
    EXPECT_EQ(0u, info.text.find("Federal Version Information:\n    Main Application - "));
    EXPECT_TRUE(info.states.empty()); // the dialog then shows "No States Selected"

    modules.FindByName("IL")->SetActive(true);
    info = ReadVersionInformation(modules);
    ASSERT_EQ(1u, info.states.size());
    EXPECT_EQ("Unknown - Reinstall State", info.states[0].second);
    pf::IniFile::inWinDir("Quorva02.ini").writeString("VersionInfo", "IL1040", "2.07");
    info = ReadVersionInformation(modules);
    EXPECT_EQ((std::pair<std::string, std::string>{"Illinois", "2.07"}), info.states[0]);
}

TEST_F(ModuleListTest, StateMenusListActiveStatesOrAskForOne) {
    load({"IL"});
    QMenuBar bar;
    const qv::MainMenus menus = qv::buildMainMenu(&bar);
    qv::CommandTable commands;
    QMenu* all[] = {menus.stateFilingInstructions, menus.stateFilePaper, menus.stateProgramUpdates,
                    menus.stateFileElectronically, menus.stateEFileChecklist};
    qv::RebuildStateMenus(menus, modules, commands);
    for (QMenu* menu : all)
        EXPECT_EQ((std::vector<std::pair<std::string, int>>{{"Select a state", 32795}}),
                  items(menu));

    modules.FindByName("IL")->SetActive(true);
    qv::RebuildStateMenus(menus, modules, commands);
    const int firstIds[] = {33042, 181, 33171, 33085, 33128};
    for (int i = 0; i < 5; ++i)
        EXPECT_EQ((std::vector<std::pair<std::string, int>>{{"Illinois", firstIds[i]}}),
                  items(all[i]));
}

} // namespace
