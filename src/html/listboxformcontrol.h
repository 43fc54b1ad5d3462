#pragma once

#include "html/formcontrol.h"

#include <vector>

// SELECT with MULTIPLE or SIZE of 2 or more: a list box SIZE rows high, with extended
// multiple selection under MULTIPLE.
class CListBoxFormControl final : public CFormControl {
public:
    using CFormControl::CFormControl;

    void textComplete() override;
    void SizeToFont(pf::Dc& dc) override;
    void Print(pf::Dc& dc, int x, int y) override;
    void Reset() override;
    bool multiple() const;
    int rows() const;
    // The selected rows, in order.
    std::vector<int> selection() const;

protected:
    QWidget* makeWindow(QWidget* parent) override;

private:
    void applySelection(const std::vector<int>& rows);
    std::vector<int> m_initial;
    std::vector<int> m_selection; // while there is no window
};
