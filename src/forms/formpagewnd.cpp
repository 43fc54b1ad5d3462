#include "forms/formpagewnd.h"

#include "forms/boundlayout.h"
#include "forms/fieldcombo.h"
#include "forms/fieldedit.h"
#include "forms/fieldedithost.h"
#include "forms/fieldformat.h"
#include "forms/fieldstore.h"
#include "forms/layoutpainter.h"
#include "forms/messageballoon.h"
#include "forms/overridedlg.h"
#include "interview/formcreation.h"
#include "interview/modulelistset.h"
#include "modules/modulelist.h"
#include "modules/taxmodule.h"
#include "platform/dc.h"
#include "platform/dialogs.h"
#include "platform/messagebox.h"
#include "platform/misc.h"
#include "platform/text.h"

#include <quorva/field.h>
#include <quorva/formcopy.h>
#include <quorva/formmanager.h>

#include <QAbstractItemView>
#include <QComboBox>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QScrollBar>
#include <QStyle>
#include <QWheelEvent>

#include <algorithm>
#include <cstring>

namespace qv {
namespace {

constexpr int kEditId = 2000;
constexpr int kComboId = 2001;
constexpr int kBalloonId = 1002;
constexpr int kExitId = 138;
constexpr int kTwipsPerPixel = 15; // the screen has 96 pixels per inch
constexpr int kOriginX = 125;      // the page's x = 0, in twips from the window's left edge
constexpr int kOriginY = 500;      // the page's y = 0, in twips below the window's top edge
constexpr pf::COLORREF kCream = pf::RGB(239, 231, 214);
constexpr pf::COLORREF kWhite = pf::RGB(255, 255, 255);
constexpr unsigned kUserChange = CF_CHANGED; // 0x140000

bool bindsField(LayoutKind kind) {
    return BoundLayout::bindsField(kind);
}

bool isExitBox(const LayoutRecord& r) {
    return r.kind == LK_ENTRY && pf::upper(r.fieldName) == "EXIT";
}

QColor qcolour(pf::COLORREF c) {
    return QColor(pf::GetRValue(c), pf::GetGValue(c), pf::GetBValue(c));
}

} // namespace

// The editors' view of the page: the modified mark, supporting forms and the field status
// go through the page's owner.
class CFormPageWnd::PageHost final : public CFieldEditHost {
public:
    explicit PageHost(CFormPageWnd& page) : m_page(page) {}
    void MarkReturnModified() override {
        if (m_page.onMarkModified)
            m_page.onMarkModified();
    }
    bool HasSupportingForm(CField&) override { return bool(m_page.onOpenSupportingForm); }
    bool OpenSupportingForm(CField&) override {
        return m_page.onOpenSupportingForm && m_page.onOpenSupportingForm();
    }
    bool InFormPane() override { return !m_page.m_mainView; }
    void FieldStatusChanged(CField& field) override {
        if (m_page.m_frame)
            pf::sendMessage(m_page.m_frame, pf::UM_FIELD_STATUS, 0,
                            reinterpret_cast<pf::LPARAM>(&field));
    }

private:
    CFormPageWnd& m_page;
};

CFormPageWnd::CFormPageWnd(CModuleList& modules, QWidget* parent, pf::MsgTarget* view,
                           pf::MsgTarget* frame, bool mainView)
    : QAbstractScrollArea(parent), m_modules(modules), m_view(view), m_frame(frame),
      m_mainView(mainView) {
    setWindowTitle(QStringLiteral("Test Form Window"));
    pf::setCtrlId(this, 1000);
    setFocusPolicy(Qt::StrongFocus);
    setFrameShape(QFrame::NoFrame);
    viewport()->setAutoFillBackground(false);
    viewport()->setAttribute(Qt::WA_OpaquePaintEvent);

    m_host = std::make_unique<PageHost>(*this);
    m_edit = new CFieldEdit(viewport());
    pf::setCtrlId(m_edit, kEditId);
    m_edit->setFrame(false);
    m_edit->SetOwner(this);
    m_edit->SetHost(m_host.get());
    m_edit->hide();

    m_combo = new CFieldCombo(viewport());
    pf::setCtrlId(m_combo, kComboId);
    m_combo->SetOwner(this);
    m_combo->SetHost(m_host.get());
    m_combo->hide();

    m_balloon = new CMessageBalloon(viewport(), kBalloonId);
    m_balloon->Hide();

    m_exit = new QPushButton(QStringLiteral("Exit"), viewport());
    pf::setCtrlId(m_exit, kExitId);
    m_exit->hide();
    connect(m_exit, &QPushButton::clicked, this, [this] {
        if (onExit)
            onExit();
    });

    connect(verticalScrollBar(), &QScrollBar::actionTriggered, this, [this](int action) {
        // A line up is 100 pixels, a line down 50: the two steps differ on purpose.
        QScrollBar* bar = verticalScrollBar();
        if (action == QAbstractSlider::SliderSingleStepSub)
            bar->setSliderPosition(bar->value() - 100);
        else if (action == QAbstractSlider::SliderSingleStepAdd)
            bar->setSliderPosition(bar->value() + 50);
    });
    connect(horizontalScrollBar(), &QScrollBar::actionTriggered, this, [this](int action) {
        QScrollBar* bar = horizontalScrollBar();
        if (action == QAbstractSlider::SliderSingleStepSub)
            bar->setSliderPosition(bar->value() - 100);
        else if (action == QAbstractSlider::SliderSingleStepAdd)
            bar->setSliderPosition(bar->value() + 50);
    });
}

CFormPageWnd::~CFormPageWnd() = default;

std::uint32_t CFormPageWnd::backgroundFor(const std::string& layoutName) {
    return pf::upper(layoutName) == "FDETAILS" ? kWhite : kCream;
}

std::uint32_t CFormPageWnd::backgroundColour() const {
    return backgroundFor(m_layoutName);
}

bool CFormPageWnd::editorVisible() const {
    return m_edit->isVisibleTo(viewport()) || m_combo->isVisibleTo(viewport());
}

// ---- opening and binding -------------------------------------------------------------

void CFormPageWnd::OpenCopy(const FieldRef& ref) {
    hideBalloon();
    freeLayout();
    m_closed = false;
    m_ref = ref;
    m_module = m_modules.GetByNumber(ref.module);
    if (!m_module || !m_module->formManager())
        return;
    m_fm = m_module->formManager();
    m_copy = m_fm->FindFormCopy(ref.form, ref.copy);
    if (!m_copy)
        return;
    m_copy->SetCopyFlag(CF_OPEN, 1);

    m_layoutName = m_module->GetFormName(ref.form);
    BoundLayout layout;
    if (!layout.load(*m_module, ref.form, *m_copy))
        return;
    m_records = std::move(layout.records);
    m_fields = std::move(layout.fields);
    m_pageHeight = layout.pageHeight;
    m_pageWidth = layout.pageWidth;
    placeExitButton();
    if (layout.failures > 0)
        pf::beep();
    updateScrollRange();
    m_combo->hide();
    m_copy->Prepare();
    if (m_view)
        pf::sendMessage(m_view, pf::UM_VALUE_STORED);

    const std::string caption = m_module->GetModuleTitle() + " " + m_module->GetFormTitle(ref.form);
    if (m_mainView && m_frame)
        pf::sendMessage(m_frame, pf::UM_SET_CAPTION, 0,
                        reinterpret_cast<pf::LPARAM>(caption.c_str()));

    setUpdatesEnabled(false);
    m_edit->setModified(false);
    if (m_mainView)
        pf::postMessage(this, pf::UM_GOTO_FIELD, ref.field, ref.form);
    else
        pf::sendMessage(this, pf::UM_GOTO_FIELD, ref.field, ref.form);
    setUpdatesEnabled(true);
    verticalScrollBar()->setValue(0);
    horizontalScrollBar()->setValue(0);
    viewport()->update();
}

void CFormPageWnd::placeExitButton() {
    if (!m_mainView)
        return;
    for (const LayoutRecord& r : m_records) {
        if (!isExitBox(r))
            continue;
        const QRect box = deviceRect(Normalize(r.box));
        m_exit->adjustSize();
        m_exit->move(box.center().x() - m_exit->width() / 2, box.top());
        m_exit->show();
        break;
    }
}

void CFormPageWnd::freeLayout() {
    hideEditors();
    m_exit->hide();
    m_records.clear();
    m_fields.clear();
    m_pageHeight = m_pageWidth = 0;
    m_current = 0;
    m_field = nullptr;
    m_lastHotSpot = 0;
}

void CFormPageWnd::updateScrollRange() {
    const int width = m_pageWidth / kTwipsPerPixel;
    const int height = std::abs(m_pageHeight) / kTwipsPerPixel;
    horizontalScrollBar()->setRange(0, std::max(0, width - viewport()->width()));
    verticalScrollBar()->setRange(0, std::max(0, height - viewport()->height()));
    horizontalScrollBar()->setPageStep(std::max(1, viewport()->width()));
    verticalScrollBar()->setPageStep(std::max(1, viewport()->height()));
}

// ---- geometry --------------------------------------------------------------------------

void CFormPageWnd::setupMapping(pf::Dc& dc) const {
    dc.setMapMode(pf::MM_TWIPS);
    dc.setWindowOrg(-kOriginX + horizontalScrollBar()->value() * kTwipsPerPixel,
                    kOriginY - verticalScrollBar()->value() * kTwipsPerPixel);
}

QRect CFormPageWnd::deviceRect(const LayoutBounds& b) const {
    pf::Dc dc;
    setupMapping(dc);
    const pf::Rect d = dc.lpToDp(pf::Rect{b.left, b.top, b.right, b.bottom});
    return QRect(d.left, d.top, d.width(), d.height());
}

LayoutBounds CFormPageWnd::logicalRect(const QRect& device) const {
    pf::Dc dc;
    setupMapping(dc);
    const pf::Point a = dc.dpToLp({device.left(), device.top()});
    const pf::Point b = dc.dpToLp({device.right() + 1, device.bottom() + 1});
    return {std::min(a.x, b.x), std::max(a.y, b.y), std::max(a.x, b.x), std::min(a.y, b.y)};
}

// ---- painting --------------------------------------------------------------------------

void CFormPageWnd::PaintPage(pf::Dc& dc, const QRect& area) const {
    // The screen counts 96 pixels per inch whatever the host says.
    pf::Dc::DeviceInfo info = dc.deviceInfo();
    info.dpiX = info.dpiY = 96;
    dc.setDeviceInfo(info);
    setupMapping(dc);
    LayoutPainter::Options options;
    options.area = logicalRect(area);
    options.pageBottom = m_pageHeight;
    options.focusControl = m_current;
    LayoutPainter::paint(dc, m_records, m_fields, options);
}

void CFormPageWnd::paintEvent(QPaintEvent* event) {
    QPainter painter(viewport());
    const QRect area = event->rect();
    painter.fillRect(area, qcolour(backgroundColour()));
    if (m_records.empty())
        return;
    {
        pf::Dc dc(&painter);
        PaintPage(dc, area);
    }
    // The editor sits on the focused box with a drop shadow 5 pixels (75 twips) down right.
    if (m_edit->isVisibleTo(viewport()) && m_editRecord < m_records.size() &&
        m_records[m_editRecord].controlNumber == m_current)
        painter.fillRect(m_edit->geometry().translated(5, 5), Qt::black);
}

void CFormPageWnd::resizeEvent(QResizeEvent* event) {
    QAbstractScrollArea::resizeEvent(event);
    updateScrollRange();
}

void CFormPageWnd::scrollContentsBy(int dx, int dy) {
    // Scrolling the viewport moves the editors and the Exit button with the page.
    viewport()->scroll(dx, dy);
}

// ---- focus -----------------------------------------------------------------------------

std::size_t CFormPageWnd::recordIndexOf(int controlNumber) const {
    for (std::size_t i = 0; i < m_records.size(); ++i) {
        if (bindsField(m_records[i].kind) && m_records[i].controlNumber == controlNumber)
            return i;
    }
    return SIZE_MAX;
}

const LayoutRecord* CFormPageWnd::recordOf(int controlNumber) const {
    const std::size_t i = recordIndexOf(controlNumber);
    return i < m_records.size() ? &m_records[i] : nullptr;
}

int CFormPageWnd::maxControl() const {
    int most = 0;
    for (const LayoutRecord& r : m_records) {
        if (bindsField(r.kind))
            most = std::max(most, int(r.controlNumber));
    }
    return most;
}

void CFormPageWnd::setCurrentField(CField* field) {
    m_field = field;
    if (m_frame && field)
        pf::sendMessage(m_frame, pf::UM_FIELD_STATUS, 0, reinterpret_cast<pf::LPARAM>(field));
    if (m_mainView && field && onFieldChanged) {
        FieldRef ref = m_ref;
        ref.field = std::uint16_t(field->GetFieldNumber());
        onFieldChanged(ref);
    }
}

CFormPageWnd::Focus CFormPageWnd::FocusControl(int n, bool scroll) {
    const int old = m_current;
    m_current = n;
    if (!StoreCurrent()) {
        m_current = old;
        return Focus::Refused;
    }
    hideBalloon();
    const std::size_t i = recordIndexOf(n);
    bool taken = false;
    if (i < m_records.size()) {
        const LayoutRecord& r = m_records[i];
        CField* field = m_fields[i];
        const bool noFocus = field && field->TestFlag(FF_NOFOCUS);
        switch (r.kind) {
        case LK_ENTRY:
            if (noFocus && !isExitBox(r))
                break;
            taken = true;
            setCurrentField(field);
            if (isExitBox(r)) {
                hideEditors();
                m_exit->setFocus();
            } else {
                showEditor(i);
            }
            break;
        case LK_OPTION:
        case LK_CHECK:
        case LK_HOTSPOT:
            if (noFocus)
                break;
            taken = true;
            setCurrentField(field);
            hideEditors();
            viewport()->update();
            if (m_mainView)
                setFocus();
            break;
        case LK_CHOICE:
            taken = true;
            setCurrentField(field);
            hideEditors();
            showChoiceList(i);
            break;
        default:
            break;
        }
    }
    if (!taken) {
        m_current = old;
        return Focus::NotTaken;
    }
    viewport()->update();
    if (scroll)
        scrollIntoView(deviceRect(LayoutPainter::bounds(m_records[i])));
    return Focus::Moved;
}

bool CFormPageWnd::MoveNext() {
    const int last = maxControl();
    for (int n = m_current + 1; n <= last; ++n) {
        const Focus f = FocusControl(n);
        if (f == Focus::Moved)
            return true;
        if (f == Focus::Refused)
            return false;
    }
    return false;
}

bool CFormPageWnd::MovePrevious() {
    for (int n = m_current - 1; n >= 1; --n) {
        const Focus f = FocusControl(n);
        if (f == Focus::Moved)
            return true;
        if (f == Focus::Refused)
            return false;
    }
    return false;
}

void CFormPageWnd::scrollIntoView(const QRect& box) {
    const int clientHeight = viewport()->height();
    QScrollBar* bar = verticalScrollBar();
    const int bottom = box.top() + box.height();
    if (bottom > clientHeight) {
        bar->setValue(bar->value() + bottom - (clientHeight - 5));
    } else if (box.top() < 0) {
        const int pageTop = box.top() + bar->value(); // the box's top from the page's top
        bar->setValue(pageTop < 50 ? 0 : pageTop - 15);
    }
}

void CFormPageWnd::hideEditors() {
    m_edit->hide();
    m_combo->hide();
    m_editRecord = SIZE_MAX;
}

void CFormPageWnd::showEditor(std::size_t i) {
    const LayoutRecord& r = m_records[i];
    CField* field = m_fields[i];
    m_combo->hide();
    m_editRecord = i;
    m_edit->setGeometry(deviceRect(Normalize(r.box)));
    m_edit->SetUp(field, r.controlNumber, r.layoutFlags, r.decimals, r.decimals);
    m_edit->show();
    m_edit->setFocus();
}

void CFormPageWnd::showChoiceList(std::size_t i) {
    const LayoutRecord& r = m_records[i];
    CField* field = m_fields[i];
    m_editRecord = i;
    m_combo->SetUp(field, r.controlNumber);
    int widest = 0;
    const QFontMetrics fm(m_combo->font());
    for (int c = 0; c < m_combo->count(); ++c)
        widest = std::max(widest, fm.horizontalAdvance(m_combo->itemText(c)));
    const int dropWidth = std::max(10, widest + style()->pixelMetric(QStyle::PM_ScrollBarExtent) +
                                           fm.horizontalAdvance(QLatin1Char('X')));
    const QRect box = deviceRect(Normalize(r.box));
    int left = box.left();
    const int width = dropWidth + 10;
    if (left + width > viewport()->width() - 15)
        left = std::max(0, viewport()->width() - 15 - width);
    m_combo->setGeometry(left, box.top(), width, box.height());
    m_combo->view()->setMinimumWidth(dropWidth);
    m_combo->show();
    m_combo->setFocus();
}

// ---- storing ---------------------------------------------------------------------------

void CFormPageWnd::markModified(CField* field) {
    if (!m_copy || m_copy->TestFlag(CF_NOTMODIFYING) || (field && field->TestFlag(FF_NOTMODIFYING)))
        return;
    if (onMarkModified)
        onMarkModified();
}

void CFormPageWnd::valueStored() {
    if (m_view)
        pf::sendMessage(m_view, pf::UM_VALUE_STORED);
    pf::postMessage(this, UM_REDRAW_PAGE);
}

bool CFormPageWnd::storeChoice() {
    if (!m_combo->IsModified() || m_editRecord >= m_records.size() || !m_fields[m_editRecord])
        return true;
    m_combo->SetModified(false);
    StoreContext context;
    context.markModified = [this] {
        if (onMarkModified)
            onMarkModified();
    };
    pf::WaitCursor wait;
    StoreChoiceText(*m_fields[m_editRecord], m_combo->Text(), context);
    valueStored();
    return true;
}

bool CFormPageWnd::StoreCurrent() {
    if (m_editRecord >= m_records.size())
        return true;
    if (m_combo->isVisibleTo(viewport()))
        return storeChoice();
    if (!m_edit->isVisibleTo(viewport()) || !m_edit->isModified())
        return true;
    const LayoutRecord& r = m_records[m_editRecord];
    CField* field = m_fields[m_editRecord];
    if (!field)
        return true;
    StoreContext context;
    context.layoutFlags = r.layoutFlags;
    context.decimals = r.decimals;
    context.markModified = [this] {
        if (onMarkModified)
            onMarkModified();
    };
    StoreResult result;
    {
        pf::WaitCursor wait;
        result = StoreFieldText(*field, m_edit->Text(), context);
    }
    if (result.outcome == StoreOutcome::Refused) {
        pf::beep();
        pf::sendMessage(this, pf::UM_ENTRY_ERROR, pf::WPARAM(result.error),
                        reinterpret_cast<pf::LPARAM>(field));
        return false;
    }
    m_edit->setModified(false);
    if (result.outcome == StoreOutcome::Stored)
        valueStored();
    return true;
}

// ---- the balloon -----------------------------------------------------------------------

void CFormPageWnd::hideBalloon() {
    m_balloon->Hide();
}

void CFormPageWnd::showEntryError(int kind, CField* field) {
    // The refused box keeps the entry focus, even when a click on the page took it away.
    if (field && m_edit->isVisibleTo(viewport()))
        m_edit->setFocus();
    m_balloon->ShowEntryError(m_edit, field, kind);
}

// ---- messages --------------------------------------------------------------------------

int CFormPageWnd::gotoField(int fieldNumber) {
    int control = 1;
    if (fieldNumber != 0) {
        for (std::size_t i = 0; i < m_records.size(); ++i) {
            if (m_fields[i] && bindsField(m_records[i].kind) &&
                m_fields[i]->GetFieldNumber() == fieldNumber) {
                control = m_records[i].controlNumber;
                break;
            }
        }
    }
    return FocusControl(control) == Focus::Moved ? 1 : 0;
}

pf::LRESULT CFormPageWnd::onMessage(unsigned msg, pf::WPARAM wparam, pf::LPARAM lparam) {
    switch (msg) {
    case pf::UM_MOVE_FIELD:
        if (wparam == 0)
            return MoveNext() ? 1 : 0;
        if (wparam == 1)
            return m_current > 1 && MovePrevious() ? 1 : 0;
        return FocusControl(m_current) == Focus::Moved ? 1 : 0;
    case pf::UM_SHOW_FIELD:
        if (m_editRecord < m_records.size())
            scrollIntoView(deviceRect(Normalize(m_records[m_editRecord].box)));
        return 1;
    case pf::UM_ENTRY_ERROR:
        if (lparam == -1)
            return 0;
        showEntryError(int(wparam), reinterpret_cast<CField*>(lparam));
        return 1;
    case pf::UM_CANCEL_ENTRY:
        if (wparam == 0)
            hideBalloon();
        return 1;
    case pf::UM_COMMIT_FIELD: {
        if (!StoreCurrent()) {
            if (lparam == 1 && m_editRecord < m_records.size())
                scrollIntoView(deviceRect(Normalize(m_records[m_editRecord].box)));
            return 0;
        }
        if (wparam == 1 && m_copy)
            m_copy->SetCopyFlag(CF_OPEN, 0);
        return 1;
    }
    case pf::UM_GET_FIELD_REF:
        return CFieldEdit::PackFieldRef(m_ref);
    case CFieldEdit::kWmCommand:
        // Commands the editors pass on (details, supporting form) belong to the view.
        return m_view ? pf::sendMessage(m_view, msg, wparam, lparam) : 0;
    case CFieldEdit::kWmVScroll:
        ScrollVertical(wparam == CFieldEdit::kSbPageUp ? Scroll::PageUp : Scroll::PageDown);
        return 1;
    case UM_REDRAW_PAGE:
        viewport()->update();
        return 1;
    case UM_PAGE_EXIT:
        if (onExit)
            onExit();
        return 1;
    case pf::UM_MIRROR_TEXT: {
        const auto* mirror = reinterpret_cast<const CFieldEdit::MirrorText*>(lparam);
        if (!mirror || mirror->formIndex != m_ref.form || !mirror->field)
            return 0;
        const int type = mirror->field->GetType();
        if (type == FT_CHECK || type == FT_OPTION) {
            viewport()->update();
        } else if (type == FT_CHOICE) {
            if (m_combo->isVisibleTo(viewport()))
                m_combo->setCurrentIndex(m_combo->findText(pf::toQt(mirror->text)));
        } else if (type != 11 && m_edit->isVisibleTo(viewport())) {
            m_edit->setText(pf::toQt(mirror->text));
            m_edit->setModified(true);
        }
        return 1;
    }
    case pf::UM_GOTO_FIELD:
        if (int(lparam) != m_ref.form || m_records.empty())
            return 0;
        return gotoField(int(wparam));
    case pf::UM_CLOSE_PAGE: {
        hideBalloon();
        const bool wasClosed = m_closed;
        freeLayout();
        if (!m_shuttingDown && !wasClosed && m_copy) {
            m_copy->SetCopyFlag(CF_OPEN, 0);
            if (!m_copy->TestFlag(CF_HASENTRIES | CF_REQUIRED)) {
                ModuleListSet set(m_modules);
                CopyContext context{std::uint8_t(m_ref.module), m_ref.form, m_ref.copy};
                FormCreation::DeleteCopy(set, m_modules.returnFile(), context);
            }
        }
        m_copy = nullptr;
        m_closed = true;
        viewport()->update();
        return 1;
    }
    case pf::UM_GET_FIELD_WIDTH: {
        auto* field = reinterpret_cast<CField*>(lparam);
        for (std::size_t i = 0; i < m_records.size(); ++i) {
            if (m_records[i].kind == LK_ENTRY && field && m_fields[i] == field)
                return m_records[i].decimals;
        }
        return 0;
    }
    default:
        return 0;
    }
}

// ---- keys, mouse, wheel, scrolling -----------------------------------------------------

bool CFormPageWnd::event(QEvent* event) {
    // Tab and Shift+Tab move between boxes, not between Qt's focus chain.
    if (event->type() == QEvent::KeyPress) {
        auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_Tab || key->key() == Qt::Key_Backtab) {
            keyPressEvent(key);
            return true;
        }
    }
    return QAbstractScrollArea::event(event);
}

