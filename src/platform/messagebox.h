#pragma once

#include "platform/pfexport.h"

#include <functional>
#include <string>

namespace pf {

// The classic message-box flags and results, with their classic values.
enum : unsigned {
    MB_OK = 0x0,
    MB_OKCANCEL = 0x1,
    MB_ABORTRETRYIGNORE = 0x2,
    MB_YESNOCANCEL = 0x3,
    MB_YESNO = 0x4,
    MB_RETRYCANCEL = 0x5,
    MB_TYPEMASK = 0xF,
    MB_ICONHAND = 0x10,
    MB_ICONSTOP = 0x10,
    MB_ICONERROR = 0x10,
    MB_ICONQUESTION = 0x20,
    MB_ICONEXCLAMATION = 0x30,
    MB_ICONWARNING = 0x30,
    MB_ICONASTERISK = 0x40,
    MB_ICONINFORMATION = 0x40,
    MB_ICONMASK = 0xF0,
    MB_DEFBUTTON1 = 0x000,
    MB_DEFBUTTON2 = 0x100,
    MB_DEFBUTTON3 = 0x200,
    MB_DEFMASK = 0xF00,
};
enum : int { IDOK = 1, IDCANCEL = 2, IDABORT = 3, IDRETRY = 4, IDIGNORE = 5, IDYES = 6, IDNO = 7 };

inline constexpr const char* kAppCaption = "Quorva 2002";

// Shows a modal message box and returns the button pressed (IDOK, IDYES, ...).
// Text is Windows-1252; "\r\n" and "\n" both break lines.
PF_EXPORT int messageBox(const std::string& text, unsigned flags = MB_OK,
                         const std::string& caption = kAppCaption);

// Test hook: when set, every message box is answered by the handler instead of a window.
using MessageBoxHandler =
    std::function<int(const std::string& text, unsigned flags, const std::string& caption)>;
PF_EXPORT void setMessageBoxHandler(MessageBoxHandler handler);

} // namespace pf
