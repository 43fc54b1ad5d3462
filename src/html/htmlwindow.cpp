#include "html/htmlwindow.h"

#include "forms/fieldedit.h"
#include "forms/messageballoon.h"
#include "html/boundformcontrol.h"
#include "html/formcontrol.h"
#include "html/htmlexception.h"
#include "html/htmlparser.h"
#include "html/htmlurlwnd.h"
#include "html/parserhost.h"
#include "html/taxeditformcontrol.h"
#include "interview/moduleset.h"
#include "platform/dc.h"
#include "platform/misc.h"
#include "platform/profile.h"
#include "platform/text.h"

#include <QApplication>
#include <QDateTime>
#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QKeyEvent>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QScrollBar>

#include <quorva/formcopy.h>

#include <algorithm>
#include <cstdio>

namespace {

HtmlWindow::ArchiveReader& archiveReader() {
    static HtmlWindow::ArchiveReader reader;
    return reader;
}

std::string upperAscii(std::string s) {
    return pf::upper(std::move(s));
}

void replaceAll(std::string& s, const std::string& from, const std::string& to) {
    for (std::size_t pos = 0; (pos = s.find(from, pos)) != std::string::npos; pos += to.size())
        s.replace(pos, from.size(), to);
}

} // namespace

HtmlWindow::HtmlWindow(QWidget* parent) : QAbstractScrollArea(parent) {
    setFocusPolicy(Qt::StrongFocus);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    viewport()->setMouseTracking(true);
    viewport()->setAttribute(Qt::WA_OpaquePaintEvent);
    m_balloonWnd = new CMessageBalloon(this, 1001);
    m_balloonWnd->setObjectName(QStringLiteral("balloon1001"));
    m_balloonWnd->SetShowWithoutFocus(true);
    m_balloonWnd->hide();
}

HtmlWindow::~HtmlWindow() {
    ClearPage();
}

void HtmlWindow::setArchiveReader(ArchiveReader reader) {
    archiveReader() = std::move(reader);
}

void HtmlWindow::setReturnContext(const qv::ModuleSet* modules, int moduleNumber,
                                  CFormCopy* currentCopy) {
    m_modules = modules;
    m_moduleNumber = moduleNumber;
    m_currentCopy = currentCopy;
}

void HtmlWindow::setBackgroundColour(qv::Colour colour) {
    m_background = colour;
    m_doc.backgroundColour = colour;
    viewport()->update();
}

void HtmlWindow::setBackgroundImage(const std::string& name) {
    m_backgroundImage = name;
    m_doc.backgroundImage = name;
    viewport()->update();
}

pf::MsgTarget* HtmlWindow::host() const {
    if (m_host)
        return m_host;
    return dynamic_cast<pf::MsgTarget*>(parentWidget());
}

void HtmlWindow::ClearPage() {
    // Controls losing the focus while they go store nothing.
    m_clearing = true;
    if (QWidget* focused = QApplication::focusWidget(); focused && isAncestorOf(focused))
        setFocus(Qt::OtherFocusReason);
    m_pendingEdit = nullptr;
    if (m_balloonWnd)
        m_balloonWnd->Hide();
    for (CHTMLUrlWnd* w : m_linkWnds)
        delete w;
    m_linkWnds.clear();
    m_pressed = nullptr;
    m_pressedLink = -1;
    m_doc.clear();
    m_preprocessor.resetConditions();
    m_doc.backgroundColour = m_background;
    m_doc.backgroundImage = m_backgroundImage;
    m_title.clear();
    m_contentWidth = m_contentHeight = 0;
    m_clearing = false;
}

void HtmlWindow::MarkReturnModified() {
    if (m_markModified)
        m_markModified();
    else
        CFieldEditHost::MarkReturnModified();
}

void HtmlWindow::refreshControls() {
    QWidget* focused = QApplication::focusWidget();
    for (CFormControl* c : m_doc.controls()) {
        auto* bound = dynamic_cast<qv::BoundFormControl*>(c);
        if (!bound ||
            (c->window() && c->window() == focused && dynamic_cast<CTaxEditFormControl*>(c)))
            continue;
        bound->readValue();
    }
    viewport()->update();
}

void HtmlWindow::hideBalloon() {
    if (m_balloonWnd)
        m_balloonWnd->Hide();
}

