#include "app/appsettings.h"
#include "app/mainframe.h"
#include "app/taxapp.h"
#include "modules/modulelist.h"
#include "modules/taxmodule.h"
#include "platform/inifile.h"
#include "platform/messagebox.h"
#include "platform/misc.h"
#include "platform/paths.h"
#include "platform/profile.h"
#include "testenv.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <QStringList>
#include <gtest/gtest.h>

#include <filesystem>

namespace {

namespace fs = std::filesystem;

using qv::CTaxApp;

CTaxApp::Options noArguments() {
    return CTaxApp::parseArguments(QStringList{"quorva02"});
}

QAction* findCommand(QMenu* menu, int id) {
    for (QAction* action : menu->actions()) {
        if (QMenu* sub = action->menu()) {
            if (QAction* found = findCommand(sub, id))
                return found;
        } else if (action->data().toInt() == id) {
            return action;
        }
    }
    return nullptr;
}

QAction* findCommand(qv::CMainFrame* frame, int id) {
    for (QAction* top : frame->menuBar()->actions()) {
        if (QAction* found = top->menu() ? findCommand(top->menu(), id) : nullptr)
            return found;
    }
    return nullptr;
}

TEST(Arguments, CommandLine) {
    const auto full = CTaxApp::parseArguments({"quorva02", "--screenshot", "a.png", "Smith.ta2"});
    EXPECT_EQ("a.png", full.screenshotPath);
    EXPECT_EQ("Smith.ta2", full.returnPath);
    EXPECT_EQ("", full.error);
    EXPECT_NE("", CTaxApp::parseArguments({"quorva02", "--screenshot"}).error);
    EXPECT_NE("", CTaxApp::parseArguments({"quorva02", "--bogus"}).error);
    EXPECT_NE("", CTaxApp::parseArguments({"quorva02", "a.ta2", "b.ta2"}).error);
}

TEST(Startup, WritesIniEntriesMakesBackupFolderAndLoadsFederal) {
    CTaxApp app;
    ASSERT_TRUE(app.InitInstance(noArguments()));
    const std::string& prog = qvtest::env().progDir;
    pf::IniFile ini(qvtest::env().winDir + "QUORVA02.INI");
    EXPECT_EQ(prog.substr(0, prog.size() - 1), ini.getString("Quorva02", "Maindir"));
    EXPECT_EQ("1", ini.getString("Quorva02", "Final"));
    EXPECT_TRUE(fs::is_directory(prog + "Auto-Backup"));
    ASSERT_NE(nullptr, app.modules().federal());
    EXPECT_EQ("FEDERAL", app.modules().federal()->GetModuleName());
    EXPECT_TRUE(app.autoSave());
    EXPECT_TRUE(app.autoBackup());
    // IRS publications are not installed, so their help command is gone.
    EXPECT_EQ(nullptr, findCommand(app.mainFrame(), 156));
    app.ExitInstance();
    EXPECT_EQ(1, qv::settings::getInt("DATA", "CLOSED"));
    EXPECT_EQ(0, app.modules().GetCount());
}

TEST(Startup, SwitchesComeFromTheSettingsAndToggleBack) {
    pf::Profile::app().writeInt("DATA", "AUTOSAVE", 0);
    pf::Profile::app().writeString("IRS Pubs", "Location", "/srv/pubs");
    CTaxApp app;
    ASSERT_TRUE(app.InitInstance(noArguments()));
    EXPECT_FALSE(app.autoSave());
    EXPECT_NE(nullptr, findCommand(app.mainFrame(), 156));
    app.mainFrame()->commands().execute(32964);
    EXPECT_TRUE(app.autoSave());
    EXPECT_EQ(1, qv::settings::getInt("DATA", "AUTOSAVE"));
    app.mainFrame()->commands().execute(33020);
    EXPECT_FALSE(app.autoBackup());
    EXPECT_EQ(0, qv::settings::getInt("DATA", "AUTOBACKUP"));
    EXPECT_TRUE(app.mainFrame()->commands().isChecked(32964));
    EXPECT_FALSE(app.mainFrame()->commands().isChecked(33020));
}

TEST(Startup, EndsWhenTheBackupFolderCannotBeMade) {
    // A plain file where the folder belongs.
    qvtest::writeFile(qvtest::env().progDir + "Auto-Backup", "x");
    qvtest::expectBox(
        "Unable to create Auto-Backup directory.\nPlease verify you have room on your drive.",
        pf::IDOK);
    CTaxApp app;
    EXPECT_FALSE(app.InitInstance(noArguments()));
    EXPECT_EQ(0, app.modules().GetCount());
}

TEST(Startup, EndsWithoutTheFederalModule) {
    fs::remove(qvtest::env().progDir + "FEDCALC.so");
    qvtest::expectBox(
        "Unable to open tax module files.\n\nPlease reinstall the program and all state modules.",
        pf::IDOK, pf::MB_OK | pf::MB_ICONSTOP);
    CTaxApp app;
    EXPECT_FALSE(app.InitInstance(noArguments()));
}

TEST(Startup, SmallScreenStartsMaximized) {
    const std::pair<pf::Size, bool> cases[] = {
        {{800, 768}, true}, {{1024, 600}, true}, {{801, 601}, false}};
    for (const auto& [size, maximized] : cases) {
        pf::setScreenSizeOverride(size);
        CTaxApp app;
        ASSERT_TRUE(app.InitInstance(noArguments()));
        EXPECT_EQ(maximized, app.startsMaximized()) << size.width << "x" << size.height;
    }
    pf::setScreenSizeOverride({0, 0});
}

struct RecordingDocument final : qv::StartupDocument {
    bool openSucceeds = true;
    std::vector<std::string> calls;
    bool openReturn(const std::string& path) override {
        calls.push_back("open " + path);
        return openSucceeds;
    }
    bool newReturn() override {
        calls.push_back("new");
        return true;
    }
};

TEST(Startup, OpensTheLastReturnOrFallsBackToANewOne) {
    const std::string last = qvtest::env().root + "Smith.ta2";
    qvtest::writeFile(last, "return");
    pf::setReadOnly(last, true);
    pf::Profile::app().writeString("DATA", "LAST FILE OPENED", last);
    {
        RecordingDocument doc;
        CTaxApp app;
        app.setStartupDocument(&doc);
        ASSERT_TRUE(app.InitInstance(noArguments()));
        EXPECT_EQ(std::vector<std::string>{"open " + last}, doc.calls);
        EXPECT_FALSE(pf::isReadOnly(last));
    }
    {
        RecordingDocument doc;
        doc.openSucceeds = false;
        CTaxApp app;
        app.setStartupDocument(&doc);
        ASSERT_TRUE(app.InitInstance(noArguments()));
        EXPECT_EQ((std::vector<std::string>{"open " + last, "new"}), doc.calls);
    }
}

} // namespace
