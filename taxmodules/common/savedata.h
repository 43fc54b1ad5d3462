#pragma once

#include <cstdint>
#include <string>
#include <vector>

// The blobs a form manager hands the program to keep in the return file: a copy's data, the
// map of a form's fields and the map of the module's forms. The program stores them unchanged,
// so their layout is the module's own: little-endian, each starting with a signature and a
// layout number, every text with its length. Readers check every length against the bytes
// they were given and refuse anything that does not add up.
namespace qv {

struct SavedValue {
    int number = 0; // field number at the time of saving
    int type = 0;
    unsigned flags = 0;
    std::int64_t integer = 0; // money, integer, date, check, option, choice
    double real = 0;          // decimal
    std::string text;         // text types
};

struct CopyBlob {
    int copyNumber = 0;
    std::string parentForm; // empty for a root copy
    int parentNumber = 0;
    unsigned copyFlags = 0;
    std::string title;
    std::vector<SavedValue> values;
};

struct FormMapEntry {
    int number = 0;
    int element = 0;
    int type = 0;
    std::string name;
};

struct ModuleMap {
    std::string version;
    std::vector<std::string> forms; // in form-index order
};

std::string writeCopyBlob(const CopyBlob& blob);
bool readCopyBlob(const void* data, int size, CopyBlob& blob);

std::string writeFormMap(const std::vector<FormMapEntry>& map);
bool readFormMap(const void* data, int size, std::vector<FormMapEntry>& map);

std::string writeModuleMap(const ModuleMap& map);
bool readModuleMap(const void* data, int size, ModuleMap& map);

} // namespace qv
