#pragma once

#include <string>

class CMemDataFile;

namespace qv {

class HistoryList;
class PageStack;

// The history list and the interview page stack as they are kept in a return.
//
// History blob: records back to back, then one zero byte. A record: kind (1 byte), sub-kind
// (1 byte), title and module name (zero-terminated), then by kind: 1 and 4 a field reference
// (four 16-bit words), 64 a field reference and a 32-bit flag word, 2 a page record in its
// history form, 32 nothing. Page-stack blob: per page "PA" and a zero byte, the page record in
// its page-stack form; then one zero byte. Pages of audit scripts are not kept.

std::string SerializeHistory(const HistoryList& history);
// Appends the records of `blob` to the list; false when it ends inside a record (the
// records before it are kept).
bool ParseHistory(const std::string& blob, HistoryList& history);

// A page the stack keeps in the return: not an audit script's, not audit glue.
bool PageQualifies(const std::string& script, const std::string& question);
// The stack's oldest page and its newest maxPages - 1 pages that qualify.
std::string SerializePageStack(const PageStack& pages, int maxPages);
bool ParsePageStack(const std::string& blob, PageStack& pages);

// Puts AppF02PtrArray and AppFinal02History (removing a stale one when there is nothing to
// keep). MAXHISTORY below 1 or unset becomes 200 and is written. 1, or 0 when a Put failed.
int SaveHistoryBlobs(CMemDataFile& file, const HistoryList& history, const PageStack& pages);
// Drops the entries of older program years and, when `closedCleanly` and LOADHISTORY allow
// it, replaces the page stack and the history list with the return's. Always true.
bool LoadHistoryBlobs(CMemDataFile& file, HistoryList& history, PageStack& pages,
                      bool closedCleanly);

} // namespace qv
