#pragma once

#include "forms/boundlayout.h"

#include <string>

class CTaxModule;
class QPrinter;
struct CFormCopy;

namespace pf {
class Dc;
}

namespace qv {

// Prints a copy from its screen layout: pages of 9300 by 11200 layout units, 8 inches of the
// paper holding 10100 units, centred with a 400-unit margin and starting 600 units down.
class CLayoutPrinter final {
public:
    static constexpr int kPageWidth = 9300;
    static constexpr int kPageHeight = 11200;

    // Reads and binds the layout (unknown names bind field 1) and prepares the copy. False
    // when the form has no layout.
    bool load(CTaxModule& module, int form, CFormCopy& copy);
    int pageCount() const;
    // Draws page `page` (from 1) onto a printer context; with `dateTime` the local time goes
    // to the foot of the page.
    void printPage(pf::Dc& dc, int page, bool dateTime) const;
    // Every page onto `printer`; false when it cannot start or there is nothing to print.
    bool print(QPrinter& printer, bool dateTime) const;

    // The foot's text for the current local time: "%m/%d/%y  %I:%M%p".
    static std::string footText();
    // The "Print" / "DateTime" setting.
    static bool dateTimeSetting();

    const BoundLayout& layout() const { return m_layout; }

private:
    BoundLayout m_layout;
};

} // namespace qv
