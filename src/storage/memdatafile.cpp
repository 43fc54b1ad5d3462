#include "storage/memdatafile.h"

#include <cstdint>
#include <new>
#include <sys/mman.h>

namespace {

// Bodies are read into one block. A large block asks for huge pages: filling 50 MiB of fresh
// 4 KiB pages costs more in page faults than the read itself.
std::shared_ptr<char> bodyBlock(std::uint64_t size) {
    std::shared_ptr<char> block(new char[size], std::default_delete<char[]>());
#ifdef MADV_HUGEPAGE
    constexpr std::uint64_t kHuge = 2u << 20;
    if (size >= kHuge) {
        const auto page = std::uintptr_t(4096);
        const auto begin = (reinterpret_cast<std::uintptr_t>(block.get()) + page - 1) & ~(page - 1);
        const auto end = (reinterpret_cast<std::uintptr_t>(block.get()) + size) & ~(page - 1);
        if (end > begin)
            ::madvise(reinterpret_cast<void*>(begin), end - begin, MADV_HUGEPAGE);
    }
#endif
    return block;
}

} // namespace

CMemDataFile::CMemDataFile() : CDataFile(1) {}

// The return is rewritten through this object, so it is always opened for reading and
// writing; the flags of the caller do not matter.
int CMemDataFile::Open(const std::string& path, unsigned) {
    return OpenAndRead(path, "r+b");
}

int CMemDataFile::LoadAll() {
    if (!m_file)
        return 0;
    const std::uint32_t count = HeaderCount();
    std::vector<std::string> names;
    std::vector<std::uint32_t> records;
    if (!ReadNames(names) || names.size() < count || !ReadIndexRecords(count, records))
        return 0;
    // Every body lies inside the file (checked with the index); their total must fit in it
    // too, so entries that overlap cannot make the load cost more memory than the file holds.
    std::uint64_t total = 0;
    for (std::uint32_t i = 0; i < count; ++i)
        total += records[2 * i + 1];
    if (total > m_fileSize)
        return 0;
    m_entries.clear();
    try {
        m_entries.reserve(count);
        std::shared_ptr<char> block = total ? bodyBlock(total) : nullptr;
        std::uint64_t at = 0; // where the next body goes in the block
        // Bodies that follow each other in the file, as the writer lays them out, are read
        // with one call.
        for (std::uint32_t i = 0; i < count;) {
            const std::uint32_t start = records[2 * i];
            std::uint64_t run = 0;
            std::uint32_t j = i;
            for (; j < count && std::uint64_t(start) + run == records[2 * j]; ++j)
                run += records[2 * j + 1];
            if (run && (std::fseek(m_file, long(start), SEEK_SET) != 0 ||
                        std::fread(block.get() + at, 1, run, m_file) != run))
                return 0;
            for (; i < j; ++i) {
                Entry e;
                e.name = std::move(names[i]);
                e.length = records[2 * i + 1];
                if (e.length)
                    e.data = std::shared_ptr<const char>(block, block.get() + at);
                at += e.length;
                m_entries.push_back(std::move(e));
            }
        }
    } catch (const std::bad_alloc&) {
        m_entries.clear();
        return 0;
    }
    return 1;
}

int CMemDataFile::SetSaveVersion(std::uint32_t version) {
    if (version != version10 && version != version20)
        return 0;
    m_saveVersion = version;
    return 1;
}
