#include "interview/compiledscript.h"

#include "app/texthelpers.h"
#include "interview/bytereader.h"

#include <algorithm>

namespace {

std::string Upper(std::string s) {
    for (char& c : s) {
        if (c >= 'a' && c <= 'z')
            c = char(c - 'a' + 'A');
    }
    return s;
}

// A text of stated length: at most maxTextLength characters of it, up to a zero byte.
std::string TakeText(qv::ByteReader& in, std::size_t length) {
    std::string t = in.bytes(length);
    if (t.size() > CompiledScript::maxTextLength)
        t.resize(CompiledScript::maxTextLength);
    const std::size_t nul = t.find('\0');
    if (nul != std::string::npos)
        t.resize(nul);
    return t;
}

void TakeList(qv::ByteReader& in, std::vector<std::string>& list, bool dropComments) {
    while (!in.atEnd()) {
        std::string item = in.text();
        if (item.empty())
            return;
        if (!dropComments || item.find("//") == std::string::npos)
            list.push_back(std::move(item));
    }
}

void Put16(std::string& out, std::size_t v) {
    out.push_back(char(v & 0xFF));
    out.push_back(char((v >> 8) & 0xFF));
}

bool PutFixed(std::string& out, const std::string& text, std::size_t width) {
    if (text.size() >= width || text.find('\0') != std::string::npos)
        return false;
    out += text;
    out.append(width - text.size(), '\0');
    return true;
}

bool PutList(std::string& out, const std::vector<std::string>& list) {
    for (const std::string& item : list) {
        if (item.empty() || item.find('\0') != std::string::npos)
            return false;
        out += item;
        out.push_back('\0');
    }
    out.push_back('\0');
    return true;
}

} // namespace

bool CompiledScript::ReadRecord(const void* entry, std::size_t size, std::size_t offset,
                                Question& q, std::size_t& next) {
    next = size;
    if (offset >= size)
        return false;
    const auto* base = static_cast<const unsigned char*>(entry) + offset;
    qv::ByteReader head(base, size - offset);
    const std::size_t length = head.word16();
    if (!head.ok() || length < 2)
        return false;
    next = offset + length;
    // The record's fields are read within its own length and within the entry.
    qv::ByteReader in(base, std::min(length, size - offset));
    in.skip(2);
    q = Question();
    q.name = in.fixedText(32);
    q.nextAudit = in.fixedText(32);
    q.advisorScript = in.fixedText(32);
    q.helpId = in.fixedText(96);
    q.tgxHelpId = in.fixedText(96);
    std::size_t lengths[7];
    for (std::size_t& l : lengths)
        l = in.word16();
    if (!in.ok())
        return false;
    q.text = TakeText(in, lengths[6]);
    ReplaceAll(q.text, "\\n", "  ");
    q.lhImages = TakeText(in, lengths[0]);
    q.hpImages = TakeText(in, lengths[1]);
    q.windows = TakeText(in, lengths[2]);
    q.input = TakeText(in, lengths[3]);
    q.form = TakeText(in, lengths[4]);
    q.rhControls = TakeText(in, lengths[5]);
    TakeList(in, q.setFields, false);
    TakeList(in, q.nextQuestions, true);
    TakeList(in, q.conditions, true);
    return true;
}

bool CompiledScript::Find(const void* entry, std::size_t size, const std::string& name,
                          Question& q) {
    const std::string wanted = Upper(name);
    std::size_t offset = 0;
    while (offset < size) {
        const auto* base = static_cast<const unsigned char*>(entry) + offset;
        qv::ByteReader head(base, size - offset);
        const std::size_t length = head.word16();
        if (!head.ok() || length < 2)
            return false;
        const std::string recordName =
            qv::ByteReader(base + 2, std::min(length, size - offset) - 2).fixedText(32);
        if (Upper(recordName) == wanted) {
            std::size_t next = 0;
            return ReadRecord(entry, size, offset, q, next);
        }
        offset += length;
    }
    return false;
}

std::vector<Question> CompiledScript::ReadAll(const void* entry, std::size_t size) {
    std::vector<Question> all;
    std::size_t offset = 0;
    while (offset < size) {
        Question q;
        std::size_t next = size;
        if (!ReadRecord(entry, size, offset, q, next))
            break;
        all.push_back(std::move(q));
        offset = next;
    }
    return all;
}

bool CompiledScript::Write(std::string& out, const Question& q, std::string* error) {
    auto refuse = [&](const std::string& why) {
        if (error)
            *error = q.name + ": " + why;
        return false;
    };
    std::string r(2, '\0');
    if (!PutFixed(r, q.name, 32) || !PutFixed(r, q.nextAudit, 32) ||
        !PutFixed(r, q.advisorScript, 32))
        return refuse("name, next audit or advisor script longer than 31 characters");
    if (!PutFixed(r, q.helpId, 96) || !PutFixed(r, q.tgxHelpId, 96))
        return refuse("help id longer than 95 characters");
    const std::string* texts[] = {&q.lhImages, &q.hpImages,   &q.windows, &q.input,
                                  &q.form,     &q.rhControls, &q.text};
    for (const std::string* t : texts) {
        if (t->size() > maxTextLength)
            return refuse("a text longer than 30000 characters");
        Put16(r, t->size());
    }
    r += q.text;
    for (int i = 0; i < 6; ++i)
        r += *texts[i];
    if (!PutList(r, q.setFields) || !PutList(r, q.nextQuestions) || !PutList(r, q.conditions))
        return refuse("an empty list item");
    if (r.size() > 0xFFFF)
        return refuse("question record longer than 65535 bytes");
    r[0] = char(r.size() & 0xFF);
    r[1] = char(r.size() >> 8);
    out += r;
    return true;
}
