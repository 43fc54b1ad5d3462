#include "interview/bytereader.h"

#include <cstring>

namespace qv {

std::uint16_t ByteReader::word16() {
    if (remaining() < 2) {
        m_ok = false;
        m_pos = m_size;
        return 0;
    }
    const std::uint16_t v = std::uint16_t(m_data[m_pos] | (m_data[m_pos + 1] << 8));
    m_pos += 2;
    return v;
}

std::uint32_t ByteReader::word32() {
    if (remaining() < 4) {
        m_ok = false;
        m_pos = m_size;
        return 0;
    }
    std::uint32_t v = 0;
    for (int i = 3; i >= 0; --i)
        v = (v << 8) | m_data[m_pos + std::size_t(i)];
    m_pos += 4;
    return v;
}

std::string ByteReader::text() {
    const void* end = std::memchr(m_data + m_pos, 0, remaining());
    if (!end) {
        std::string rest(reinterpret_cast<const char*>(m_data + m_pos), remaining());
        m_pos = m_size;
        m_ok = false;
        return rest;
    }
    const std::size_t length = std::size_t(static_cast<const unsigned char*>(end) - m_data) - m_pos;
    std::string t(reinterpret_cast<const char*>(m_data + m_pos), length);
    m_pos += length + 1;
    return t;
}

std::string ByteReader::fixedText(std::size_t width) {
    const std::string field = bytes(width);
    return field.substr(0, field.find('\0'));
}

std::string ByteReader::bytes(std::size_t length) {
    const std::size_t n = length <= remaining() ? length : remaining();
    std::string b(reinterpret_cast<const char*>(m_data + m_pos), n);
    m_pos += n;
    if (n < length)
        m_ok = false;
    return b;
}

bool ByteReader::skip(std::size_t length) {
    if (length > remaining()) {
        m_pos = m_size;
        m_ok = false;
        return false;
    }
    m_pos += length;
    return true;
}

} // namespace qv
