#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <vector>

namespace qv {

// Where a form's value goes on the page: one line of a form's ".GRID" entry.
struct GridPlace {
    char kind = 'E'; // E entry box, C check box, O option button, H choice box
    int page = 1;
    int row = 0;
    int column = 0;
    int width = 1;
    int elementType = 1;
    int align = 0; // 0 left, 1 centred, 2 right
    unsigned layoutFlags = 0;
    int decimals = 0;
    int element = 0; // element index; for a choice box the field offset
    std::string field;
};

// The print library's own data file beside it: page images "<FORM>.<page>" (placeable
// metafiles) and grid places "<FORM>.GRID", in the module data-file container format. The
// whole file is read once; a missing or damaged file leaves the manager without images, so
// every form prints from its screen layout.
class PrintImageFile final {
public:
    bool open(const std::string& path);
    bool isOpen() const { return m_open; }

    // Entry bytes by name (any case); null when there is none.
    const std::string* find(const std::string& name) const;
    int pageCount(const std::string& form) const; // images "<FORM>.1", "<FORM>.2", ...
    std::vector<GridPlace> places(const std::string& form) const;

    // The folder of the library this code is linked into, with a trailing '/'.
    static std::string libraryFolder();

private:
    bool m_open = false;
    std::map<std::string, std::string> m_entries; // upper-cased names
};

} // namespace qv
