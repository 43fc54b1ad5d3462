#include "storage/datafile.h"

#include "storage/datafilehost.h"

#include <algorithm>
#include <bit>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <limits>
#include <sys/stat.h>
#include <sys/uio.h>
#include <unistd.h>

const char CDataFile::signature[] = "Quorva Data File, by Copper Grove Software,Inc.";
static_assert(sizeof(CDataFile::signature) - 1 == 47);

namespace {

constexpr std::size_t kSignatureLength = sizeof(CDataFile::signature) - 1;
constexpr std::size_t kCopyBlock = 4096;

std::uint32_t readLe32(const unsigned char* p) {
    return std::uint32_t(p[0]) | std::uint32_t(p[1]) << 8 | std::uint32_t(p[2]) << 16 |
           std::uint32_t(p[3]) << 24;
}

void appendLe32(std::string& out, std::uint32_t v) {
    const char bytes[4] = {char(v & 0xff), char(v >> 8 & 0xff), char(v >> 16 & 0xff),
                           char(v >> 24 & 0xff)};
    out.append(bytes, 4);
}

void appendLe16(std::string& out, std::uint16_t v) {
    out.push_back(char(v & 0xff));
    out.push_back(char(v >> 8 & 0xff));
}

// The file checksum: the sum modulo 2^32 of the little-endian 32-bit words at offsets 0, 4,
// 8, ... of everything before it; a trailing partial word is not counted. Fed in pieces of
// any size, so the writer can sum while it writes instead of reading the file back.
class Checksum final {
public:
    void add(const void* data, std::size_t size) {
        auto p = static_cast<const unsigned char*>(data);
        while (m_pending && size) {
            m_word[m_pending++ & 3] = *p++;
            --size;
            if (m_pending == 4) {
                m_sum += readLe32(m_word);
                m_pending = 0;
            }
        }
        if (m_pending)
            return; // the piece did not complete the word
        for (; size >= 4; p += 4, size -= 4) {
            std::uint32_t w;
            std::memcpy(&w, p, 4);
            if constexpr (std::endian::native == std::endian::big)
                w = readLe32(p);
            m_sum += w;
        }
        // Fewer than 4 bytes are left.
        for (std::size_t i = 0; i < size; ++i)
            m_word[i & 3] = p[i];
        m_pending = size;
    }
    std::uint32_t value() const { return m_sum; }

private:
    std::uint32_t m_sum = 0;
    unsigned char m_word[4] = {};
    std::size_t m_pending = 0;
};

// Writes pieces to a file descriptor with gathered writes, summing them as they go. Pieces
// must stay valid until flush(). Writeback of what is written is started along the way, so
// the closing fsync has less left to wait for.
class FdWriter final {
public:
    explicit FdWriter(int fd) : m_fd(fd) {}

    bool add(const void* data, std::size_t size) {
        if (size == 0)
            return true;
        m_sum.add(data, size);
        m_pieces.push_back({const_cast<void*>(data), size});
        m_pending += size;
        return m_pieces.size() < kMaxPieces && m_pending < kBatch ? true : flush();
    }

    bool flush() {
        std::size_t first = 0;
        while (first < m_pieces.size()) {
            const int n = int(std::min(m_pieces.size() - first, kMaxPieces));
            const ssize_t written = ::writev(m_fd, &m_pieces[first], n);
            if (written < 0) {
                if (errno == EINTR)
                    continue;
                return false;
            }
            m_written += std::uint64_t(written);
            // Skip what went out; a piece written in part is advanced.
            for (std::size_t left = std::size_t(written); left > 0;) {
                iovec& piece = m_pieces[first];
                const std::size_t step = std::min(left, piece.iov_len);
                piece.iov_base = static_cast<char*>(piece.iov_base) + step;
                piece.iov_len -= step;
                left -= step;
                if (piece.iov_len == 0)
                    ++first;
            }
            while (first < m_pieces.size() && m_pieces[first].iov_len == 0)
                ++first;
        }
        m_pieces.clear();
        m_pending = 0;
#ifdef SYNC_FILE_RANGE_WRITE
        if (m_written - m_started >= kBatch) {
            ::sync_file_range(m_fd, off64_t(m_started), off64_t(m_written - m_started),
                              SYNC_FILE_RANGE_WRITE);
            m_started = m_written;
        }
#endif
        return true;
    }

