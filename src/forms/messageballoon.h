#pragma once

#include <QWidget>

#include <string>

struct CField;

// The small borderless window under an in-place editor that explains a refused entry, in
// the tooltip colours. It belongs to the page the editor sits on and hides itself on any
// click on the page and any key that reaches the page.
class CMessageBalloon final : public QWidget {
public:
    // `page` is the window whose client area the balloon stays inside; `id` its control id.
    explicit CMessageBalloon(QWidget* page, int id = 1002);

    // Shown even while the editor does not have the focus (otherwise only while it has).
    void SetShowWithoutFocus(bool on) { m_showWithoutFocus = on; }
    // A one-pixel frame in the text colour around the text (the page window's balloon).
    void SetBordered(bool on) { m_bordered = on; }

    // The handling of UM_ENTRY_ERROR(kind, field) for `editor`: no field does nothing; a
    // field without an entry error text hides the balloon; otherwise the text for the field
    // and kind is shown under the editor and the focus goes back to it. `interviewTexts`
    // takes the date texts of the interview pages.
    void ShowEntryError(QWidget* editor, CField* field, int kind, bool interviewTexts = false);
    // Shows `text` under `editor`; an empty text hides the balloon.
    void ShowText(QWidget* editor, const std::string& text);
    void Hide();

    const std::string& Text() const { return m_text; }

    // The text of an entry error; the interview pages word the date errors their own way.
    static std::string EntryErrorMessage(CField& field, int kind, bool interviewTexts);
    // Centred under `editor`, moved sideways to stay inside `client`, above the editor when
    // it would run past the bottom. All rectangles in the page's coordinates.
    static QRect Placement(const QRect& editor, const QSize& balloon, const QRect& client);

protected:
    void paintEvent(QPaintEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QWidget* m_page;
    std::string m_text;
    bool m_showWithoutFocus = false;
    bool m_bordered = false;
};
