#include "interview/questioncodec.h"

#include "interview/bytereader.h"

#include <cstdint>
#include <vector>

namespace qv {
namespace {

void put16(std::string& out, std::uint16_t v) {
    out.push_back(char(v & 0xFF));
    out.push_back(char(v >> 8));
}

void put32(std::string& out, int value) {
    const auto v = std::uint32_t(value);
    for (int i = 0; i < 4; ++i)
        out.push_back(char((v >> (8 * i)) & 0xFF));
}

// A text stops at its first zero byte, which would otherwise end it early when read back.
void putText(std::string& out, const std::string& text) {
    out.append(text.c_str());
    out.push_back('\0');
}

void putList(std::string& out, const std::vector<std::string>& list) {
    for (const std::string& item : list) {
        // An empty item would read back as the end of the list.
        if (!item.empty() && item[0] != '\0')
            putText(out, item);
    }
    out.push_back('\0');
}

bool readList(ByteReader& in, std::vector<std::string>& list) {
    list.clear();
    while (in.ok() && !in.atEnd()) {
        std::string item = in.text();
        if (item.empty())
            return in.ok();
        list.push_back(std::move(item));
    }
    return false; // ran out before the closing zero byte
}

} // namespace

void WritePageRecord(std::string& out, const Question& q, PageRecordForm form) {
    put32(out, q.branch);
    put32(out, q.waiting);
    put32(out, q.done);
    put32(out, q.keep);
    put32(out, q.historyId);
    put32(out, q.reopened);
    put32(out, q.spare);
    put16(out, q.copyContext.module);
    put16(out, q.copyContext.form);
    put16(out, q.copyContext.copy);
    put16(out, 0);
    putText(out, q.script);
    putText(out, q.name);
    putText(out, q.parentTarget);
    if (form == PageRecordForm::PageStack)
        putText(out, q.nextAudit);
    putText(out, q.form);
    if (form == PageRecordForm::PageStack) {
        putList(out, q.setFields);
        putList(out, q.nextQuestions);
        putList(out, q.conditions);
    }
}

bool ReadPageRecord(ByteReader& in, Question& q, PageRecordForm form) {
    if (in.remaining() < 7 * 4 + 8)
        return false;
    q.branch = int(in.word32());
    q.waiting = int(in.word32());
    q.done = int(in.word32());
    q.keep = int(in.word32());
    q.historyId = int(in.word32());
    q.reopened = int(in.word32());
    q.spare = int(in.word32());
    q.copyContext.module = std::uint8_t(in.word16());
    q.copyContext.form = in.word16();
    q.copyContext.copy = in.word16();
    in.word16();
    q.script = in.text();
    q.name = in.text();
    q.parentTarget = in.text();
    if (form == PageRecordForm::PageStack)
        q.nextAudit = in.text();
    q.form = in.text();
    if (!in.ok())
        return false;
    if (form == PageRecordForm::PageStack) {
        return readList(in, q.setFields) && readList(in, q.nextQuestions) &&
               readList(in, q.conditions);
    }
    return true;
}

bool ReadPageRecord(const void* data, std::size_t size, Question& q, PageRecordForm form) {
    ByteReader in(data, size);
    return ReadPageRecord(in, q, form);
}

} // namespace qv
