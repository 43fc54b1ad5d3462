#pragma once

#include "html/formcontrol.h"

#include <memory>
#include <vector>

// The controls of one FORM of a page (or of the controls met outside any FORM).
class PageForm final {
public:
    explicit PageForm(const qv::AttributeList& attrs) : m_attrs(attrs) {}

    CFormControl* add(std::unique_ptr<CFormControl> control) {
        m_controls.push_back(std::move(control));
        return m_controls.back().get();
    }
    void reset() {
        for (auto& c : m_controls)
            c->Reset();
    }
    const std::vector<std::unique_ptr<CFormControl>>& controls() const { return m_controls; }
    const qv::AttributeList& attributes() const { return m_attrs; }

private:
    qv::AttributeList m_attrs;
    std::vector<std::unique_ptr<CFormControl>> m_controls;
};
