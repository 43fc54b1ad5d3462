#pragma once

#include "html/htmlattribute.h"
#include "platform/dctypes.h"

#include <memory>
#include <string>
#include <vector>

class HtmlDocument;
class PageForm;
class QWidget;
struct CField;
struct CFormCopy;

namespace pf {
class Dc;
}

// A form control of a page (INPUT, SELECT, TEXTAREA): a box of a known size that the layout
// places where its marker is in the text, with a child window of the page window when the
// page is shown in one. Pages parsed only for layout or printing have controls without
// windows; they keep their state in the object and print it from there.
class CFormControl {
public:
    struct Option {
        std::string text;
        std::string value;
        bool selected = false;
    };

    CFormControl(int token, HtmlDocument* doc, PageForm* form, const qv::AttributeList& attrs);
    virtual ~CFormControl();
    CFormControl(const CFormControl&) = delete;
    CFormControl& operator=(const CFormControl&) = delete;

    // The factory of the page controls: picks the class for the tag (binding it to a return
    // field when the tag names one), makes its window when the page has one, and applies
    // SETFOCUS and DISABLED. Null for an INPUT bound to a field that takes no control.
    static std::unique_ptr<CFormControl> create(int token, HtmlDocument* doc, PageForm* form,
                                                const qv::AttributeList& attrs);

    virtual void Print(pf::Dc& dc, int x, int y);
    virtual void Reset() {}
    virtual void SizeToFont(pf::Dc& dc);

    // Filled by the parser for SELECT and TEXTAREA; textComplete follows the last of them.
    void addOption(const std::string& text, const std::string& value, bool selected);
    void addLine(const std::string& line) { m_lines.push_back(line); }
    virtual void textComplete() {}

    int kind() const { return m_kind; }
    const std::string& type() const { return m_type; } // INPUT TYPE, lower-cased
    const std::string& name() const { return m_name; }
    const std::string& value() const { return m_value; }
    const std::vector<Option>& options() const { return m_options; }
    const std::vector<std::string>& lines() const { return m_lines; }
    const qv::AttributeList& attributes() const { return m_attrs; }
    const qv::HtmlAttribute* attribute(int id) const { return qv::findAttribute(m_attrs, id); }
    std::string attributeText(int id) const;
    HtmlDocument* document() const { return m_doc; }
    PageForm* form() const { return m_form; }
    // Whether the control takes a place in the text; hidden inputs and image inputs do not
    // (an image input is shown as an image of the block).
    virtual bool visible() const { return true; }
    // Whether this is a plain radio button, for the exclusivity of a form's radio buttons.
    virtual bool isRadio() const { return false; }
    virtual void setChecked(bool on) { (void)on; }

    QWidget* window() const { return m_window; }
    // The field the control edits, or null for a plain control.
    virtual CField* boundField() const { return nullptr; }

    int width() const { return m_width; }
    int height() const { return m_height; }
    void setPlace(int x, int y) {
        m_x = x;
        m_y = y;
    }
    int x() const { return m_x; }
    int y() const { return m_y; }

    // The control that owns a window, or null.
    static CFormControl* fromWindow(const QWidget* window);

protected:
    // Makes the control's window as a child of `parent`; null for controls without one.
    virtual QWidget* makeWindow(QWidget* parent) {
        (void)parent;
        return nullptr;
    }
    // Whether Tab and the page keys typed in the window go to the page window (plain
    // controls); the bound controls handle their keys themselves.
    virtual bool usesKeyHook() const { return true; }
    // Keeps the window: hidden, off-screen, with the next free child id from 100.
    void adoptWindow(QWidget* window);
    // Called once after the window has been made (or not) and the attributes are applied.
    virtual void created() {}
    int numberAttribute(int id, int fallback) const;

    // Drawing helpers for Print.
    static void printFrame(pf::Dc& dc, const pf::Rect& r, const std::vector<std::string>& lines,
                           bool wrap);
    static void printCheck(pf::Dc& dc, int x, int y, bool checked);
    static void printRadio(pf::Dc& dc, int x, int y, bool checked);
    static void selectControlFont(pf::Dc& dc);

    int m_kind;
    HtmlDocument* m_doc;
    PageForm* m_form;
    qv::AttributeList m_attrs;
    std::string m_type;
    std::string m_name;
    std::string m_value;
    std::vector<Option> m_options;
    std::vector<std::string> m_lines;
    QWidget* m_window = nullptr;
    int m_width = 0;
    int m_height = 0;
    int m_x = 0;
    int m_y = 0;
};
