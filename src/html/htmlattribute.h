#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace qv {

// One attribute of the last tag that keeps its attributes: id (qv::att), the decimal number
// at the start of the value and the value text as written (trimmed when it was quoted).
struct HtmlAttribute {
    int id = 0;
    std::int32_t num = 0;
    std::string text;
};

using AttributeList = std::vector<HtmlAttribute>;

// The first attribute with `id`, or null.
inline const HtmlAttribute* findAttribute(const AttributeList& list, int id) {
    for (const HtmlAttribute& a : list) {
        if (a.id == id)
            return &a;
    }
    return nullptr;
}

} // namespace qv
