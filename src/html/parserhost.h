#pragma once

#include <string>

namespace qv {

// What the page parser asks of the program while it reads: where an error is shown, and
// the "Online" settings a link's REG attribute names. app() is the program's own.
class ParserHost {
public:
    virtual ~ParserHost() = default;
    virtual void showError(const std::string& message) const = 0;
    virtual std::string onlineSetting(const std::string& name) const = 0;

    static const ParserHost& app();
};

} // namespace qv
