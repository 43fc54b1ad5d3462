#include "html/parserhost.h"

#include "platform/messagebox.h"
#include "platform/profile.h"

namespace qv {

namespace {

class AppParserHost final : public ParserHost {
public:
    void showError(const std::string& message) const override {
        pf::messageBox(message, pf::MB_OK | pf::MB_ICONEXCLAMATION);
    }
    std::string onlineSetting(const std::string& name) const override {
        return pf::Profile::app().getString("Online", name);
    }
};

} // namespace

const ParserHost& ParserHost::app() {
    static const AppParserHost host;
    return host;
}

} // namespace qv