int HtmlWindow::CommitField(bool clearOpen, QWidget* from) {
    CTaxEditFormControl* edit = m_pendingEdit;
    if (!edit)
        edit = dynamic_cast<CTaxEditFormControl*>(CFormControl::fromWindow(from));
    if (!edit)
        edit = dynamic_cast<CTaxEditFormControl*>(
            CFormControl::fromWindow(QApplication::focusWidget()));
    if (!edit || !edit->window())
        return 1;
    std::string message;
    if (!edit->store(message)) {
        m_pendingEdit = edit;
        pf::beep();
        m_balloonWnd->ShowText(edit->window(), message);
        return 0;
    }
    m_pendingEdit = nullptr;
    if (message.empty())
        m_balloonWnd->Hide();
    else
        m_balloonWnd->ShowText(edit->window(), message);
    if (clearOpen && edit->copy())
        edit->copy()->SetCopyFlag(CF_OPEN, 0);
    pf::sendMessage(host(), pf::UM_VALUE_STORED, 0, 0);
    refreshControls();
    return 1;
}

bool HtmlWindow::loadBytes(const std::string& raw) {
    std::string text;
    m_preprocessor.setModules(m_modules);
    m_preprocessor.setCurrentCopy(m_currentCopy);
    m_preprocessor.Preprocess(text, raw);
    m_doc.setReturnContext(m_modules ? m_modules->FormManager(m_moduleNumber) : nullptr,
                           m_moduleNumber, m_currentCopy);
    m_doc.setTextScale(m_textScale);
    m_doc.defaultTextColour = m_defaultText;
    m_doc.window = this;
    try {
        HtmlParser parser(qv::ParserHost::app());
        parser.Parse(m_doc, m_doc.anchors, text.data(), text.size());
    } catch (const std::exception&) {
        // The parser has shown the message already.
        ClearPage();
        relayout();
        return false;
    }
    if (m_title.empty())
        m_title = m_doc.title;
    createLinkWindows();
    relayout();
    if (CFormControl* first = m_doc.initialFocus; first && first->window())
        first->window()->setFocus(Qt::OtherFocusReason);
    return true;
}

bool HtmlWindow::LoadFile(const std::string& path) {
    ClearPage();
    m_source = path;
    QFile file(pf::toQt(path));
    if (!file.open(QIODevice::ReadOnly)) {
        relayout();
        return false;
    }
    const QByteArray bytes = file.readAll();
    const std::size_t slash = path.rfind('/');
    m_doc.imageFolder = slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
    return loadBytes(std::string(bytes.constData(), std::size_t(bytes.size())));
}

bool HtmlWindow::LoadText(const std::string& text) {
    ClearPage();
    m_source.clear();
    if (upperAscii(text.substr(0, 6)) == "<HTML>")
        return loadBytes(text);
    const bool body = upperAscii(text.substr(0, 6)) == "<BODY>";
    return loadBytes("<HTML>" + std::string(body ? "" : "<BODY>") + text + (body ? "" : "</BODY>") +
                     "</HTML>");
}

bool HtmlWindow::LoadTopic(const std::string& archivePath, const std::string& topic) {
    ClearPage();
    const bool expert = upperAscii(archivePath).find("EXPERT HELP") != std::string::npos;
    m_doc.backgroundColour = expert ? qv::paletteRgb(239, 239, 214) : qv::paletteRgb(255, 255, 255);
    m_source = archivePath;
    const ArchiveReader& read = archiveReader();
    std::string title;
    if (!read || !read(archivePath, "TITLE", title)) {
        relayout();
        return false;
    }
    std::string name = topic;
    replaceAll(name, "%20", " ");
    std::string anchor;
    const std::size_t hash = name.find('#');
    if (hash != std::string::npos) {
        anchor = name.substr(hash + 1);
        name = name.substr(0, hash);
    }
    name = name.substr(0, name.find('.'));
    std::string text;
    if (!read(archivePath, "FILE_" + name, text)) {
        relayout();
        return false;
    }
    const qv::Colour bg = m_doc.backgroundColour;
    m_title = title;
    const bool ok = loadBytes(text);
    m_doc.backgroundColour = bg;
    if (ok && !anchor.empty())
        GotoAnchor(anchor);
    return ok;
}

void HtmlWindow::GotoAnchor(const std::string& name) {
    auto it = m_doc.anchors.find(upperAscii(name));
    if (it == m_doc.anchors.end())
        return;
    if (m_contentHeight > viewport()->height())
        verticalScrollBar()->setValue(
            std::min(it->second->top() + 4, verticalScrollBar()->maximum()));
}

