#pragma once

#include "forms/formlayout.h"
#include "forms/historylist.h"
#include "platform/messages.h"

#include <QAbstractScrollArea>

#include <functional>
#include <memory>
#include <string>
#include <vector>

class CModuleList;
class CTaxModule;
class CFieldCombo;
class CFieldEdit;
class CMessageBalloon;
class QPushButton;
struct CField;
struct CFormCopy;
struct CFormManager;

namespace pf {
class Dc;
}

namespace qv {

// Messages of the page window itself.
enum PageMsg : unsigned {
    UM_REDRAW_PAGE = 0x80E,
    UM_PAGE_EXIT = 0x80F, // acts as the Exit button
};

// One copy of a form drawn as its paper form from the module's layout, with the in-place
// editor over the box that has the entry focus. Coordinates of the layout are twips, y up;
// the page's x = 0 sits 125 twips right of the window's left edge and its y = 0 500 twips
// below the top edge, both moved by the scroll position.
class CFormPageWnd final : public QAbstractScrollArea, public pf::MsgTarget {
    Q_OBJECT
public:
    // `view` hears UM_VALUE_STORED; `frame` UM_FIELD_STATUS and UM_SET_CAPTION. The small
    // pane of the window panes is no main view: it sends no caption, keeps no history and
    // shows no Exit button.
    CFormPageWnd(CModuleList& modules, QWidget* parent, pf::MsgTarget* view = nullptr,
                 pf::MsgTarget* frame = nullptr, bool mainView = true);
    ~CFormPageWnd() override;

    // Reads the copy's layout, binds it and asks for the field (blank when anything is
    // missing).
    void OpenCopy(const FieldRef& ref);
    // Result of focusing a control number.
    enum class Focus { Moved, Refused, NotTaken };
    Focus FocusControl(int controlNumber, bool scroll = true);
    // Stores the box being edited; false when the value was refused (the focus stays).
    bool StoreCurrent();
    // Previous / next control number that takes the focus, skipping the ones that do not.
    bool MoveNext();
    bool MovePrevious();

    pf::LRESULT onMessage(unsigned msg, pf::WPARAM wparam, pf::LPARAM lparam) override;

    // Draws the page onto `dc` for the device area `area` (pixels of the viewport).
    void PaintPage(pf::Dc& dc, const QRect& area) const;

    // Scrolling steps and the wheel.
    enum class Scroll { LineUp, LineDown, PageUp, PageDown, Top, Bottom };
    void ScrollVertical(Scroll how);
    void ScrollHorizontal(Scroll how);
    void WheelStep(bool up);

    const FieldRef& fieldRef() const { return m_ref; }
    CTaxModule* module() const { return m_module; }
    CFormCopy* copy() const { return m_copy; }
    CField* currentField() const { return m_field; }
    int currentControl() const { return m_current; }
    bool isLoaded() const { return !m_records.empty(); }
    bool isClosed() const { return m_closed; }
    const std::string& layoutName() const { return m_layoutName; }
    const std::vector<LayoutRecord>& records() const { return m_records; }
    const std::vector<CField*>& bindings() const { return m_fields; }
    int lastHotSpot() const { return m_lastHotSpot; }
    std::uint32_t backgroundColour() const;
    // Line-item details ("FDETAILS") are drawn on white, every form on cream.
    static std::uint32_t backgroundFor(const std::string& layoutName);
    // The records drawn with the focus mark or hosting an editor are found by control number.
    const LayoutRecord* recordOf(int controlNumber) const;

    CFieldEdit* editor() const { return m_edit; }
    CFieldCombo* choiceList() const { return m_combo; }
    CMessageBalloon* balloon() const { return m_balloon; }
    QPushButton* exitButton() const { return m_exit; }
    bool editorVisible() const;

    void setHistoryIndex(int index) { m_historyIndex = index; }
    int historyIndex() const { return m_historyIndex; }
    // Set while the program shuts down: closing then leaves every copy as it is.
    void setShuttingDown(bool on) { m_shuttingDown = on; }

    // Hooks the owner fills in.
    std::function<void()> onMarkModified;                // the return's modified mark
    std::function<void(const FieldRef&)> onFieldChanged; // the history entry follows
    std::function<void()> onExit;                        // the Exit button
    std::function<bool()> onOpenSupportingForm;          // true when a form was opened
    // Asks whether a calculated check box may be overridden: 1 override, 2 open the
    // supporting form instead, 0 cancel.
    std::function<int(CField&)> onOverridePrompt;

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void scrollContentsBy(int dx, int dy) override;
    bool event(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;

private:
    void setupMapping(pf::Dc& dc) const;
    QRect deviceRect(const LayoutBounds& box) const;
    LayoutBounds logicalRect(const QRect& device) const;
    void placeExitButton();
    void updateScrollRange();
    void freeLayout();
    void hideBalloon();
    void showEntryError(int kind, CField* field);
    void hideEditors();
    void showEditor(std::size_t record);
    void showChoiceList(std::size_t record);
    void scrollIntoView(const QRect& box);
    void setCurrentField(CField* field);
    void click(const QPoint& pos, bool doubleClick);
    void toggle(std::size_t record);
    int askOverride(CField& field);
    bool storeChoice();
    void markModified(CField* field);
    void valueStored();
    int gotoField(int fieldNumber);
    int maxControl() const;
    std::size_t recordIndexOf(int controlNumber) const;

    CModuleList& m_modules;
    pf::MsgTarget* m_view;
    pf::MsgTarget* m_frame;
    bool m_mainView;

    FieldRef m_ref;
    CTaxModule* m_module = nullptr;
    CFormManager* m_fm = nullptr;
    CFormCopy* m_copy = nullptr;
    std::string m_layoutName;
    std::vector<LayoutRecord> m_records;
    std::vector<CField*> m_fields;
    std::int32_t m_pageHeight = 0;
    std::int32_t m_pageWidth = 0;

    int m_current = 0;
    CField* m_field = nullptr;
    std::size_t m_editRecord = SIZE_MAX;
    int m_lastHotSpot = 0;
    int m_historyIndex = -1;
    bool m_closed = false;
    bool m_shuttingDown = false;

    class PageHost;
    std::unique_ptr<PageHost> m_host;
    CFieldEdit* m_edit = nullptr;
    CFieldCombo* m_combo = nullptr;
    CMessageBalloon* m_balloon = nullptr;
    QPushButton* m_exit = nullptr;
};

} // namespace qv
