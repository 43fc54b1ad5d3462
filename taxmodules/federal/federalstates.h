#pragma once

#include <array>
#include <string_view>

// State codes the federal module keeps flags for, each list in the order the program scans it.
namespace qv::states {

// The states with an income tax (DC included); NH taxes only interest and dividends.
inline constexpr std::array<std::string_view, 43> kIncomeTax = {
    "AL", "AR", "AZ", "CA", "CO", "CT", "DC", "DE", "GA", "HI", "IA", "ID", "IL", "IN", "KS",
    "KY", "LA", "MA", "MD", "ME", "MI", "MN", "MO", "MS", "MT", "NC", "ND", "NE", "NH", "NJ",
    "NM", "NY", "OH", "OK", "OR", "PA", "RI", "SC", "UT", "VA", "VT", "WI", "WV"};

// The states without a personal income tax return.
inline constexpr std::array<std::string_view, 8> kNoIncomeTax = {"AK", "TX", "WA", "FL",
                                                                 "SD", "TN", "NV", "WY"};

// States whose returns can be filed electronically: every income-tax state but NH.
inline constexpr bool isEfile(std::string_view code) {
    return code != "NH";
}

// States whose return travels with the federal electronic return.
inline constexpr std::array<std::string_view, 36> kPiggyBack = {
    "AL", "AZ", "AR", "CO", "CT", "DE", "DC", "GA", "HI", "ID", "IN", "IA",
    "KS", "KY", "LA", "MI", "MD", "MO", "MS", "MT", "NE", "NJ", "NM", "NC",
    "ND", "OH", "OK", "OR", "PA", "RI", "SC", "UT", "VT", "VA", "WV", "WI"};

inline constexpr bool isPiggyBack(std::string_view code) {
    for (std::string_view c : kPiggyBack) {
        if (c == code)
            return true;
    }
    return false;
}

} // namespace qv::states
