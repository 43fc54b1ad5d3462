// qvinstall-state PROGDIR [STATE ...]: registers built state modules the way their installers
// do: a value named after the state under Modules in the per-user settings, and the state's
// version under [VersionInfo] <ST>1040 in Quorva02.ini of the Windows directory. Without
// states named, every <ST>CALC.so of PROGDIR is registered.
#include "platform/inifile.h"
#include "platform/library.h"
#include "platform/profile.h"
#include "platform/text.h"

#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

namespace {

std::vector<std::string> builtStates(const std::filesystem::path& dir) {
    std::vector<std::string> states;
    for (const auto& entry : std::filesystem::directory_iterator(dir)) {
        const std::string name = entry.path().filename().string();
        if (name.size() == 9 && name.compare(2, 7, "CALC.so") == 0 && name.rfind("FED", 0) != 0)
            states.push_back(name.substr(0, 2));
    }
    return states;
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: qvinstall-state PROGDIR [STATE ...]\n");
        return 1;
    }
    const std::filesystem::path dir(argv[1]);
    std::vector<std::string> states(argv + 2, argv + argc);
    if (states.empty())
        states = builtStates(dir);
    pf::IniFile ini = pf::IniFile::inWinDir("Quorva02.ini");
    for (std::string state : states) {
        state = pf::upper(state);
        const std::string library = (dir / (state + "CALC.so")).string();
        const std::uint64_t version = pf::libraryFileVersion(library);
        if (version == 0) {
            std::fprintf(stderr, "qvinstall-state: %s is not a state module\n", library.c_str());
            return 1;
        }
        char text[32];
        std::snprintf(text, sizeof text, "%u.%02u", pf::versionMajor(version),
                      pf::versionMinor(version));
        pf::Profile::app().writeString("Modules", state, "1");
        ini.writeString("VersionInfo", state + "1040", text);
        std::printf("registered %s %s\n", state.c_str(), text);
    }
    pf::Profile::app().sync();
    return 0;
}
