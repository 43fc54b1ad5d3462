#pragma once

#include "forms/formlayout.h"

#include <string>
#include <vector>

namespace qvdat {

// The records as layout source, one a line, leaving out what equals the compiler's starting
// values: compiling the text gives back the same bytes (unused bytes and bindings aside).
// y is measured down from the top of each 11200-twip page, with a "page N" line where a new
// page starts.
std::string FormatLayout(const std::vector<qv::LayoutRecord>& records);

} // namespace qvdat
