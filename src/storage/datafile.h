#pragma once

#include <array>
#include <cstdint>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

// A container file of named entries: a fixed text header, a table of upper-case entry names,
// an index of (offset, length) pairs, the entry bodies and a closing checksum word.
//
// CDataFile reads such a file in place: every Get seeks into the file. CMemDataFile (derived)
// holds every entry in memory and can add, replace and remove entries and rewrite the file.
// Operations that change entries answer 0 on a direct-mode object and change nothing.
//
// Names are matched after ASCII upper-casing (bytes above 127 are left alone), in entry
// order; the first equal name wins. Nothing here reports to the user: callers word messages.
class CDataFile {
public:
    // Open flags. Direct-mode readers pass readShared; CMemDataFile ignores the flags.
    enum OpenFlags : unsigned {
        modeRead = 0x0000,
        modeWrite = 0x0001,
        modeReadWrite = 0x0002,
        shareDenyNone = 0x0040,
        modeCreate = 0x1000,
        modeNoTruncate = 0x2000,
        typeBinary = 0x8000,
    };
    static constexpr unsigned readShared = modeRead | shareDenyNone | typeBinary;

    static constexpr std::size_t headerSize = 108;
    static constexpr std::size_t signatureArea = 100;
    static constexpr std::size_t maxNameLength = 255;
    static constexpr std::size_t maxCommentLength = 65534; // stored length counts a zero byte
    static constexpr std::uint32_t version10 = 10;
    static constexpr std::uint32_t version20 = 20;
    static const char signature[]; // the 47 characters every file starts with

    CDataFile();
    virtual ~CDataFile();
    CDataFile(const CDataFile&) = delete;
    CDataFile& operator=(const CDataFile&) = delete;

    // 1 success; -1 the file cannot be opened; -2 not a data-file header (too short, wrong
    // signature, unknown version, truncated comment); -3 the name table, the index or an entry
    // body is incomplete or points outside the file. On failure nothing stays open or loaded.
    virtual int Open(const std::string& path, unsigned flags = readShared);
    // Closes the handle (the file stays bound) and marks the return closed in the settings;
    // with `discardEntries` the entries are freed as well. Always 1.
    virtual int Close(bool discardEntries = true);
    // Reads the name table and index at the current position (direct mode). 1 or 0.
    virtual int ReadIndex();
    // Reads names, index and every body into memory (memory mode only). 1 or 0.
    virtual int LoadAll();

    // Copies the whole entry into `buffer` (sized by GetLength). 1 found, 0 not found or
    // unreadable; the buffer is untouched when the entry is missing.
    int Get(const std::string& name, void* buffer);
    std::uint32_t GetLength(const std::string& name) const; // 0 when there is no such entry
    int Exists(const std::string& name) const;
    int GetCount() const;
    // The name of the entry at 0-based `index`; 0 when out of range.
    int GetName(int index, std::string& name) const;

    // Memory mode only. Replaces an entry of that name (the new one goes to the end of the
    // order) or appends one, holding a private copy of the bytes. Empty names, names of 256
    // or more characters and names holding a zero byte are refused (0).
    int Put(const std::string& name, const void* data, std::uint32_t length);
    // Memory mode only: 1 when an entry was removed; the others keep their order.
    int Remove(const std::string& name);
    // Memory mode only: binds to `path`, creates or truncates it and writes the header for
    // the entries now in memory, which stay. 1; -1 cannot open; -2 header not written.
    int Create(const std::string& path);
    // Memory mode only: rewrites the bound file (or `path`, which then becomes the bound
    // file) from memory. The new file is written beside the old one and renamed over it, so
    // a crash or a full disk leaves the old file whole. Afterwards the handle is closed and
    // the entries stay in memory. 1 or 0.
    int Save(const std::string& path = {});
    // Byte-for-byte copy of the bound file to `target` (created or truncated). 1 or 0.
    int CopyTo(const std::string& target);
    int IsOpen() const { return m_open ? 1 : 0; }

    const std::string& GetComment() const { return m_comment; }
    // Stored up to its first zero byte and at most maxCommentLength characters.
    void SetComment(const std::string& comment);
    const std::string& GetPath() const { return m_path; }
    // The format version of the header last read (20 for a new object).
    std::uint32_t GetVersion() const;

protected:
    struct Entry {
        std::string name;
        std::uint32_t offset = 0; // direct mode: where the body starts in the file
        std::uint32_t length = 0;
        // Memory mode: the body. Loaded entries share one block holding every body of the
        // file (alive while any of them is); an entry from Put has a block of its own.
        std::shared_ptr<const char> data;
    };

    explicit CDataFile(int memMode);
    // Opens the handle with the given fopen mode and learns the file's size; false when the
    // file cannot be opened or is not a regular file.
    bool OpenHandle(const std::string& path, const char* mode);
    void CloseHandle();
    // Open's common path: handle, header, then ReadIndex or (memory mode) LoadAll.
    int OpenAndRead(const std::string& path, const char* mode);
    // The path made absolute (not resolved: a link keeps its own name).
    static std::string FullPath(const std::string& path);
    // Zeroes, reads and checks the header block and, for version 20, the comment.
    bool ReadHeader();
    // The name table at the current position, each name upper-cased.
    bool ReadNames(std::vector<std::string>& names);
    // `count` index records at the current position, each checked to lie inside the file.
    bool ReadIndexRecords(std::uint32_t count, std::vector<std::uint32_t>& records);
    std::uint32_t HeaderCount() const;
    const Entry* Find(const std::string& upperName) const;
    static std::string Upper(const std::string& name);
    // Writes the complete file (header, names, index, bodies, checksum) to `fd`.
    bool WriteFile(int fd, std::uint32_t version) const;
    bool WriteHeader(std::FILE* out, std::uint32_t version) const;
    std::string BuildHeader(std::uint32_t version) const;

    std::array<unsigned char, headerSize> m_header{};
    std::string m_comment;
    std::string m_path;
    std::FILE* m_file = nullptr;
    std::vector<Entry> m_entries;
    bool m_open = false;
    int m_memMode = 0;
    std::uint64_t m_fileSize = 0;            // size of the open file, for bounds checks
    std::uint32_t m_saveVersion = version20; // what Create and Save write

private:
    bool SaveReplacing();
};
