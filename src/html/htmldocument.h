#pragma once

#include "html/imagemap.h"
#include "html/pageform.h"
#include "html/sectionbase.h"
#include "html/textformat.h"

#include <map>
#include <memory>
#include <string>
#include <vector>

class CFormControl;
class HtmlWindow;
class QImage;
struct CFormCopy;
struct CFormManager;

// A parsed page: its blocks in order, with the title, colours, anchors, image maps, links
// and forms. Owns everything the parser made for it until clear().
class HtmlDocument final {
public:
    // A link that needs a focusable link window: its URL, number and the block holding it.
    struct LinkInfo {
        std::string url;
        int number = 0;
        CSectionBase* block = nullptr;
        bool isMap = false;
    };

    HtmlDocument();
    ~HtmlDocument();
    HtmlDocument(const HtmlDocument&) = delete;
    HtmlDocument& operator=(const HtmlDocument&) = delete;

    void clear();

    SectionList& body() { return m_body; }
    const SectionList& body() const { return m_body; }

    // Lays out every block at the usable width from `top`; returns the content height.
    int Layout(pf::Dc& dc, int width, int top = 0);
    int contentWidth() const { return m_contentWidth; }
    int contentHeight() const { return m_contentHeight; }
    // Paints the blocks meeting `visible` (page coordinates) with the page origin at (dx, dy).
    void Draw(pf::Dc& dc, const pf::Rect& visible, int dx, int dy);
    int HitTestLink(int x, int y, pf::Point* where) const;
    void PlaceControls(int dx, int dy);

    // Values scaled by the text scale: value × scale ÷ 12.
    int scaled(int value) const { return value * m_textScale / 12; }

    // Faces and scale the parser reads; the window sets them before a load.
    std::string proportionalFace = "Times New Roman";
    std::string fixedFace = "Courier New";
    std::uint16_t defaultStyle = 0;
    qv::Colour defaultTextColour = qv::paletteRgb(0, 0, 0);
    int textScale() const { return m_textScale; }
    void setTextScale(int scale) { m_textScale = scale < 1 ? 1 : (scale > 200 ? 200 : scale); }

    // Written by the parser.
    std::string title;
    qv::Colour textColour = qv::paletteRgb(0, 0, 0);
    qv::Colour linkColour = qv::paletteRgb(0, 0, 255);
    qv::Colour backgroundColour = qv::paletteRgb(255, 255, 255);
    std::string backgroundImage;
    std::map<std::string, CSectionBase*> anchors; // upper-cased name → block
    std::vector<std::unique_ptr<ImageMap>> imageMaps;
    std::vector<LinkInfo> links;
    std::vector<std::unique_ptr<PageForm>> forms;
    std::string baseHref;
    // Where relative image paths are looked up (the page file's folder), with trailing '/'.
    std::string imageFolder;
    std::string baseTarget;

    // The window the page is shown in; its controls get child windows only when there is
    // one. Set by the window before it parses.
    HtmlWindow* window = nullptr;
    // The return the page's bound controls edit: the form manager of the page's module
    // (null outside a return), the module's number and the copy the page belongs to.
    void setReturnContext(CFormManager* manager, int moduleNumber, CFormCopy* currentCopy) {
        m_formManager = manager;
        m_moduleNumber = moduleNumber;
        m_currentCopy = currentCopy;
    }
    CFormManager* formManager() const { return m_formManager; }
    int moduleNumber() const { return m_moduleNumber; }
    CFormCopy* currentCopy() const { return m_currentCopy; }
    // The control named by SETFOCUS, the page's first focus.
    CFormControl* initialFocus = nullptr;
    // The copy and field of the bound control that last received the focus.
    CFormCopy* focusCopy = nullptr;
    int focusField = 0;
    // Every control of the page in page order (owned by their forms).
    const std::vector<CFormControl*>& controls() const { return m_controls; }
    void addControl(CFormControl* control) { m_controls.push_back(control); }

    const ImageMap* findMap(const std::string& name) const;
    // The URL of link `number`, empty when there is none.
    std::string linkUrl(int number) const;

    // Images by upper-cased name, loaded once per page; null when it cannot be loaded.
    const QImage* image(const std::string& name);

    bool printing() const { return m_printing; }
    void setPrinting(bool printing) { m_printing = printing; }
    int focusedLink() const { return m_focusedLink; }
    void setFocusedLink(int number) { m_focusedLink = number; }

    // A sunken or raised frame in the page's frame colours.
    void drawFrame(pf::Dc& dc, const pf::Rect& r, bool sunken) const;

private:
    SectionList m_body;
    int m_textScale = 12;
    int m_contentWidth = 0;
    int m_contentHeight = 0;
    bool m_printing = false;
    int m_focusedLink = 0;
    std::map<std::string, std::unique_ptr<QImage>> m_images;
    std::vector<CFormControl*> m_controls;
    CFormManager* m_formManager = nullptr;
    int m_moduleNumber = 1;
    CFormCopy* m_currentCopy = nullptr;
};

namespace qv {

// Colour attribute values: a colour name, or hex digits after an optional '#'.
Colour parseColour(const std::string& value);

// Lays out a section list (the document body, a table cell or caption) from `top` between
// `left` and `right`; returns the bottom of its last block or float.
int layoutList(SectionList& list, pf::Dc& dc, int top, int left, int right, int* widest);
void minMaxOfList(SectionList& list, pf::Dc& dc, int& minimum, int& maximum);

} // namespace qv