void HtmlWindow::createLinkWindows() {
    int id = 100;
    for (const HtmlDocument::LinkInfo& l : m_doc.links)
        m_linkWnds.push_back(new CHTMLUrlWnd(this, l.url, l.number, l.block, id++));
}

void HtmlWindow::relayout() {
    pf::Dc dc;
    const int width = std::max(1, viewport()->width() - 16);
    m_doc.Layout(dc, width, 4);
    if (!m_doc.body().empty()) {
        m_contentWidth = m_doc.contentWidth() + 16;
        m_contentHeight = m_doc.contentHeight() + 8;
    } else {
        m_contentWidth = m_contentHeight = 0;
    }
    m_doc.PlaceControls(8, 4);
    updateScrollBars();
    positionControls();
    viewport()->update();
}

void HtmlWindow::positionControls() {
    const int sx = horizontalScrollBar()->value(), sy = verticalScrollBar()->value();
    for (CFormControl* c : m_doc.controls()) {
        QWidget* w = c->window();
        if (!w || !c->visible())
            continue;
        w->setGeometry(c->x() - sx, c->y() - sy, std::max(1, c->width()), std::max(1, c->height()));
        if (w->isHidden())
            w->show();
    }
}

void HtmlWindow::updateScrollBars() {
    const int w = viewport()->width(), h = viewport()->height();
    horizontalScrollBar()->setRange(0, std::max(0, m_contentWidth - w));
    horizontalScrollBar()->setPageStep(std::max(1, w * 9 / 10));
    horizontalScrollBar()->setSingleStep(std::max(1, w / 10));
    verticalScrollBar()->setRange(0, std::max(0, m_contentHeight - h));
    verticalScrollBar()->setPageStep(std::max(1, h * 9 / 10));
    verticalScrollBar()->setSingleStep(std::max(1, h / 10));
}

void HtmlWindow::resizeEvent(QResizeEvent* event) {
    QAbstractScrollArea::resizeEvent(event);
    relayout();
}

void HtmlWindow::scrollContentsBy(int, int) {
    positionControls();
    viewport()->update();
}

void HtmlWindow::drawPageBackground(pf::Dc& dc, int width, int height, int sx, int sy) {
    const QImage* image =
        m_doc.backgroundImage.empty() ? nullptr : m_doc.image(m_doc.backgroundImage);
    if (image && image->width() > 0 && image->height() > 0) {
        // Tiled from the scroll offsets, so that the pattern moves with the page.
        const int ox = -(sx % image->width()), oy = -(sy % image->height());
        for (int y = oy; y < height; y += image->height()) {
            for (int x = ox; x < width; x += image->width())
                dc.drawImage({x, y, x + image->width(), y + image->height()}, *image);
        }
    } else {
        dc.fillRect({0, 0, width, height}, m_doc.backgroundColour & 0xFFFFFF);
    }
}

void HtmlWindow::paintEvent(QPaintEvent* event) {
    QPainter painter(viewport());
    pf::Dc dc(&painter);
    const int sx = horizontalScrollBar()->value(), sy = verticalScrollBar()->value();
    drawPageBackground(dc, viewport()->width(), viewport()->height(), sx, sy);
    const QRect r = event->rect();
    // The visible area in page coordinates.
    const pf::Rect visible{r.left() + sx - 8, r.top() + sy - 4, r.right() + 1 + sx - 8,
                           r.bottom() + 1 + sy - 4};
    m_doc.Draw(dc, visible, 8 - sx, 4 - sy);
}

void HtmlWindow::scrollKey(int key) {
    QScrollBar* v = verticalScrollBar();
    const int line = std::max(1, viewport()->height() / 10);
    const int page = std::max(1, viewport()->height() * 9 / 10);
    switch (key) {
    case Qt::Key_Up:
        v->setValue(v->value() - line);
        break;
    case Qt::Key_Down:
        v->setValue(v->value() + line);
        break;
    case Qt::Key_PageUp:
        v->setValue(v->value() - page);
        break;
    case Qt::Key_PageDown:
        v->setValue(v->value() + page);
        break;
    case Qt::Key_Home:
        v->setValue(0);
        break;
    case Qt::Key_End:
        v->setValue(v->maximum());
        break;
    default:
        break;
    }
}

