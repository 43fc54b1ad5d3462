#pragma once

#include "interview/question.h"

#include <cstddef>
#include <string>
#include <vector>

// A script compiled into an entry of a module's data file: question records back to back.
// A record: 16-bit length (distance to the next record); name, nextAudit and advisorScript
// in 32-byte fields and helpId, tgxHelpId in 96-byte fields (zero-terminated); seven 16-bit
// lengths (lhImages, hpImages, windows, input, form, rhControls, text); those texts in the
// order text, lhImages, hpImages, windows, input, form, rhControls; then setFields,
// nextQuestions and conditions, each as zero-terminated items closed by one extra zero byte.
// All numbers little-endian.
class CompiledScript final {
public:
    static constexpr std::size_t fixedPart = 304;
    static constexpr std::size_t maxTextLength = 30000;

    // Finds the question of that name (any case) in the entry and reads it. Nothing beyond
    // the entry, or beyond the record's own length, is read.
    static bool Find(const void* entry, std::size_t size, const std::string& name, Question& q);
    // Reads the record at `offset`; `next` receives the offset of the following record (the
    // entry's size when the record's length is unusable).
    static bool ReadRecord(const void* entry, std::size_t size, std::size_t offset, Question& q,
                           std::size_t& next);
    // Every question of the entry, in record order.
    static std::vector<Question> ReadAll(const void* entry, std::size_t size);

    // Appends the record of `q`. False (nothing appended) when it cannot be stored: a name
    // too long for its field, a text above maxTextLength, or a record above 65535 bytes.
    static bool Write(std::string& out, const Question& q, std::string* error = nullptr);
};
