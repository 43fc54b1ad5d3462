#include "platform/messagebox.h"

#include "platform/text.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>

#include <cstdio>
#include <utility>
#include <vector>

namespace pf {
namespace {

MessageBoxHandler& handlerSlot() {
    static MessageBoxHandler handler;
    return handler;
}

struct ButtonMap {
    QMessageBox::StandardButton button;
    int result;
};

// The buttons of each classic type, in the order the default-button flags count them.
std::vector<ButtonMap> buttonsFor(unsigned type) {
    switch (type) {
    case MB_OKCANCEL:
        return {{QMessageBox::Ok, IDOK}, {QMessageBox::Cancel, IDCANCEL}};
    case MB_ABORTRETRYIGNORE:
        return {{QMessageBox::Abort, IDABORT},
                {QMessageBox::Retry, IDRETRY},
                {QMessageBox::Ignore, IDIGNORE}};
    case MB_YESNOCANCEL:
        return {
            {QMessageBox::Yes, IDYES}, {QMessageBox::No, IDNO}, {QMessageBox::Cancel, IDCANCEL}};
    case MB_YESNO:
        return {{QMessageBox::Yes, IDYES}, {QMessageBox::No, IDNO}};
    case MB_RETRYCANCEL:
        return {{QMessageBox::Retry, IDRETRY}, {QMessageBox::Cancel, IDCANCEL}};
    default:
        return {{QMessageBox::Ok, IDOK}};
    }
}

QMessageBox::Icon iconFor(unsigned flags) {
    switch (flags & MB_ICONMASK) {
    case MB_ICONSTOP:
        return QMessageBox::Critical;
    case MB_ICONQUESTION:
        return QMessageBox::Question;
    case MB_ICONEXCLAMATION:
        return QMessageBox::Warning;
    case MB_ICONINFORMATION:
        return QMessageBox::Information;
    default:
        return QMessageBox::NoIcon;
    }
}

std::size_t defaultIndex(unsigned flags, std::size_t count) {
    const std::size_t index = (flags & MB_DEFMASK) >> 8;
    return index < count ? index : 0;
}

} // namespace

void setMessageBoxHandler(MessageBoxHandler handler) {
    handlerSlot() = std::move(handler);
}

int messageBox(const std::string& text, unsigned flags, const std::string& caption) {
    if (const MessageBoxHandler& handler = handlerSlot())
        return handler(text, flags, caption);

    const std::vector<ButtonMap> buttons = buttonsFor(flags & MB_TYPEMASK);
    const std::size_t def = defaultIndex(flags, buttons.size());

    // Without a GUI (command-line tools) the text goes to standard error and the default
    // button answers, so nothing waits for a window that cannot appear.
    if (!qobject_cast<QApplication*>(QCoreApplication::instance())) {
        std::fprintf(stderr, "%s: %s\n", caption.c_str(), text.c_str());
        return buttons[def].result;
    }

    QString body = toQt(text);
    body.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    QMessageBox box(iconFor(flags), toQt(caption), body, QMessageBox::NoButton,
                    QApplication::activeWindow());
    QMessageBox::StandardButtons all;
    for (const ButtonMap& b : buttons)
        all |= b.button;
    box.setStandardButtons(all);
    box.setDefaultButton(buttons[def].button);
    // Escape and the title bar's close answer Cancel where there is one; a plain box answers OK,
    // the others have no way out but their buttons (as the classic box behaves).
    for (const ButtonMap& b : buttons) {
        if (b.result == IDCANCEL || buttons.size() == 1)
            box.setEscapeButton(b.button);
    }
    box.exec();
    const QMessageBox::StandardButton clicked = box.standardButton(box.clickedButton());
    for (const ButtonMap& b : buttons) {
        if (b.button == clicked)
            return b.result;
    }
    // Closed without a button (no escape button): the classic box cannot, so take the
    // cancel-like answer of the type.
    for (const ButtonMap& b : buttons) {
        if (b.result == IDCANCEL)
            return IDCANCEL;
    }
    return buttons.back().result;
}

} // namespace pf
