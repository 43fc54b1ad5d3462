#pragma once

#include "platform/pfexport.h"

#include <QString>
#include <string>

namespace pf {

// Engine strings hold Windows-1252 bytes; these convert at the Qt boundary only.
PF_EXPORT QString toQt(const std::string& cp1252);
PF_EXPORT std::string fromQt(const QString& text);

// ASCII-only case mapping: the engine never lets the C locale decide what a letter is.
PF_EXPORT std::string upper(std::string text);
PF_EXPORT std::string lower(std::string text);
PF_EXPORT bool iequals(const std::string& a, const std::string& b);

} // namespace pf
