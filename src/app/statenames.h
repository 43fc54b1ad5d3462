#pragma once

#include <string>

// The two-letter code of the first full state name (50 states and the District of Columbia)
// contained in `name`, ignoring case; empty when none is.
std::string StateCodeFromName(const std::string& name);

// The mixed-case full name of a two-letter code, ignoring case; empty for an unknown code.
std::string StateNameFromCode(const std::string& code);
