#include "storage/historyblob.h"

#include "app/appsettings.h"
#include "forms/historylist.h"
#include "interview/bytereader.h"
#include "interview/pagestack.h"
#include "interview/questioncodec.h"
#include "platform/profile.h"
#include "storage/memdatafile.h"
#include "storage/returnsections.h"

namespace qv {
namespace {

constexpr int kDefaultMaxHistory = 200;

void put16(std::string& out, std::uint16_t v) {
    out += char(v & 0xFF);
    out += char(v >> 8);
}

void put32(std::string& out, std::uint32_t v) {
    for (int shift = 0; shift < 32; shift += 8)
        out += char((v >> shift) & 0xFF);
}

void putText(std::string& out, const std::string& text) {
    out.append(text.c_str());
    out += '\0';
}

void putRef(std::string& out, const FieldRef& ref) {
    put16(out, ref.module);
    put16(out, ref.form);
    put16(out, ref.copy);
    put16(out, ref.field);
}

FieldRef readRef(ByteReader& in) {
    FieldRef ref;
    ref.module = in.word16();
    ref.form = in.word16();
    ref.copy = in.word16();
    ref.field = in.word16();
    return ref;
}

std::uint8_t readByte(ByteReader& in) {
    const std::string b = in.bytes(1);
    return b.empty() ? 0 : std::uint8_t(b[0]);
}

const char* reportTitle(std::uint8_t subKind) {
    switch (subKind) {
    case 1:
        return "Depreciation Summary";
    case 2:
        return "Next Year's Depreciation Summary";
    default:
        return nullptr;
    }
}

} // namespace

std::string SerializeHistory(const HistoryList& history) {
    std::string out;
    for (const HistoryEntry& entry : history.entries()) {
        // A kind without a payload layout cannot be read back; leave it out.
        if (entry.kind != 1 && entry.kind != 2 && entry.kind != 4 && entry.kind != 32 &&
            entry.kind != 64)
            continue;
        if (entry.kind == HistoryEntry::InterviewPage && !entry.page)
            continue;
        out += char(entry.kind);
        out += char(entry.subKind);
        putText(out, entry.title);
        putText(out, entry.module);
        switch (entry.kind) {
        case HistoryEntry::FieldVisit:
        case HistoryEntry::ExplorerPosition:
            putRef(out, entry.ref);
            break;
        case HistoryEntry::FieldVisitWithFlags:
            putRef(out, entry.ref);
            put32(out, entry.flags);
            break;
        case HistoryEntry::InterviewPage:
            WritePageRecord(out, *entry.page, PageRecordForm::History);
            break;
        default:
            break;
        }
    }
    out += '\0';
    return out;
}

bool ParseHistory(const std::string& blob, HistoryList& history) {
    ByteReader in(blob.data(), blob.size());
    while (!in.atEnd()) {
        HistoryEntry entry;
        entry.kind = readByte(in);
        if (entry.kind == 0)
            return true;
        entry.subKind = readByte(in);
        entry.title = in.text();
        entry.module = in.text();
        switch (entry.kind) {
        case HistoryEntry::FieldVisit:
        case HistoryEntry::ExplorerPosition:
            entry.ref = readRef(in);
            break;
        case HistoryEntry::FieldVisitWithFlags:
            entry.ref = readRef(in);
            entry.flags = in.word32();
            break;
        case HistoryEntry::InterviewPage:
            entry.page.emplace();
            if (!ReadPageRecord(in, *entry.page, PageRecordForm::History))
                return false;
            break;
        case HistoryEntry::Report:
            if (const char* title = reportTitle(entry.subKind))
                entry.title = title;
            break;
        default:
            return false; // no way to know where the next record starts
        }
        if (!in.ok())
            return false;
        // Every record becomes the current place in turn: the list drops what lies after
        // the current position, and the last saved place is where the user was.
        history.setIndex(history.add(std::move(entry)));
    }
    return false; // the closing zero byte is missing
}

bool PageQualifies(const std::string& script, const std::string& question) {
    return script.rfind("AD_", 0) != 0 && question.find("AUDIT-GLUE") == std::string::npos;
}

std::string SerializePageStack(const PageStack& pages, int maxPages) {
    std::string out;
    const std::size_t count = pages.size();
    const std::size_t limit = std::size_t(maxPages < 1 ? 1 : maxPages);
    for (std::size_t i = 0; i < count; ++i) {
        if (i == 1 && count > limit)
            i = count - limit + 1;
        const Question& page = pages.at(i);
        if (!PageQualifies(page.script, page.name))
            continue;
        out.append("PA", 3); // the marker with its zero byte
        WritePageRecord(out, page, PageRecordForm::PageStack);
    }
    if (!out.empty())
        out += '\0';
    return out;
}

bool ParsePageStack(const std::string& blob, PageStack& pages) {
    ByteReader in(blob.data(), blob.size());
    while (!in.atEnd()) {
        if (in.peek() == 0)
            return true;
        if (in.text() != "PA" || !in.ok())
            return false;
        Question page;
        if (!ReadPageRecord(in, page, PageRecordForm::PageStack))
            return false;
        pages.push(std::move(page));
    }
    return false;
}

int SaveHistoryBlobs(CMemDataFile& file, const HistoryList& history, const PageStack& pages) {
    pf::Profile& profile = pf::Profile::app();
    int maxPages = profile.getInt("DATA", "MAXHISTORY", 0);
    if (maxPages < 1) {
        maxPages = kDefaultMaxHistory;
        settings::writeInt("DATA", "MAXHISTORY", maxPages);
    }
    // A blob left from the load would bring back pages and places that are gone now.
    const std::string stack = SerializePageStack(pages, maxPages);
    if (stack.empty())
        file.Remove(sections::kPageStack);
    else
        file.Put(sections::kPageStack, stack.data(), std::uint32_t(stack.size()));
    const std::string list = SerializeHistory(history);
    if (list.size() <= 1) {
        file.Remove(sections::kHistory);
        return 1;
    }
    settings::writeInt("DATA", "LOADHISTORY", 1);
    return file.Put(sections::kHistory, list.data(), std::uint32_t(list.size()));
}

bool LoadHistoryBlobs(CMemDataFile& file, HistoryList& history, PageStack& pages,
                      bool closedCleanly) {
    for (const char* legacy : {"AppHistory", "AppFinalHistory", "AppFinal99History",
                               "AppPreview00History", "AppPreview00HistoryA", "AppFinal00History"})
        file.Remove(legacy);
    if (!closedCleanly || settings::getInt("DATA", "LOADHISTORY") == 0)
        return true;
    file.Remove("AppF99PtrArray");
    file.Remove("AppP00PtrArray");
    pages.clear();
    ParsePageStack(sections::ReadBlob(file, sections::kPageStack), pages);
    ParseHistory(sections::ReadBlob(file, sections::kHistory), history);
    return true;
}

} // namespace qv
