#pragma once

#include <string>

// Small text helpers shared by every subsystem. Texts are single-byte (Windows-1252); letter
// case is mapped for ASCII only.

// The n-th token (from 1) of `text` split at `separator`, outside double quotes: a quote
// toggles the quoted state and is dropped. With a blank separator a run of blanks counts as
// one separator and leading blanks are skipped. Empty when there are fewer tokens.
std::string ReadToken(const std::string& text, int n, char separator);

// The n-th (from 1) comma-separated argument inside the first pair of parentheses of
// `text`, trimmed. Quotes toggle and are dropped; parentheses nest outside quotes; a ")" at
// depth 0 ends the list. Empty when there is no "(" or fewer arguments.
std::string ReadArgument(const std::string& text, int n);

// Replaces every occurrence of `find` (non-empty) by `replacement`, left to right; returns
// the number of replacements.
int ReplaceAll(std::string& text, const std::string& find, const std::string& replacement);

// Trims, lower-cases, then upper-cases the first letter and every letter after a space.
std::string CapitalizeWords(const std::string& text);

// Blanks (space, tab, CR, LF) removed from both ends.
std::string TrimBlanks(const std::string& text);
