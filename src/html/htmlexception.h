#pragma once

#include <stdexcept>
#include <string>

// Raised by the page parser for the few inputs it cannot read to the end; the page loader
// catches it and leaves an empty page.
class CHTMLException final : public std::runtime_error {
public:
    explicit CHTMLException(const std::string& message) : std::runtime_error(message) {}
};