void HtmlWindow::keyPressEvent(QKeyEvent* event) {
    switch (event->key()) {
    case Qt::Key_Up:
    case Qt::Key_Down:
    case Qt::Key_PageUp:
    case Qt::Key_PageDown:
    case Qt::Key_Home:
    case Qt::Key_End:
        scrollKey(event->key());
        return;
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
        moveFocus(nullptr, event->key() == Qt::Key_Backtab);
        return;
    default:
        QAbstractScrollArea::keyPressEvent(event);
    }
}

void HtmlWindow::wheelEvent(QWheelEvent* event) {
    const int notches = event->angleDelta().y() / 120;
    const int line = std::max(1, viewport()->height() / 10);
    verticalScrollBar()->setValue(verticalScrollBar()->value() - notches * line);
    event->accept();
}

bool HtmlWindow::viewportEvent(QEvent* event) {
    // Tab reaches the page window itself, not its viewport.
    return QAbstractScrollArea::viewportEvent(event);
}

int HtmlWindow::linkAt(const QPoint& pos, pf::Point* where, std::string* url) const {
    const int x = pos.x() + horizontalScrollBar()->value() - 8;
    const int y = pos.y() + verticalScrollBar()->value() - 4;
    pf::Point inImage{-1, -1};
    const int link = m_doc.HitTestLink(x, y, &inImage);
    if (link <= 0)
        return -1;
    if (url) {
        *url = m_doc.linkUrl(link);
        if (where)
            *where = inImage;
    }
    return link;
}

CHTMLUrlWnd* HtmlWindow::linkWindow(int number) const {
    for (CHTMLUrlWnd* w : m_linkWnds) {
        if (w->number() == number)
            return w;
    }
    // A link inside an image map: its map's window.
    for (const auto& map : m_doc.imageMaps) {
        for (const ImageMap::Area& a : map->areas()) {
            if (a.link == number) {
                for (CHTMLUrlWnd* w : m_linkWnds) {
                    if (w->number() == map->areas().front().link)
                        return w;
                }
            }
        }
    }
    return nullptr;
}

void HtmlWindow::mouseMoveEvent(QMouseEvent* event) {
    viewport()->setCursor(linkAt(event->pos(), nullptr, nullptr) > 0 ? Qt::PointingHandCursor
                                                                     : Qt::ArrowCursor);
}

void HtmlWindow::mousePressEvent(QMouseEvent* event) {
    m_pressedLink = linkAt(event->pos(), nullptr, nullptr);
    m_pressed = m_pressedLink > 0 ? linkWindow(m_pressedLink) : nullptr;
    if (m_pressed)
        m_pressed->setFocus(Qt::MouseFocusReason);
}

void HtmlWindow::mouseReleaseEvent(QMouseEvent* event) {
    pf::Point where{-1, -1};
    std::string url;
    const int link = linkAt(event->pos(), &where, &url);
    const int pressed = m_pressedLink;
    m_pressedLink = -1;
    m_pressed = nullptr;
    if (link <= 0 || link != pressed || url.empty())
        return;
    // An ISMAP image reports where it was clicked.
    const int x = event->pos().x() + horizontalScrollBar()->value() - 8;
    const int y = event->pos().y() + verticalScrollBar()->value() - 4;
    for (const auto& block : m_doc.body()) {
        const auto* s = dynamic_cast<const CSection*>(block.get());
        if (!s || y < s->top() || y >= s->bottom())
            continue;
        for (const auto& o : s->objects()) {
            if (o.image && o.image->ismap && o.image->map.empty() && x >= o.x && x < o.x + o.w &&
                y >= o.y && y < o.y + o.h) {
                char buf[32];
                std::snprintf(buf, sizeof buf, "?%i,%i", where.x, where.y);
                url += buf;
            }
        }
    }
    activateLink(url);
}

void HtmlWindow::activateLink(const std::string& url) {
    // The text travels as a pointer for the duration of the call, as a window message would.
    pf::sendMessage(host(), pf::UM_LINK_CLICKED, reinterpret_cast<pf::WPARAM>(url.c_str()), 0);
}

void HtmlWindow::linkFocused(CHTMLUrlWnd* link, bool focused) {
    if (focused) {
        m_doc.setFocusedLink(link->number());
        pf::Rect r;
        bool found = link->block() && link->block()->GetItemRect(link->number(), r);
        if (!found) {
            for (const auto& b : m_doc.body()) {
                if ((found = b->GetItemRect(link->number(), r)))
                    break;
            }
        }
        if (found) {
            // Scroll just enough to show the link, with 4 pixels to spare.
            QScrollBar* v = verticalScrollBar();
            const int top = r.top + 4 - 4, bottom = r.bottom + 4 + 4;
            if (top < v->value())
                v->setValue(top);
            else if (bottom > v->value() + viewport()->height())
                v->setValue(bottom - viewport()->height());
        }
    } else if (m_doc.focusedLink() == link->number()) {
        m_doc.setFocusedLink(0);
    }
    viewport()->update();
}