    std::uint32_t sum() const {
        return m_sum.value();
    }

private:
    static constexpr std::size_t kMaxPieces = 1024; // IOV_MAX on Linux
    static constexpr std::size_t kBatch = 8u << 20;
    int m_fd;
    std::vector<iovec> m_pieces;
    std::size_t m_pending = 0;
    std::uint64_t m_written = 0;
    std::uint64_t m_started = 0; // writeback requested up to here
    Checksum m_sum;
};

// The file a save replaces: a symbolic link is followed, so the link stays a link.
std::string replaceTarget(const std::string& path) {
    struct stat st;
    if (::lstat(path.c_str(), &st) == 0 && S_ISLNK(st.st_mode)) {
        if (char* real = ::realpath(path.c_str(), nullptr)) {
            std::string target(real);
            std::free(real);
            return target;
        }
    }
    return path;
}

void syncFolder(const std::string& folder) {
    int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
}

const char* fopenMode(unsigned flags) {
    const bool write = flags & (CDataFile::modeWrite | CDataFile::modeReadWrite);
    if (!write)
        return "rb";
    if ((flags & CDataFile::modeCreate) && !(flags & CDataFile::modeNoTruncate))
        return "w+b";
    return "r+b";
}

} // namespace

std::string CDataFile::FullPath(const std::string& path) {
    if (path.empty() || path.front() == '/')
        return path;
    std::error_code ec;
    auto abs = std::filesystem::absolute(path, ec);
    return ec ? path : abs.string();
}

CDataFile::CDataFile() : CDataFile(0) {}

CDataFile::CDataFile(int memMode) : m_memMode(memMode) {}

CDataFile::~CDataFile() {
    if (m_open)
        Close(true);
}

bool CDataFile::OpenHandle(const std::string& path, const char* mode) {
    CloseHandle();
    const bool create = mode[0] == 'w';
    const int how = std::strchr(mode, '+') ? O_RDWR : O_RDONLY;
    // Non-blocking at first, so that a FIFO in place of a file cannot hang the open; only
    // regular files are data files.
    const int fd =
        ::open(path.c_str(), how | O_NONBLOCK | O_CLOEXEC | (create ? O_CREAT : 0), 0666);
    if (fd < 0)
        return false;
    struct stat st;
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode) ||
        ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK) != 0 ||
        (create && ::ftruncate(fd, 0) != 0)) {
        ::close(fd);
        return false;
    }
    std::FILE* f = ::fdopen(fd, mode);
    if (!f) {
        ::close(fd);
        return false;
    }
    if (create)
        st.st_size = 0;
    m_file = f;
    m_fileSize = std::uint64_t(st.st_size);
    m_open = true;
    return true;
}

void CDataFile::CloseHandle() {
    if (m_file)
        std::fclose(m_file);
    m_file = nullptr;
    m_open = false;
}

int CDataFile::Open(const std::string& path, unsigned flags) {
    return OpenAndRead(path, fopenMode(flags));
}

int CDataFile::OpenAndRead(const std::string& path, const char* mode) {
    CloseHandle();
    m_entries.clear();
    // Unbound until the open succeeds: a later Save must not write the emptied entries
    // over the file bound before.
    m_path.clear();
    if (!OpenHandle(path, mode))
        return -1;
    if (!ReadHeader()) {
        CloseHandle();
        return -2;
    }
    if (!(m_memMode ? LoadAll() : ReadIndex())) {
        m_entries.clear();
        CloseHandle();
        return -3;
    }
    m_path = FullPath(path);
    return 1;
}

