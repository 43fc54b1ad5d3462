#pragma once

#include "html/section.h"

// One line of preformatted text; never wrapped.
class CPreformated final : public CSection {
public:
    using CSection::CSection;
    const char* className() const override { return "CPreformated"; }

protected:
    bool wraps() const override { return false; }
};
