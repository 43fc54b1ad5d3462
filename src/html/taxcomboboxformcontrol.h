#pragma once

#include "html/boundformcontrol.h"

class QComboBox;

// An INPUT bound to a choice field: a drop-down list of the field's choices with an edit that
// completes what is typed; every change of the selection is stored at once.
class CTaxComboBoxFormControl final : public qv::BoundFormControl {
public:
    using BoundFormControl::BoundFormControl;

    void SizeToFont(pf::Dc& dc) override;
    void Print(pf::Dc& dc, int x, int y) override;
    void Reset() override { readValue(); }
    void readValue() override;
    QComboBox* combo() const { return reinterpret_cast<QComboBox*>(m_window); }
    // Completes a typed text to the first entry equal to it, else the first starting with
    // it, shortening the text until one matches; nothing selected when none is left.
    void complete(const std::string& typed);

protected:
    QWidget* makeWindow(QWidget* parent) override;
    void created() override;

private:
    void selectionChanged(int index);
    bool m_filling = false;
};