int CDataFile::Close(bool discardEntries) {
    if (discardEntries)
        m_entries.clear();
    CloseHandle();
    if (auto* host = qv::dataFileHost())
        host->setClosed(1);
    return 1;
}

bool CDataFile::ReadHeader() {
    m_header.fill(0);
    m_comment.clear();
    if (std::fread(m_header.data(), 1, headerSize, m_file) != headerSize)
        return false;
    if (std::memcmp(m_header.data(), signature, kSignatureLength) != 0)
        return false;
    const std::uint32_t version = readLe32(&m_header[100]);
    if (version == version10)
        return true;
    if (version != version20)
        return false;
    unsigned char len[2];
    if (std::fread(len, 1, 2, m_file) != 2)
        return false;
    const std::size_t length = std::size_t(len[0]) | std::size_t(len[1]) << 8;
    if (length == 0)
        return true;
    if (length > m_fileSize - headerSize - 2)
        return false;
    std::string comment(length, '\0');
    if (std::fread(comment.data(), 1, length, m_file) != length)
        return false;
    comment.resize(std::strlen(comment.c_str()));
    m_comment = std::move(comment);
    return true;
}

std::uint32_t CDataFile::HeaderCount() const {
    return readLe32(&m_header[104]);
}

std::uint32_t CDataFile::GetVersion() const {
    const std::uint32_t version = readLe32(&m_header[100]);
    return version ? version : version20;
}

bool CDataFile::ReadNames(std::vector<std::string>& names) {
    names.clear();
    std::string name;
    for (;;) {
        const int c = std::getc(m_file);
        if (c == EOF) {
            // The table ran into the end of the file: keep what was read; the index that
            // should follow is missing, so the caller fails.
            if (!name.empty())
                names.push_back(Upper(name));
            return true;
        }
        if (c != 0) {
            if (name.size() == maxNameLength)
                return false; // no writer makes such a name: the table is damaged
            name.push_back(char(c));
            continue;
        }
        if (name.empty())
            return true;
        names.push_back(Upper(name));
        name.clear();
    }
}

bool CDataFile::ReadIndexRecords(std::uint32_t count, std::vector<std::uint32_t>& records) {
    const long pos = std::ftell(m_file);
    if (pos < 0 || std::uint64_t(pos) > m_fileSize)
        return false;
    // Checked before allocating, so a claimed count the file cannot hold costs nothing.
    if (std::uint64_t(count) * 8 > m_fileSize - std::uint64_t(pos))
        return false;
    std::vector<unsigned char> raw(std::size_t(count) * 8);
    if (!raw.empty() && std::fread(raw.data(), 1, raw.size(), m_file) != raw.size())
        return false;
    records.resize(std::size_t(count) * 2);
    for (std::size_t i = 0; i < records.size(); ++i)
        records[i] = readLe32(&raw[i * 4]);
    for (std::size_t i = 0; i < count; ++i) {
        if (std::uint64_t(records[2 * i]) + records[2 * i + 1] > m_fileSize)
            return false;
    }
    return true;
}

int CDataFile::ReadIndex() {
    if (!m_file)
        return 0;
    const std::uint32_t count = HeaderCount();
    std::vector<std::string> names;
    std::vector<std::uint32_t> records;
    if (!ReadNames(names) || names.size() < count || !ReadIndexRecords(count, records))
        return 0;
    m_entries.clear();
    m_entries.reserve(count);
    for (std::uint32_t i = 0; i < count; ++i) {
        Entry e;
        e.name = std::move(names[i]);
        e.offset = records[2 * i];
        e.length = records[2 * i + 1];
        m_entries.push_back(std::move(e));
    }
    return 1;
}

int CDataFile::LoadAll() {
    return 0;
}

std::string CDataFile::Upper(const std::string& name) {
    std::string out(name);
    for (char& c : out) {
        if (c >= 'a' && c <= 'z')
            c = char(c - 'a' + 'A');
    }
    return out;
}

