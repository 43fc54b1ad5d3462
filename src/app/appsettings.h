#pragma once

#include <string>

// The application's per-user settings with their defaults. Every entry the program reads
// is listed once in the table of appsettings.cpp; reading an entry that is missing from the
// settings file answers that default.
namespace qv::settings {

int getInt(const std::string& section, const std::string& entry);
std::string getString(const std::string& section, const std::string& entry);
void writeInt(const std::string& section, const std::string& entry, int value);
void writeString(const std::string& section, const std::string& entry, const std::string& value);

// The default of an entry of the table (0 or "" for one that is not listed).
int defaultInt(const std::string& section, const std::string& entry);
std::string defaultString(const std::string& section, const std::string& entry);

} // namespace qv::settings