void CFormPageWnd::keyPressEvent(QKeyEvent* event) {
    hideBalloon();
    const bool shift = event->modifiers() & Qt::ShiftModifier;
    switch (event->key()) {
    case Qt::Key_Tab:
        if (shift)
            onMessage(pf::UM_MOVE_FIELD, 1, 0);
        else
            onMessage(pf::UM_MOVE_FIELD, 0, 0);
        break;
    case Qt::Key_Backtab:
    case Qt::Key_Left:
    case Qt::Key_Up:
        onMessage(pf::UM_MOVE_FIELD, 1, 0);
        break;
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Right:
    case Qt::Key_Down:
        onMessage(pf::UM_MOVE_FIELD, 0, 0);
        break;
    case Qt::Key_Space: {
        const std::size_t i = recordIndexOf(m_current);
        if (i < m_records.size())
            click(deviceRect(Normalize(m_records[i].box)).center(), false);
        break;
    }
    case Qt::Key_PageUp:
        ScrollVertical(Scroll::PageUp);
        break;
    case Qt::Key_PageDown:
        ScrollVertical(Scroll::PageDown);
        break;
    case Qt::Key_Shift:
    case Qt::Key_Control:
        break;
    default:
        pf::beep();
        break;
    }
    event->accept();
}

void CFormPageWnd::mousePressEvent(QMouseEvent* event) {
    click(event->position().toPoint(), false);
}

