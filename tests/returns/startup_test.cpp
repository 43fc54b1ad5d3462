#include "app/commandids.h"
#include "app/mainframe.h"
#include "app/taxapp.h"
#include "platform/paths.h"
#include "platform/profile.h"
#include "storage/memdatafile.h"
#include "storage/taxdoc.h"
#include "testenv.h"

#include <QStringList>
#include <gtest/gtest.h>

#include <cstdlib>

namespace {

using qv::CTaxApp;

std::string makeReturn(const std::string& name) {
    const std::string path = qvtest::env().root + name;
    const std::string tool = "'" + qvtest::binDir() + "qvreturn'";
    EXPECT_EQ(0, std::system((tool + " new '" + path + "'").c_str()));
    EXPECT_EQ(0, std::system((tool + " add '" + path + "' USDW2 >/dev/null").c_str()));
    return path;
}

TEST(ReturnStartup, TheLastReturnOpensAndAMissingOneGivesANewReturn) {
    const std::string path = makeReturn("Last.ta2");
    pf::Profile::app().writeString("DATA", "LAST FILE OPENED", path);
    {
        CTaxApp app;
        ASSERT_TRUE(app.InitInstance(CTaxApp::parseArguments(QStringList{"quorva02"})));
        ASSERT_NE(nullptr, app.document());
        EXPECT_EQ(path, app.document()->pathName());
        EXPECT_EQ("Last - Quorva 2002", app.mainFrame()->windowTitle().toStdString());
        EXPECT_FALSE(app.document()->isModified());

        qv::CommandTable& commands = app.mainFrame()->commands();
        for (int id : {qv::cmd::NewReturn, qv::cmd::OpenReturn, qv::cmd::SaveReturn,
                       qv::cmd::SaveReturnAs, qv::cmd::Backup, qv::cmd::RestoreBackup,
                       qv::cmd::ImportPriorYear, qv::cmd::PasswordAdd})
            EXPECT_TRUE(commands.isEnabled(id)) << id;
        // Change and Delete need a password, Add needs none.
        EXPECT_FALSE(commands.isEnabled(qv::cmd::PasswordChange));
        EXPECT_FALSE(commands.isEnabled(qv::cmd::PasswordDelete));
        app.returnFile().Put("AppPassword", "pw", 2);
        EXPECT_FALSE(commands.isEnabled(qv::cmd::PasswordAdd));
        EXPECT_TRUE(commands.isEnabled(qv::cmd::PasswordChange));
        EXPECT_TRUE(commands.isEnabled(qv::cmd::PasswordDelete));
    }
    std::remove(path.c_str());
    {
        CTaxApp app;
        ASSERT_TRUE(app.InitInstance(CTaxApp::parseArguments(QStringList{"quorva02"})));
        EXPECT_EQ(CTaxDoc::ScratchPath(), app.document()->pathName());
        EXPECT_EQ("Untitled", app.document()->title());
    }
}

} // namespace
