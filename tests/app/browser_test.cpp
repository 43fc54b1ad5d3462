#include "app/browser.h"
#include "app/selectbrowserdlg.h"
#include "platform/dialogs.h"
#include "platform/inifile.h"
#include "platform/paths.h"
#include "platform/profile.h"
#include "platform/shell.h"
#include "testenv.h"

#include <QAbstractButton>
#include <gtest/gtest.h>

namespace {

using namespace qv;

TEST(Browser, CommandForEachChoice) {
    const DetectedBrowsers found{"/opt/ie -nohome \"%1\"", "", "/opt/aol/AOL.EXE -u \"%1\""};
    const std::string url = "https://example.test/a?b=1";
    EXPECT_EQ("/opt/ie -nohome \"https://example.test/a?b=1\"",
              BrowserCommand(BrowserExplorer, found, "", url));
    EXPECT_EQ("", BrowserCommand(BrowserNavigator, found, "", url));
    EXPECT_EQ("/opt/aol/AOL.EXE -u \"https://example.test/a?b=1\"",
              BrowserCommand(BrowserAmericaOnline, found, "", url));
    EXPECT_EQ("lynx -dump https://example.test/a?b=1",
              BrowserCommand(BrowserOther, found, "lynx -dump %URL", url));
    EXPECT_EQ("", BrowserCommand(BrowserSystemDefault, found, "lynx %URL", url));
}

TEST(Browser, DetectsOnlyWhatMachineIniAndWinIniName) {
    EXPECT_EQ("", DetectBrowsers().americaOnline);
    pf::IniFile(pf::folderOf(pf::settingsPath()) + "machine.ini")
        .writeString("Browsers", "iexplore.exe", "/opt/ie/iexplore");
    pf::IniFile::inWinDir("WIN.INI").writeString("WAOL", "AppPath", "/opt/aol");
    const DetectedBrowsers found = DetectBrowsers();
    EXPECT_EQ("/opt/ie/iexplore -nohome \"%1\"", found.explorer);
    EXPECT_EQ("", found.navigator);
    EXPECT_EQ("/opt/aol/AOL.EXE -u \"%1\"", found.americaOnline);
}

class OpenUrlTest : public ::testing::Test {
protected:
    void SetUp() override {
        pf::setLaunchRecorder([this](const pf::Launch& launch) {
            launches.push_back(launch);
            return true;
        });
    }
    void TearDown() override { pf::setLaunchRecorder({}); }
    std::vector<pf::Launch> launches;
};

TEST_F(OpenUrlTest, UnchosenBrowserWithoutAolUsesTheDesktop) {
    EXPECT_TRUE(OpenUrl("https://example.test/"));
    ASSERT_EQ(1u, launches.size());
    EXPECT_EQ(pf::Launch::Open, launches[0].kind);
    EXPECT_EQ("https://example.test/", launches[0].target);
    EXPECT_EQ(0, pf::Profile::app().getInt("Settings", "Browser", 0)); // not saved
}

TEST_F(OpenUrlTest, OtherBrowserRunsItsCommandLineSplitIntoArguments) {
    pf::Profile::app().writeInt("Settings", "Browser", BrowserOther);
    pf::Profile::app().writeString("Settings", "BrowserOther", "\"/opt/my browser/run\" -x %URL");
    EXPECT_TRUE(OpenUrl("https://example.test/"));
    ASSERT_EQ(1u, launches.size());
    EXPECT_EQ(pf::Launch::Start, launches[0].kind);
    EXPECT_EQ("/opt/my browser/run", launches[0].target);
    EXPECT_EQ((std::vector<std::string>{"-x", "https://example.test/"}), launches[0].args);
}

TEST_F(OpenUrlTest, UnchosenBrowserWithAolAsksAndCancelOpensNothing) {
    pf::IniFile(pf::folderOf(pf::settingsPath()) + "machine.ini")
        .writeString("Browsers", "aol", "/opt/aol/aol \"%1\"");
    pf::queueDialogCallback([](QDialog& dialog) { dialog.reject(); });
    EXPECT_FALSE(OpenUrl("https://example.test/"));
    EXPECT_TRUE(launches.empty());

    pf::queueDialogCallback([](QDialog& dialog) {
        auto* aol =
            qobject_cast<QAbstractButton*>(pf::dlgItem(&dialog, CSelectBrowserDlg::AmericaOnline));
        ASSERT_NE(nullptr, aol);
        EXPECT_TRUE(aol->isEnabled());
        aol->click();
        dialog.accept();
    });
    EXPECT_TRUE(OpenUrl("https://example.test/"));
    EXPECT_EQ(BrowserAmericaOnline, pf::Profile::app().getInt("Settings", "Browser", 0));
    ASSERT_EQ(1u, launches.size());
    EXPECT_EQ("/opt/aol/aol", launches[0].target);
    EXPECT_EQ(std::vector<std::string>{"https://example.test/"}, launches[0].args);
}

TEST(SelectBrowser, MissingBrowsersAreDisabledAndOtherEnablesItsEdit) {
    CSelectBrowserDlg dialog(DetectedBrowsers{});
    for (int id : {CSelectBrowserDlg::Explorer, CSelectBrowserDlg::Navigator,
                   CSelectBrowserDlg::AmericaOnline})
        EXPECT_FALSE(pf::dlgItem(&dialog, id)->isEnabled()) << id;
    QWidget* edit = pf::dlgItem(&dialog, CSelectBrowserDlg::OtherCommand);
    EXPECT_FALSE(edit->isEnabled());
    qobject_cast<QAbstractButton*>(pf::dlgItem(&dialog, CSelectBrowserDlg::Other))->click();
    EXPECT_TRUE(edit->isEnabled());
    EXPECT_TRUE(pf::dlgItem(&dialog, CSelectBrowserDlg::Browse)->isEnabled());
}

} // namespace
