#pragma once

#include "html/htmlattribute.h"

#include <memory>
#include <string>
#include <vector>

class HtmlDocument;
class PageForm;

namespace pf {
class Dc;
}

// A form control of a page (INPUT, SELECT, TEXTAREA) as the layout sees it: a box of a
// known size that stands where its marker is in the text. The controls with windows of
// their own derive from it and are made by the same factory.
class CFormControl {
public:
    struct Option {
        std::string text;
        std::string value;
        bool selected = false;
    };

    CFormControl(int token, HtmlDocument* doc, PageForm* form, const qv::AttributeList& attrs);
    virtual ~CFormControl() = default;
    CFormControl(const CFormControl&) = delete;
    CFormControl& operator=(const CFormControl&) = delete;

    // Makes the control for a tag; the factory of the page controls.
    static std::unique_ptr<CFormControl> create(int token, HtmlDocument* doc, PageForm* form,
                                                const qv::AttributeList& attrs);

    virtual void Print(pf::Dc& dc, int x, int y);
    virtual void Reset() {}
    virtual void SizeToFont(pf::Dc& dc);

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
    // Hidden inputs take no place on the page.
    bool visible() const { return m_type != "hidden"; }

    int width() const { return m_width; }
    int height() const { return m_height; }
    void setPlace(int x, int y) {
        m_x = x;
        m_y = y;
    }
    int x() const { return m_x; }
    int y() const { return m_y; }

protected:
    int m_kind;
    HtmlDocument* m_doc;
    PageForm* m_form;
    qv::AttributeList m_attrs;
    std::string m_type;
    std::string m_name;
    std::string m_value;
    std::vector<Option> m_options;
    std::vector<std::string> m_lines;
    int m_width = 0;
    int m_height = 0;
    int m_x = 0;
    int m_y = 0;
};
