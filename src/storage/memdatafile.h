#pragma once

#include "storage/datafile.h"

// A container file held wholly in memory: Open reads every entry, the caller adds, replaces
// and removes entries, and Save rewrites the file. The handle stays open after Open (read and
// write, shared) and is closed by Save.
class CMemDataFile final : public CDataFile {
public:
    CMemDataFile();

    // Ignores `flags`: always opens for reading and writing without truncating.
    int Open(const std::string& path, unsigned flags = readShared) override;
    int LoadAll() override;

    // The format version Create and Save write: 20 unless a tool that builds test files asks
    // for 10 (no header comment). Other values are refused (0).
    int SetSaveVersion(std::uint32_t version);
};