std::vector<QWidget*> HtmlWindow::tabStops() const {
    std::vector<QWidget*> stops;
    // The page's controls first, in the order they were made, which is page order; then
    // the link windows.
    for (QObject* o : viewport()->children()) {
        auto* w = qobject_cast<QWidget*>(o);
        if (w && CFormControl::fromWindow(w) && (w->focusPolicy() & Qt::TabFocus) &&
            w->isEnabled() && !w->isHidden())
            stops.push_back(w);
    }
    for (QObject* o : children()) {
        auto* w = qobject_cast<QWidget*>(o);
        if (w && w != viewport() && (w->focusPolicy() & Qt::TabFocus) && w->isEnabled() &&
            w != horizontalScrollBar() && w != verticalScrollBar() && w->parentWidget() == this &&
            !w->isHidden())
            stops.push_back(w);
    }
    return stops;
}

void HtmlWindow::moveFocus(QWidget* from, bool backwards) {
    const std::vector<QWidget*> stops = tabStops();
    auto it = from ? std::find(stops.begin(), stops.end(), from) : stops.end();
    if (it == stops.end()) {
        // The focus comes from outside: the first or last stop of the page.
        if (!stops.empty())
            (backwards ? stops.back() : stops.front())->setFocus(Qt::TabFocusReason);
        else
            pf::sendMessage(host(), WM_NEXTDLGCTL, backwards ? 1 : 0, 0);
        return;
    }
    if (backwards ? it == stops.begin() : it + 1 == stops.end()) {
        pf::sendMessage(host(), WM_NEXTDLGCTL, backwards ? 1 : 0, 0);
        return;
    }
    (backwards ? *(it - 1) : *(it + 1))->setFocus(Qt::TabFocusReason);
}

void HtmlWindow::focusInEvent(QFocusEvent* event) {
    QAbstractScrollArea::focusInEvent(event);
    if (event->reason() == Qt::TabFocusReason || event->reason() == Qt::BacktabFocusReason) {
        const std::vector<QWidget*> stops = tabStops();
        if (!stops.empty()) {
            (event->reason() == Qt::BacktabFocusReason ? stops.back() : stops.front())
                ->setFocus(event->reason());
        } else if (verticalScrollBar()->maximum() == 0) {
            pf::sendMessage(host(), WM_NEXTDLGCTL, 0, 0);
        }
    }
}

pf::LRESULT HtmlWindow::onMessage(unsigned msg, pf::WPARAM wparam, pf::LPARAM lparam) {
    switch (msg) {
    case pf::UM_MOVE_FIELD: {
        if (wparam > 1)
            return 0;
        auto* from = reinterpret_cast<QWidget*>(lparam);
        const std::vector<QWidget*> stops = tabStops();
        const bool inside = std::find(stops.begin(), stops.end(), from) != stops.end();
        moveFocus(inside ? from : nullptr, wparam == 1);
        return 1;
    }
    case pf::UM_COMMIT_FIELD:
        return CommitField(wparam == 1, reinterpret_cast<QWidget*>(lparam));
    case pf::UM_ENTRY_ERROR: {
        // A key the field editor refused: its message under the focused editor.
        auto* field = reinterpret_cast<CField*>(lparam);
        QWidget* editor = QApplication::focusWidget();
        if (field && editor && isAncestorOf(editor))
            m_balloonWnd->ShowEntryError(editor, field, int(wparam), true);
        return 1;
    }
    case pf::UM_MIRROR_TEXT:
        // From the field editor's own mirror (the bound edit reports it itself).
        return 0;
    case CFieldEdit::kWmVScroll:
        scrollKey(wparam == CFieldEdit::kSbPageUp ? Qt::Key_PageUp : Qt::Key_PageDown);
        return 1;
    case pf::UM_PAINT_PAGE: {
        auto* dc = reinterpret_cast<pf::Dc*>(wparam);
        if (dc)
            drawPageBackground(*dc, viewport()->width(), viewport()->height(),
                               horizontalScrollBar()->value(), verticalScrollBar()->value());
        return 1;
    }
    default:
        return 0;
    }
}

