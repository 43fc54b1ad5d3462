#pragma once

#include <string>

// Whether a module's return can be filed electronically: "FEDERAL", or one of the 42 states
// of the e-file program by code or full name, compared ignoring case.
bool IsEfileModule(const std::string& moduleName);
