#include "storage/importdlg.h"

#include "platform/dialogs.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QPushButton>
#include <QResizeEvent>

namespace {

constexpr int kWidth = 520;
constexpr int kHeight = 330;
const QColor kShadow(33, 82, 82); // PALETTERGB(33,82,82)

// The main window's background tile: a sage weave of 32 × 32 pixels.
QPixmap tilePixmap() {
    QPixmap tile(32, 32);
    tile.fill(QColor(206, 219, 206));
    QPainter p(&tile);
    p.setPen(QColor(189, 206, 189));
    for (int i = 0; i < 32; i += 4) {
        p.drawLine(i, 0, i, 31);
        p.drawLine(0, i, 31, i);
    }
    p.setPen(QColor(222, 231, 222));
    for (int i = 2; i < 32; i += 8)
        p.drawLine(0, i, 31, i);
    return tile;
}

// A button drawn from a bitmap: a raised slate plate with its caption in Arial.
class SlateButton final : public QPushButton {
public:
    SlateButton(const QString& text, QWidget* parent) : QPushButton(text, parent) {
        setFixedSize(96, 30);
        setFlat(true);
        setCursor(Qt::PointingHandCursor);
    }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter p(this);
        p.setRenderHint(QPainter::Antialiasing);
        const QRectF r = QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5);
        QLinearGradient fill(r.topLeft(), r.bottomLeft());
        const bool down = isDown();
        fill.setColorAt(0, down ? QColor(33, 82, 82) : QColor(82, 140, 140));
        fill.setColorAt(1, down ? QColor(66, 115, 115) : QColor(33, 82, 82));
        QPainterPath plate;
        plate.addRoundedRect(r, 6, 6);
        p.fillPath(plate, fill);
        p.setPen(QPen(QColor(16, 49, 49), 1));
        p.drawPath(plate);
        QFont font("Arial");
        font.setPixelSize(13);
        font.setBold(true);
        p.setFont(font);
        p.setPen(Qt::white);
        p.drawText(rect().translated(down ? 1 : 0, down ? 1 : 0), Qt::AlignCenter, text());
        if (hasFocus()) {
            p.setPen(QPen(Qt::white, 1, Qt::DotLine));
            p.drawRoundedRect(r.adjusted(3, 3, -3, -3), 4, 4);
        }
    }
};

// Text first in white, then in the shadow colour one pixel up and to the left.
void drawRaisedText(QPainter& p, const QRect& rect, int flags, const QString& text) {
    p.setPen(Qt::white);
    p.drawText(rect, flags, text);
    p.setPen(kShadow);
    p.drawText(rect.translated(-1, -1), flags, text);
}

} // namespace

CImportDlg::CImportDlg(QWidget* parent)
    : QDialog(parent), m_import(new SlateButton("Import", this)),
      m_cancel(new SlateButton("Cancel", this)) {
    setWindowTitle("Import Quorva 2001 Return");
    setFixedSize(kWidth, kHeight);
    pf::setCtrlId(m_import, kImport);
    pf::setCtrlId(m_cancel, kCancel);
    m_import->setDefault(true);
    connect(m_import, &QPushButton::clicked, this, &QDialog::accept);
    connect(m_cancel, &QPushButton::clicked, this, &QDialog::reject);
}

const char* CImportDlg::heading() {
    return "Import your 2001 return...";
}

QString CImportDlg::body() {
    return QStringLiteral(
        "STOP!  When it comes to time savers, this is the big one! Quorva 2002 includes import "
        "capabilities from your Quorva 2001 return.  Don't worry about re-keying important "
        "data.  And when you import from last year and review the Prior Year's Comparison "
        "Report you can decrease the chances that you've forgotten important tax data for this "
        "year's return!"
        "\n\nTo import last year's return, click the Import button below and select your 2001 "
        "return from the file selection dialog.");
}

void CImportDlg::resizeEvent(QResizeEvent* event) {
    QDialog::resizeEvent(event);
    const int half = width() / 2;
    const int y = height() - 45;
    m_import->move((half - m_import->width()) / 2, y);
    m_cancel->move(half + (half - m_cancel->width()) / 2, y);
}

void CImportDlg::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.fillRect(rect(), QBrush(tilePixmap()));
    p.setBackgroundMode(Qt::TransparentMode);
    QFont headingFont("Arial");
    headingFont.setPointSize(20);
    headingFont.setWeight(QFont::Black);
    p.setFont(headingFont);
    drawRaisedText(p, QRect(QPoint(20, 10), QPoint(459, 89)), Qt::AlignLeft | Qt::TextSingleLine,
                   heading());
    QFont bodyFont("Arial");
    bodyFont.setPointSize(12);
    bodyFont.setWeight(QFont::ExtraBold);
    p.setFont(bodyFont);
    drawRaisedText(p, QRect(QPoint(20, 60), QPoint(width() - 41, height() - 61)),
                   Qt::AlignLeft | Qt::TextWordWrap, body());
}
