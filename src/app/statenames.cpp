#include "app/statenames.h"

#include "platform/text.h"

#include <array>

namespace {

struct State {
    const char* code;
    const char* name;
};

// Searched in this order: a name that contains another must come first, so ARKANSAS stands
// before KANSAS (as the alphabet has it) and WEST VIRGINIA is moved before VIRGINIA.
constexpr std::array<State, 51> kStates{{
    {"AL", "Alabama"},        {"AK", "Alaska"},         {"AZ", "Arizona"},
    {"AR", "Arkansas"},       {"CA", "California"},     {"CO", "Colorado"},
    {"CT", "Connecticut"},    {"DE", "Delaware"},       {"DC", "District of Columbia"},
    {"FL", "Florida"},        {"GA", "Georgia"},        {"HI", "Hawaii"},
    {"ID", "Idaho"},          {"IL", "Illinois"},       {"IN", "Indiana"},
    {"IA", "Iowa"},           {"KS", "Kansas"},         {"KY", "Kentucky"},
    {"LA", "Louisiana"},      {"ME", "Maine"},          {"MD", "Maryland"},
    {"MA", "Massachusetts"},  {"MI", "Michigan"},       {"MN", "Minnesota"},
    {"MS", "Mississippi"},    {"MO", "Missouri"},       {"MT", "Montana"},
    {"NE", "Nebraska"},       {"NV", "Nevada"},         {"NH", "New Hampshire"},
    {"NJ", "New Jersey"},     {"NM", "New Mexico"},     {"NY", "New York"},
    {"NC", "North Carolina"}, {"ND", "North Dakota"},   {"OH", "Ohio"},
    {"OK", "Oklahoma"},       {"OR", "Oregon"},         {"PA", "Pennsylvania"},
    {"RI", "Rhode Island"},   {"SC", "South Carolina"}, {"SD", "South Dakota"},
    {"TN", "Tennessee"},      {"TX", "Texas"},          {"UT", "Utah"},
    {"VT", "Vermont"},        {"WV", "West Virginia"},  {"VA", "Virginia"},
    {"WA", "Washington"},     {"WI", "Wisconsin"},      {"WY", "Wyoming"},
}};

} // namespace

std::string StateCodeFromName(const std::string& name) {
    const std::string text = pf::upper(name);
    for (const State& s : kStates) {
        if (text.find(pf::upper(s.name)) != std::string::npos)
            return s.code;
    }
    return {};
}

std::string StateNameFromCode(const std::string& code) {
    for (const State& s : kStates) {
        if (pf::iequals(code, s.code))
            return s.name;
    }
    return {};
}
