#pragma once

#include "html/formcontrol.h"

#include <memory>
#include <vector>

// The controls of one FORM of a page (or of the controls met outside any FORM): reset
// together, and radio buttons of one NAME exclude each other within the form.
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
    // `checked` became checked: every other plain radio button of the form with its NAME
    // (compared as written) is unchecked.
    void radioChecked(CFormControl* checked) {
        for (auto& c : m_controls) {
            if (c.get() != checked && c->isRadio() && c->name() == checked->name())
                c->setChecked(false);
        }
    }
    const std::vector<std::unique_ptr<CFormControl>>& controls() const { return m_controls; }
    const qv::AttributeList& attributes() const { return m_attrs; }

private:
    qv::AttributeList m_attrs;
    std::vector<std::unique_ptr<CFormControl>> m_controls;
};
