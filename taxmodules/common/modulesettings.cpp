#include "modulesettings.h"

#include "moduletext.h"

#include <cstdlib>
#include <fstream>

namespace qv {
namespace {

std::string settingsPath() {
    if (const char* env = std::getenv("QUORVA_SETTINGS"); env && *env)
        return env;
    std::string base;
    if (const char* xdg = std::getenv("XDG_CONFIG_HOME"); xdg && *xdg)
        base = xdg;
    else if (const char* home = std::getenv("HOME"))
        base = std::string(home) + "/.config";
    return base + "/Copper Grove Software/Quorva 2002.ini";
}

std::string trimmed(const std::string& s) {
    const std::size_t a = s.find_first_not_of(" \t\r");
    if (a == std::string::npos)
        return {};
    const std::size_t b = s.find_last_not_of(" \t\r");
    return s.substr(a, b - a + 1);
}

} // namespace

int profileInt(const std::string& section, const std::string& entry, int fallback) {
    std::ifstream in(settingsPath());
    std::string line;
    bool inSection = false;
    while (std::getline(in, line)) {
        line = trimmed(line);
        if (line.empty() || line[0] == ';')
            continue;
        if (line.front() == '[' && line.back() == ']') {
            inSection = sameName(line.substr(1, line.size() - 2), section);
            continue;
        }
        const std::size_t eq = line.find('=');
        if (!inSection || eq == std::string::npos || !sameName(trimmed(line.substr(0, eq)), entry))
            continue;
        std::string value = trimmed(line.substr(eq + 1));
        if (value.size() >= 2 && value.front() == '"' && value.back() == '"')
            value = value.substr(1, value.size() - 2);
        char* end = nullptr;
        const long v = std::strtol(value.c_str(), &end, 10);
        return end != value.c_str() ? int(v) : fallback;
    }
    return fallback;
}

} // namespace qv