void CFormPageWnd::mouseDoubleClickEvent(QMouseEvent* event) {
    click(event->position().toPoint(), true);
}

void CFormPageWnd::click(const QPoint& pos, bool doubleClick) {
    hideBalloon();
    const LayoutBounds at = logicalRect(QRect(pos, QSize(1, 1)));
    for (std::size_t i = 0; i < m_records.size(); ++i) {
        const LayoutRecord& r = m_records[i];
        if (!bindsField(r.kind) || !LayoutPainter::bounds(r).contains(at.left, at.top))
            continue;
        CField* field = m_fields[i];
        if (doubleClick && field && field->TestFlag(FF_SUPPORTED) && onOpenSupportingForm) {
            if (StoreCurrent())
                onOpenSupportingForm();
            return;
        }
        switch (r.kind) {
        case LK_ENTRY:
            if (FocusControl(r.controlNumber) == Focus::Moved && m_edit->isVisibleTo(viewport()))
                m_edit->setFocus();
            return;
        case LK_OPTION:
        case LK_CHECK:
            if (FocusControl(r.controlNumber) != Focus::Moved)
                return;
            toggle(i);
            return;
        case LK_CHOICE:
            if (FocusControl(r.controlNumber) == Focus::Moved)
                m_combo->setFocus();
            return;
        case LK_HOTSPOT:
            m_lastHotSpot = r.controlNumber;
            hideEditors();
            return;
        default:
            return;
        }
    }
}

