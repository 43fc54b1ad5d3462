#include "html/fieldreference.h"

#include <cstdlib>

namespace qv {

bool ParseFieldReference(const std::string& reference, FieldReference& out) {
    const std::size_t comma = reference.find(',');
    const std::string formPart = reference.substr(0, comma);
    const std::size_t dot = formPart.find('.');
    if (dot == std::string::npos)
        return false;
    out.form = formPart.substr(0, dot);
    out.field = formPart.substr(dot + 1);
    out.element = 0;
    const std::size_t paren = out.field.find('(');
    if (paren != std::string::npos && paren >= 1) {
        out.element = std::atoi(out.field.c_str() + paren + 1);
        out.field.resize(paren);
    }
    out.copy = comma == std::string::npos ? std::string() : reference.substr(comma + 1);
    return true;
}

} // namespace qv
