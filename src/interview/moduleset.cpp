#include "interview/moduleset.h"

namespace qv {

std::string ModuleCodeOf(const std::string& twoLetters) {
    std::string code = twoLetters.substr(0, 2);
    for (char& c : code) {
        if (c >= 'a' && c <= 'z')
            c = char(c - 'a' + 'A');
    }
    return code == "US" ? std::string("FEDERAL") : code;
}

} // namespace qv