int HtmlWindow::PrintPage(pf::Dc& dc, int first, int last, const std::function<void()>& newPage) {
    if (m_doc.body().empty())
        return 0;
    const pf::Dc::DeviceInfo& info = dc.deviceInfo();
    const int dpiX = std::max(1, info.dpiX), dpiY = std::max(1, info.dpiY);
    // The page in 96-per-inch logical units.
    const int pageW = std::max(200, info.width * 96 / dpiX);
    const int pageH = std::max(200, info.height * 96 / dpiY);
    const int marginX = 50, top = 64, bottomMargin = 32;
    const int bodyH = pageH - top - bottomMargin;

    m_doc.setPrinting(true);
    const qv::Colour screenBg = m_doc.backgroundColour;
    m_doc.backgroundColour = qv::paletteRgb(255, 255, 255);
    pf::Dc measure;
    const int height = m_doc.Layout(measure, pageW - 2 * marginX, 0);

    std::string header;
    if (m_headerKind != kNoHeader) {
        std::string names, ssn;
        if (m_names)
            m_names(names, ssn);
        const std::string who = names + " (SSN: " + ssn + ")";
        std::string when;
        if (pf::Profile::app().getInt("Print", "DateTime", 1) != 0)
            when = " - " + pf::fromQt(QDateTime::currentDateTime().toString(
                               QStringLiteral("MM/dd/yy  hh:mm AP")));
        const std::string title = m_title.empty() ? m_doc.title : m_title;
        if (m_headerKind == kTitleAndNames)
            header = title + " - " + who + when;
        else if (m_headerKind == kNamesHeader)
            header = who + when;
        else
            header = title;
    }

    dc.setMapMode(pf::MM_ANISOTROPIC);
    dc.setWindowExt(pageW, pageH);
    dc.setViewportExt(std::max(1, info.width), std::max(1, info.height));
    int pageTop = 0;
    int page = 0;
    bool firstPrinted = true;
    while (pageTop < height && page < last) {
        ++page;
        int pageEnd = pageTop + bodyH;
        for (const auto& b : m_doc.body()) {
            if (b->bottom() > pageTop && b->top() < pageEnd)
                b->Paginate(pageTop, pageEnd);
        }
        if (pageEnd <= pageTop)
            pageEnd = pageTop + bodyH;
        if (page >= first) {
            if (!firstPrinted && newPage)
                newPage();
            firstPrinted = false;
            const int saved = dc.saveDC();
            dc.intersectClipRect({0, top, pageW, top + (pageEnd - pageTop)});
            m_doc.Draw(dc, {0, pageTop, pageW, pageEnd}, marginX, top - pageTop);
            dc.restoreDC(saved);
            dc.selectFont(
                {-12, pf::FW_BOLD, false, false, false, pf::DEFAULT_CHARSET, "Courier New"});
            dc.setTextColor(pf::RGB(0, 0, 0));
            dc.setBkMode(pf::TRANSPARENT);
            if (!header.empty()) {
                if (m_centredHeader) {
                    dc.setTextAlign(pf::TA_CENTER | pf::TA_TOP);
                    dc.textOut(pageW / 2, 40, header);
                } else {
                    dc.setTextAlign(pf::TA_LEFT | pf::TA_TOP);
                    dc.textOut(50, 40, header);
                }
            }
            if (m_pageNumbers) {
                dc.setTextAlign(pf::TA_RIGHT | pf::TA_TOP);
                dc.textOut(pageW - 50, 40, "Page " + std::to_string(page));
            }
            dc.setTextAlign(pf::TA_LEFT | pf::TA_TOP);
        }
        pageTop = pageEnd;
    }
    m_doc.setPrinting(false);
    m_doc.backgroundColour = screenBg;
    relayout();
    return page;
}

int HtmlWindow::PrintPage(QPagedPaintDevice* device, int first, int last, bool startDocument) {
    if (!device) {
        // Counting only: a Letter page at 96 pixels per inch, a quarter inch kept free on
        // each side; nothing is drawn.
        pf::Dc dc;
        pf::Dc::DeviceInfo letter;
        letter.width = 96 * 8;
        letter.height = 96 * 105 / 10;
        dc.setDeviceInfo(letter);
        return PrintPage(dc, first, last, nullptr);
    }
    QPainter painter(device);
    pf::Dc dc(&painter);
    if (!startDocument)
        last = first;
    return PrintPage(dc, first, last, [device] { device->newPage(); });
}
