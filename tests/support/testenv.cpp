#include "testenv.h"

#include "platform/dialogs.h"
#include "platform/filedialog.h"
#include "platform/messagebox.h"
#include "platform/misc.h"
#include "platform/profile.h"
#include "platform/shell.h"

#include <QDialog>
#include <gtest/gtest.h>

#include <cstdlib>
#include <deque>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <stdexcept>
#include <sys/wait.h>

namespace fs = std::filesystem;

namespace qvtest {
namespace {

struct Expected {
    std::string text;
    int answer;
    unsigned flags;
};

Env g_env;
std::deque<Expected> g_expected;
std::vector<ShownBox> g_shown;

std::string envOr(const char* name, const std::string& fallback) {
    const char* v = std::getenv(name);
    return v && *v ? std::string(v) : fallback;
}

std::string withSlash(std::string p) {
    if (!p.empty() && p.back() != '/')
        p += '/';
    return p;
}

int answerBox(const std::string& text, unsigned flags, const std::string&) {
    g_shown.push_back({text, flags});
    if (g_expected.empty()) {
        ADD_FAILURE() << "unexpected message box: \"" << text << "\"";
        return pf::IDCANCEL;
    }
    Expected e = g_expected.front();
    g_expected.pop_front();
    EXPECT_EQ(e.text, text);
    if (e.flags != ~0u) {
        EXPECT_EQ(e.flags, flags) << "flags of \"" << text << "\"";
    }
    return e.answer;
}

void linkProgramDirectory(const fs::path& target) {
    fs::create_directories(target);
    const fs::path built(buildProgDir());
    if (!fs::is_directory(built))
        return;
    for (const auto& entry : fs::directory_iterator(built)) {
        const auto name = entry.path().filename().string();
        // Writable things the program keeps beside itself start empty in every test.
        if (name == "Auto-Backup" || name == "Untitled" || name == "EFiles" || name == "SEND")
            continue;
        fs::create_symlink(entry.path(), target / name);
    }
}

class EnvListener final : public ::testing::EmptyTestEventListener {
    void OnTestStart(const ::testing::TestInfo&) override {
        std::string pattern = (fs::temp_directory_path() / "qvtest-XXXXXX").string();
        if (!mkdtemp(pattern.data()))
            throw std::runtime_error("mkdtemp failed");
        g_env.root = withSlash(pattern);
        g_env.progDir = g_env.root + "prog/";
        g_env.winDir = g_env.root + "win/";
        g_env.settings = g_env.root + "settings.ini";
        linkProgramDirectory(g_env.progDir);
        fs::create_directories(g_env.winDir);
        setenv("QUORVA_PROGDIR", g_env.progDir.c_str(), 1);
        setenv("QUORVA_WINDIR", g_env.winDir.c_str(), 1);
        setenv("QUORVA_SETTINGS", g_env.settings.c_str(), 1);
        pf::Profile::reset();
        pf::resetBeepCount();
        g_expected.clear();
        g_shown.clear();
        pf::setMessageBoxHandler(answerBox);
        pf::clearDialogCallbacks();
        // A modal dialog nobody drives would wait forever: fail and cancel it instead.
        pf::setUnexpectedDialogHandler([](QDialog& dialog) {
            ADD_FAILURE() << "unexpected dialog: \"" << dialog.windowTitle().toStdString() << "\"";
            return int(QDialog::Rejected);
        });
        pf::setFileDialogHandler({});
        pf::setLaunchRecorder({});
        pf::clearQuitRequest();
        pf::setScreenSizeOverride({0, 0});
    }
    void OnTestEnd(const ::testing::TestInfo&) override {
        for (const auto& e : g_expected)
            ADD_FAILURE() << "expected message box not shown: \"" << e.text << "\"";
        g_expected.clear();
        if (const std::size_t left = pf::pendingDialogCallbacks()) {
            ADD_FAILURE() << left << " queued dialog callback(s) never ran";
            pf::clearDialogCallbacks();
        }
        pf::Profile::reset();
        std::error_code ec;
        fs::remove_all(g_env.root, ec);
    }
};

} // namespace

const Env& env() {
    return g_env;
}

std::string buildProgDir() {
    return withSlash(envOr("QUORVA_BUILD_PROG", QV_DEFAULT_BUILD_PROG));
}
std::string sourceDir() {
    return withSlash(envOr("QUORVA_SOURCE_DIR", QV_DEFAULT_SOURCE_DIR));
}
std::string binDir() {
    return withSlash(envOr("QUORVA_BIN_DIR", QV_DEFAULT_BIN_DIR));
}
std::string artifactDir() {
    std::string dir = withSlash(envOr("QUORVA_ARTIFACTS", QV_DEFAULT_ARTIFACTS));
    fs::create_directories(dir);
    return dir;
}
std::string fixture(const std::string& relative) {
    return sourceDir() + "tests/fixtures/" + relative;
}

void expectBox(const std::string& text, int answer, unsigned flags) {
    g_expected.push_back({text, answer, flags});
}
const std::vector<ShownBox>& shownBoxes() {
    return g_shown;
}

namespace {
std::string shellQuoted(const std::string& s) {
    std::string q = "'";
    for (char c : s)
        q += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return q + "'";
}
} // namespace

ToolRun runTool(const std::string& tool, const std::vector<std::string>& args) {
    const std::string& root = g_env.root;
    std::string cmd = shellQuoted(binDir() + tool);
    for (const std::string& a : args)
        cmd += " " + shellQuoted(a);
    cmd += " >" + shellQuoted(root + "tool.out") + " 2>" + shellQuoted(root + "tool.err");
    const int raw = std::system(cmd.c_str());
    return {WIFEXITED(raw) ? WEXITSTATUS(raw) : -1, readFile(root + "tool.out"),
            readFile(root + "tool.err")};
}

std::string readFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

void writeFile(const std::string& path, const std::string& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), std::streamsize(bytes.size()));
}

::testing::TestEventListener* makeEnvListener() {
    return new EnvListener;
}

} // namespace qvtest
