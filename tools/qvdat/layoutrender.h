#pragma once

#include "forms/formlayout.h"

#include <QImage>

#include <vector>

namespace qvdat {

struct RenderOptions {
    double dpi = 96;
    int page = 0;         // 0: the whole layout; n: only the n-th 11200-twip page
    bool outline = false; // outline bound boxes and hot spots, with their control numbers
};

// A preview of a layout the way the form view paints it, without values: entry and choice
// boxes show their field names instead. A QGuiApplication must exist (fonts).
QImage RenderLayout(const std::vector<qv::LayoutRecord>& records, const RenderOptions& options);

} // namespace qvdat
