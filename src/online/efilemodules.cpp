#include "online/efilemodules.h"

#include "app/statenames.h"
#include "platform/text.h"

namespace {

constexpr const char* kEfileStates[] = {
    "AL", "AZ", "AR", "CA", "CO", "CT", "DE", "DC", "GA", "HI", "ID", "IL", "IN", "IA",
    "KS", "KY", "LA", "ME", "MD", "MA", "MI", "MN", "MS", "MO", "MT", "NE", "NJ", "NM",
    "NY", "NC", "ND", "OH", "OK", "OR", "PA", "RI", "SC", "UT", "VT", "VA", "WV", "WI",
};

} // namespace

bool IsEfileModule(const std::string& moduleName) {
    const std::string name = pf::upper(moduleName);
    if (name == "FEDERAL")
        return true;
    for (const char* code : kEfileStates) {
        if (name == code || name == pf::upper(StateNameFromCode(code)))
            return true;
    }
    return false;
}
