#pragma once

#include "html/formcontrol.h"

#include <string>

class HtmlWindow;
struct CFormManager;

namespace qv {

// What UM_MIRROR_TEXT from a page carries (its address, valid during the send): the form and
// field that changed, the edit's text (null for choice, check and radio changes) and the
// selected choice (-1 when none or not a choice list).
struct PageMirrorText {
    int formIndex = 0;
    CField* field = nullptr;
    const std::string* text = nullptr;
    int choice = -1;
};

// The page message that asks the interview to show a question (lparam: a Question).
inline constexpr unsigned UM_SHOW_QUESTION = 0x81A;

// The common part of the controls bound to the return: the field (null for buttons and copy
// lists without one), the copy and its form index, and the writes and notifications every
// bound control shares.
class BoundFormControl : public CFormControl {
public:
    BoundFormControl(int token, HtmlDocument* doc, PageForm* form, const AttributeList& attrs,
                     CField* field, CFormCopy* copy);
    ~BoundFormControl() override;

    // Reads the field again (after another control changed the return).
    virtual void readValue() {}
    // False once the control is gone: a notice may make the host load another page.
    std::shared_ptr<bool> aliveFlag() const { return m_alive; }

    CField* boundField() const override { return m_field; }
    CFormCopy* copy() const { return m_copy; }
    int formIndex() const;
    HtmlWindow* page() const;

    // Marks the return modified unless the copy or the field says a change does not count,
    // and flags the copy as changed by the user.
    void markChanged();
    // A check, option or radio write: the state, the other options of its group, the marks,
    // the entered flags and the recalculation, then the mirror notice.
    void writeChecked(bool on, bool mirror = true);
    // UM_MIRROR_TEXT to the page's host.
    void mirror(const std::string* text, int choice);
    // The control got the focus: remembered by the page, and UM_GOTO_FIELD when its copy
    // is the page's own.
    void focused();

protected:
    bool usesKeyHook() const override { return false; }
    // Check and radio boxes drawn without a window: a 13-pixel mark with the TEXT caption
    // beside it, sized to the control font; printing draws the caption 18 pixels right of x.
    void sizeMarkAndCaption(pf::Dc& dc);
    void printCaption(pf::Dc& dc, int x, int y);

    CField* m_field;
    CFormCopy* m_copy;
    std::shared_ptr<bool> m_alive = std::make_shared<bool>(true);
};

// Resolves a page field reference FORM.FIELD[(INDEX)][,COPY] on the page's form manager;
// null when any part fails. `copyOut` receives the copy.
CField* ResolvePageField(HtmlDocument& doc, const std::string& reference, CFormCopy** copyOut);

} // namespace qv
