#include "html/sectionbase.h"

int CSectionBase::Layout(pf::Dc&, int top, qv::FloatMargins&) {
    m_top = top;
    return m_height;
}

int CSectionBase::Draw(pf::Dc&, const pf::Rect&, int, int) {
    return m_top + m_height;
}

int CSectionBase::HitTestLink(int, int, pf::Point*) const {
    return -1;
}

bool CSectionBase::GetItemRect(int, pf::Rect&) const {
    return false;
}

void CSectionBase::PlaceControls(int, int) {}

void CSectionBase::GetMinMaxWidth(pf::Dc&, int& minimum, int& maximum) {
    minimum = 0;
    maximum = 0;
}

void CSectionBase::Paginate(int, int&) const {}

void CSectionBase::Offset(int dx, int dy) {
    m_top += dy;
    m_right += dx;
}
