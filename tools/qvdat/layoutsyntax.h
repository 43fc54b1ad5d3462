#pragma once

#include "forms/formlayout.h"

#include <cstdint>
#include <optional>
#include <string>

// The words and value forms of the readable layout source, shared by the compiler and the
// dumper so that what one prints the other reads back to the same bytes.
namespace qvdat {

// Colours are Windows colour values, 0x00BBGGRR.
inline constexpr std::uint32_t kColorBlack = 0x000000;
inline constexpr std::uint32_t kColorWhite = 0xFFFFFF;
inline constexpr std::uint32_t kColorCream = 0xD6E7EF; // RGB(239,231,214), the form background

// "header", "text", "entry", "line" (also "hline", "vline"), "option", "check", "choice",
// "shape", "hotspot".
std::optional<qv::LayoutKind> KindFromKeyword(const std::string& word);
std::string KeywordOf(qv::LayoutKind kind);

// A length in twips: sums, differences, products and quotients of numbers with an optional
// unit (none = twips, "in" inches, "pt" points, "mm"), with parentheses; "1.5in+20".
bool EvalLength(const std::string& text, double& out, std::string& err);
// A number as the shortest text EvalLength reads back.
std::string FormatNumber(double v);

// Names (black, white, cream, red, ...), #RRGGBB, or a raw 0x value.
bool ParseColour(const std::string& text, std::uint32_t& out);
std::string FormatColour(std::uint32_t colour);

// [FACE:]SIZE[b][i][u][s][wN]: face arial, wingdings, nelco, default, nelco4 or 0-4; b bold
// (weight 7), wN weight N hundreds, i italic, u underline, s strike-out.
bool ParseFont(const std::string& text, qv::LayoutFont& out);
std::string FormatFont(const qv::LayoutFont& font);

// Width in twips of one line of `text` in `font` (Arial metrics; bold a little wider), rounded
// up to whole twips: what "w=auto" of a text gives.
double TextWidth(const std::string& text, const qv::LayoutFont& font);

// left, center, right, or a number (the low byte of the text-drawing flags).
bool ParseAlign(const std::string& text, std::uint8_t& out);
std::string FormatAlign(std::uint8_t align);

bool ParseShape(const std::string& text, std::uint8_t& out); // rect, ellipse, round
std::string FormatShape(std::uint8_t shape);
bool ParsePenStyle(const std::string& text, std::uint8_t& out); // solid, dash, dot, ...
std::string FormatPenStyle(std::uint8_t style);

} // namespace qvdat