const CDataFile::Entry* CDataFile::Find(const std::string& upperName) const {
    for (const Entry& e : m_entries) {
        if (e.name == upperName)
            return &e;
    }
    return nullptr;
}

int CDataFile::Get(const std::string& name, void* buffer) {
    const Entry* e = Find(Upper(name));
    if (!e)
        return 0;
    if (e->length == 0)
        return 1;
    if (m_memMode) {
        std::memcpy(buffer, e->data.get(), e->length);
        return 1;
    }
    if (!m_file || std::fseek(m_file, long(e->offset), SEEK_SET) != 0)
        return 0;
    return std::fread(buffer, 1, e->length, m_file) == e->length ? 1 : 0;
}

std::uint32_t CDataFile::GetLength(const std::string& name) const {
    const Entry* e = Find(Upper(name));
    return e ? e->length : 0;
}

int CDataFile::Exists(const std::string& name) const {
    return Find(Upper(name)) ? 1 : 0;
}

int CDataFile::GetCount() const {
    return int(m_entries.size());
}

int CDataFile::GetName(int index, std::string& name) const {
    if (index < 0 || std::size_t(index) >= m_entries.size())
        return 0;
    name = m_entries[std::size_t(index)].name;
    return 1;
}

int CDataFile::Put(const std::string& name, const void* data, std::uint32_t length) {
    if (!m_memMode || name.empty() || name.size() > maxNameLength ||
        name.find('\0') != std::string::npos || (length && !data))
        return 0;
    Entry e;
    e.name = Upper(name);
    e.length = length;
    if (length) {
        std::shared_ptr<char> block(new char[length], std::default_delete<char[]>());
        std::memcpy(block.get(), data, length);
        e.data = std::move(block);
    }
    Remove(e.name);
    m_entries.push_back(std::move(e));
    return 1;
}

int CDataFile::Remove(const std::string& name) {
    if (!m_memMode)
        return 0;
    const std::string key = Upper(name);
    for (auto it = m_entries.begin(); it != m_entries.end(); ++it) {
        if (it->name == key) {
            m_entries.erase(it);
            return 1;
        }
    }
    return 0;
}

void CDataFile::SetComment(const std::string& comment) {
    m_comment = comment.substr(0, std::min(comment.find('\0'), maxCommentLength));
}

std::string CDataFile::BuildHeader(std::uint32_t version) const {
    std::string head(signatureArea, '\0');
    std::memcpy(head.data(), signature, kSignatureLength);
    appendLe32(head, version);
    appendLe32(head, std::uint32_t(m_entries.size()));
    if (version == version20) {
        appendLe16(head, std::uint16_t(m_comment.size() + 1));
        head += m_comment;
        head.push_back('\0');
    }
    return head;
}

bool CDataFile::WriteHeader(std::FILE* out, std::uint32_t version) const {
    const std::string head = BuildHeader(version);
    return std::fwrite(head.data(), 1, head.size(), out) == head.size() && std::fflush(out) == 0;
}

bool CDataFile::WriteFile(int fd, std::uint32_t version) const {
    std::string head = BuildHeader(version);
    for (const Entry& e : m_entries) {
        head += e.name;
        head.push_back('\0');
    }
    head.push_back('\0');
    std::uint64_t offset = head.size() + 8 * std::uint64_t(m_entries.size());
    for (const Entry& e : m_entries) {
        appendLe32(head, std::uint32_t(offset));
        appendLe32(head, e.length);
        offset += e.length;
    }
    // Offsets are 32-bit: a return that does not fit is refused rather than written wrong.
    if (offset > std::numeric_limits<std::uint32_t>::max())
        return false;
    FdWriter out(fd);
    if (!out.add(head.data(), head.size()))
        return false;
    for (const Entry& e : m_entries) {
        if (!out.add(e.data.get(), e.length))
            return false;
    }
    if (!out.flush())
        return false;
    std::string word;
    appendLe32(word, out.sum());
    return out.add(word.data(), word.size()) && out.flush();
}

