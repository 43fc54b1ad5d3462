#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace qv {

// Reads little-endian words and texts from a byte range and never past its end: a read that
// would run over the end takes what is there (texts) or nothing (words), and marks the reader
// failed. A failed reader stays failed.
class ByteReader final {
public:
    ByteReader(const void* data, std::size_t size)
        : m_data(static_cast<const unsigned char*>(data)), m_size(size) {}

    std::uint16_t word16();
    std::uint32_t word32();
    // A zero-terminated text; a missing terminator takes the rest and fails the reader.
    std::string text();
    // A field of fixed width holding a zero-terminated text (the rest of the field is skipped).
    std::string fixedText(std::size_t width);
    // Exactly `length` bytes, or what is left (then the reader fails).
    std::string bytes(std::size_t length);
    bool skip(std::size_t length);

    bool ok() const { return m_ok; }
    bool atEnd() const { return m_pos >= m_size; }
    std::size_t pos() const { return m_pos; }
    std::size_t remaining() const { return m_size - m_pos; }
    // The byte at the reading position, 0 at the end.
    unsigned char peek() const { return m_pos < m_size ? m_data[m_pos] : 0; }

private:
    const unsigned char* m_data;
    std::size_t m_size;
    std::size_t m_pos = 0;
    bool m_ok = true;
};

} // namespace qv
