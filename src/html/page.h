#pragma once

#include "html/sectionbase.h"

// A forced page break; takes no room on the screen.
class CPage final : public CSectionBase {
public:
    using CSectionBase::CSectionBase;
    const char* className() const override { return "CPage"; }
    void Paginate(int pageTop, int& pageEnd) const override;
};