int CFormPageWnd::askOverride(CField& field) {
    COverrideDlg dialog(field, m_ref.form, *m_host, this);
    const int result = pf::execDialog(dialog);
    if (result == COverrideDlg::IdOverrideValue)
        return 1;
    return result == COverrideDlg::IdOpenSupportingForm ? 2 : 0;
}

void CFormPageWnd::toggle(std::size_t i) {
    const LayoutRecord& r = m_records[i];
    CField* field = m_fields[i];
    if (!field || !m_copy)
        return;
    if (r.kind == LK_CHECK) {
        if (field->TestFlag(FF_PROTECTED)) {
            pf::messageBox("You may not modify a protected field.",
                           pf::MB_OK | pf::MB_ICONEXCLAMATION);
            return;
        }
        if (NeedsOverride(*field)) {
            const int answer = onOverridePrompt ? onOverridePrompt(*field) : askOverride(*field);
            if (answer == 0)
                return;
            if (answer == 2) {
                if (onOpenSupportingForm && onOpenSupportingForm())
                    return;
            } else {
                field->SetFlag(FF_OVERRIDDEN, 1);
            }
        }
    }
    {
        pf::WaitCursor wait;
        if (r.group)
            m_copy->SelectOption(field->GetFieldNumber());
        else
            field->SetChecked(field->IsSet() ? 0 : 1);
        markModified(field);
        field->SetFlag(FF_HASVALUE | FF_ENTERED, 1);
        m_copy->SetCopyFlag(kUserChange, 1);
        field->Refresh();
    }
    if (m_view)
        pf::sendMessage(m_view, pf::UM_VALUE_STORED);
    viewport()->update();
}