int CDataFile::Create(const std::string& path) {
    if (!m_memMode)
        return 0;
    CloseHandle();
    if (!OpenHandle(path, "w+b"))
        return -1;
    m_path = FullPath(path);
    if (!WriteHeader(m_file, m_saveVersion))
        return -2;
    return 1;
}

// Writes the whole file to a new file in the same folder, makes it durable and renames it
// over the bound file. Until the rename the old file is untouched; after it the new file is
// complete. A failure removes the new file.
bool CDataFile::SaveReplacing() {
    if (m_path.empty())
        return false;
    CloseHandle();
    const std::string target = replaceTarget(m_path);
    mode_t mode;
    struct stat st;
    if (::stat(target.c_str(), &st) == 0) {
        if (!S_ISREG(st.st_mode))
            return false;
        // A file the user may not write stays as it is, as an in-place rewrite would.
        int probe = ::open(target.c_str(), O_WRONLY | O_CLOEXEC);
        if (probe < 0)
            return false;
        ::close(probe);
        mode = st.st_mode & 07777;
    } else {
        const mode_t mask = ::umask(0);
        ::umask(mask);
        mode = 0666 & ~mask;
    }
    const auto slash = target.rfind('/');
    const std::string folder = slash == std::string::npos ? "." : target.substr(0, slash + 1);
    const std::string base = slash == std::string::npos ? target : target.substr(slash + 1);
    std::string temp = (slash == std::string::npos ? "" : folder) + "." + base + ".XXXXXX";
    const int fd = ::mkstemp(temp.data());
    if (fd < 0)
        return false;
    bool ok = ::fchmod(fd, mode) == 0 && WriteFile(fd, m_saveVersion) && ::fsync(fd) == 0;
    ok = ::close(fd) == 0 && ok;
    if (!ok || std::rename(temp.c_str(), target.c_str()) != 0) {
        ::unlink(temp.c_str());
        return false;
    }
    syncFolder(folder);
    return true;
}

int CDataFile::Save(const std::string& path) {
    if (!m_memMode)
        return 0;
    auto* host = qv::dataFileHost();
    bool autoSave = false;
    if (host) {
        host->setClosed(0);
        autoSave = host->autoSave();
        host->setAutoSave(false);
    }
    if (!path.empty())
        m_path = FullPath(path);
    const bool ok = SaveReplacing();
    host = qv::dataFileHost();
    if (host)
        host->setClosed(1);
    if (host && host->autoBackup() && !m_path.empty()) {
        const std::string dir = host->autoBackupDir();
        const auto slash = m_path.rfind('/');
        if (slash == std::string::npos)
            CopyTo(m_path + ".bak");
        else if (!dir.empty())
            CopyTo(dir + m_path.substr(slash + 1) + ".bak");
    }
    Close(false);
    if (host)
        host->setAutoSave(autoSave);
    return ok ? 1 : 0;
}

int CDataFile::CopyTo(const std::string& target) {
    if (m_path.empty())
        return 0;
    // Copying a file onto itself would truncate it first.
    struct stat from, to;
    if (::stat(m_path.c_str(), &from) == 0 && ::stat(target.c_str(), &to) == 0 &&
        from.st_dev == to.st_dev && from.st_ino == to.st_ino)
        return 0;
    std::FILE* out = std::fopen(target.c_str(), "wb");
    if (!out)
        return 0;
    if (!m_open && !OpenHandle(m_path, m_memMode ? "r+b" : "rb")) {
        std::fclose(out);
        return 0;
    }
    bool ok = std::fseek(m_file, 0, SEEK_SET) == 0;
    char block[kCopyBlock];
    while (ok) {
        const std::size_t n = std::fread(block, 1, sizeof block, m_file);
        if (n == 0) {
            ok = !std::ferror(m_file);
            break;
        }
        ok = std::fwrite(block, 1, n, out) == n;
    }
    ok = std::fclose(out) == 0 && ok;
    return ok ? 1 : 0;
}
