#include "storage/memdatafile.h"

#include <new>

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
    m_entries.clear();
    m_entries.reserve(count);
    // Every body lies inside the file (checked with the index); their total is bounded too,
    // so entries that overlap cannot make the load cost more memory than the file holds.
    std::uint64_t total = 0;
    try {
        for (std::uint32_t i = 0; i < count; ++i) {
            Entry e;
            e.name = std::move(names[i]);
            const std::uint32_t offset = records[2 * i];
            e.length = records[2 * i + 1];
            total += e.length;
            if (total > m_fileSize)
                return 0;
            if (e.length) {
                e.data.reset(new char[e.length]);
                if (std::fseek(m_file, long(offset), SEEK_SET) != 0 ||
                    std::fread(e.data.get(), 1, e.length, m_file) != e.length)
                    return 0;
            }
            m_entries.push_back(std::move(e));
        }
    } catch (const std::bad_alloc&) {
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