void CFormPageWnd::wheelEvent(QWheelEvent* event) {
    const int delta = event->angleDelta().y();
    if (delta != 0)
        WheelStep(delta > 0);
    event->accept();
}

void CFormPageWnd::WheelStep(bool up) {
    // Only a whole step moves: closer than 50 pixels to an end the page stays.
    QScrollBar* bar = verticalScrollBar();
    const int to = bar->value() + (up ? -50 : 50);
    if (to >= bar->minimum() && to <= bar->maximum())
        bar->setValue(to);
}

namespace {
void scrollBar(QScrollBar* bar, CFormPageWnd::Scroll how, int page) {
    int to = bar->value();
    switch (how) {
    case CFormPageWnd::Scroll::LineUp:
        to -= 100;
        break;
    case CFormPageWnd::Scroll::LineDown:
        to += 50;
        break;
    case CFormPageWnd::Scroll::PageUp:
        to -= page;
        break;
    case CFormPageWnd::Scroll::PageDown:
        to += page;
        break;
    case CFormPageWnd::Scroll::Top:
        to = bar->minimum();
        break;
    case CFormPageWnd::Scroll::Bottom:
        to = bar->maximum();
        break;
    }
    bar->setValue(std::clamp(to, bar->minimum(), bar->maximum()));
}
} // namespace

void CFormPageWnd::ScrollVertical(Scroll how) {
    scrollBar(verticalScrollBar(), how, viewport()->height());
}

void CFormPageWnd::ScrollHorizontal(Scroll how) {
    scrollBar(horizontalScrollBar(), how, viewport()->width());
}

} // namespace qv
