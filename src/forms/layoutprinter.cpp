#include "forms/layoutprinter.h"

#include "app/appsettings.h"
#include "forms/layoutpainter.h"
#include "platform/dc.h"

#include <quorva/formcopy.h>

#include <QPainter>
#include <QPrinter>

#include <algorithm>
#include <cmath>
#include <ctime>

namespace qv {
namespace {

constexpr int kUnitsPer8Inches = 10100;
constexpr int kMarginX = 400;
constexpr int kMarginY = 600;

// The page a record's top falls on: page p holds tops from -(p-1)*11200 down to above
// -p*11200.
int pageOf(const LayoutRecord& r) {
    const int top = LayoutPainter::bounds(r).top;
    return top > 0 ? 1 : -top / CLayoutPrinter::kPageHeight + 1;
}

} // namespace

bool CLayoutPrinter::load(CTaxModule& module, int form, CFormCopy& copy) {
    if (!m_layout.load(module, form, copy))
        return false;
    copy.Prepare();
    return true;
}

int CLayoutPrinter::pageCount() const {
    int pages = 0;
    for (const LayoutRecord& r : m_layout.records) {
        if (r.kind != LK_HEADER)
            pages = std::max(pages, pageOf(r));
    }
    return pages;
}

void CLayoutPrinter::printPage(pf::Dc& dc, int page, bool dateTime) const {
    const pf::Dc::DeviceInfo& info = dc.deviceInfo();
    dc.setMapMode(pf::MM_ANISOTROPIC);
    dc.setWindowExt(kUnitsPer8Inches, -kUnitsPer8Inches);
    dc.setViewportExt(8 * info.dpiX, 8 * info.dpiY);
    const int paperWidth = info.physicalWidth > 0 ? info.physicalWidth : info.width;
    dc.setViewportOrg((paperWidth - 8 * info.dpiX) / 2 - info.offsetX, -info.offsetY);
    const int top = -(page - 1) * kPageHeight;
    dc.setWindowOrg(-kMarginX, top + kMarginY);

    LayoutPainter::Options options;
    options.printer = true;
    options.unitsPerPixel = kUnitsPer8Inches / (8.0 * 96.0);
    options.linePenWidth = int(std::lround(2 * options.unitsPerPixel));
    options.filter = [page](const LayoutRecord& r) { return pageOf(r) == page; };
    LayoutPainter::paint(dc, m_layout.records, m_layout.fields, options);

    if (dateTime) {
        pf::LogFont font;
        font.faceName = "Courier New";
        font.height = -200;
        dc.selectFont(font);
        dc.setTextColor(pf::RGB(0, 0, 0));
        dc.setBkMode(pf::TRANSPARENT);
        dc.setTextAlign(pf::TA_LEFT | pf::TA_TOP);
        dc.textOut(0, top - kPageHeight - 100, footText());
    }
}

bool CLayoutPrinter::print(QPrinter& printer, bool dateTime) const {
    const int pages = pageCount();
    if (pages == 0)
        return false;
    pf::Dc dc(static_cast<QPaintDevice*>(&printer));
    if (!dc.painter() || !dc.painter()->isActive())
        return false;
    for (int p = 1; p <= pages; ++p) {
        if (p > 1)
            printer.newPage();
        dc.saveDC();
        printPage(dc, p, dateTime);
        dc.restoreDC(-1);
    }
    return true;
}

std::string CLayoutPrinter::footText() {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    char buffer[64] = {};
    std::strftime(buffer, sizeof buffer, "%m/%d/%y  %I:%M%p", &local);
    return buffer;
}

bool CLayoutPrinter::dateTimeSetting() {
    return settings::getInt("Print", "DateTime") != 0;
}

} // namespace qv
