#pragma once

#include "interview/question.h"

#include <cstddef>
#include <string>

namespace qv {

class ByteReader;

// The saved form of a question as an interview page record in a return.
//
// Layout: seven 32-bit little-endian state words (waiting, branch, done, keep, historyId,
// reopened, spare, in record order) written as word 2, word 1, then words 3 to 7; then
// 8 bytes of copy context (module position, form index, copy number as 16-bit words and one
// zero word); then zero-terminated texts: script, name, parentTarget, form in the history
// form; script, name, parentTarget, nextAudit, form in the page-stack form, which is followed
// by setFields, nextQuestions and conditions, each as zero-terminated texts closed by one
// extra zero byte.
enum class PageRecordForm {
    History,   // four texts, no lists
    PageStack, // five texts and the three lists
};

// Appends the record to `out`.
void WritePageRecord(std::string& out, const Question& q, PageRecordForm form);

// Reads one record at the reader's position into `q` (members the form does not hold are
// left as they are). False when the data ends before the record does; nothing is read
// beyond the reader's range.
bool ReadPageRecord(ByteReader& in, Question& q, PageRecordForm form);

// Convenience for a whole buffer holding one record.
bool ReadPageRecord(const void* data, std::size_t size, Question& q, PageRecordForm form);

} // namespace qv
