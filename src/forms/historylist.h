#pragma once

#include "interview/question.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace qv {

// A place in a return: module number, form index, copy number, field number (0 = none).
struct FieldRef {
    std::uint16_t module = 0;
    std::uint16_t form = 0;
    std::uint16_t copy = 0;
    std::uint16_t field = 0;
    bool operator==(const FieldRef&) const = default;
};

// One remembered place the user visited.
struct HistoryEntry {
    enum Kind : std::uint8_t {
        FieldVisit = 1,
        InterviewPage = 2,
        ExplorerPosition = 4,
        Report = 32,
        FieldVisitWithFlags = 64,
    };
    std::uint8_t kind = FieldVisit;
    std::uint8_t subKind = 0; // the report type of a Report entry
    std::string title;
    std::string module;           // the module's name when the entry was made; none for a report
    FieldRef ref;                 // field visits; the explorer node of an explorer position
    std::uint32_t flags = 0;      // FieldVisitWithFlags: the creation flags of the opening
    std::optional<Question> page; // InterviewPage: the page's own record
    bool operator==(const HistoryEntry&) const = default;
};

// The places visited, oldest first, at most kMaxEntries, with a current position.
class HistoryList final {
public:
    static constexpr std::size_t kMaxEntries = 100;

    // Drops the oldest entry when the list is full and every entry after the current
    // position (Forward's), then appends. Answers the new entry's index; the caller makes
    // it current with setIndex.
    int add(HistoryEntry entry);
    // Sets the current position and writes it to the settings.
    void setIndex(int index);
    int index() const { return m_index; }
    void clear();

    std::size_t size() const { return m_entries.size(); }
    bool empty() const { return m_entries.empty(); }
    const HistoryEntry& at(std::size_t i) const { return m_entries.at(i); }
    HistoryEntry& at(std::size_t i) { return m_entries.at(i); }
    const std::vector<HistoryEntry>& entries() const { return m_entries; }

private:
    std::vector<HistoryEntry> m_entries;
    int m_index = 0;
};

} // namespace qv
