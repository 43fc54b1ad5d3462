#include "layout.h"

namespace qvtest {

std::string le32(std::uint32_t v) {
    std::string s;
    for (int i = 0; i < 4; ++i)
        s.push_back(char((v >> (8 * i)) & 0xff));
    return s;
}

std::string le16(std::uint16_t v) {
    return {char(v & 0xff), char(v >> 8)};
}

std::string headerBlock(std::uint32_t version, std::uint32_t count) {
    std::string h = "Quorva Data File, by Copper Grove Software,Inc.";
    h.resize(100, '\0');
    return h + le32(version) + le32(count);
}

std::uint32_t wordSum(const std::string& bytes) {
    std::uint32_t sum = 0;
    for (std::size_t i = 0; i + 4 <= bytes.size(); i += 4) {
        std::uint32_t w = 0;
        for (int k = 3; k >= 0; --k)
            w = w << 8 | static_cast<unsigned char>(bytes[i + std::size_t(k)]);
        sum += w;
    }
    return sum;
}

std::string layout(std::uint32_t version, const std::string& comment,
                   const std::vector<Body>& bodies, bool withChecksum) {
    std::string out = headerBlock(version, std::uint32_t(bodies.size()));
    if (version == 20)
        out += le16(std::uint16_t(comment.size() + 1)) + comment + std::string(1, '\0');
    for (const Body& b : bodies)
        out += b.name + std::string(1, '\0');
    out += std::string(1, '\0');
    std::uint32_t offset = std::uint32_t(out.size() + 8 * bodies.size());
    for (const Body& b : bodies) {
        out += le32(offset) + le32(std::uint32_t(b.bytes.size()));
        offset += std::uint32_t(b.bytes.size());
    }
    for (const Body& b : bodies)
        out += b.bytes;
    if (withChecksum)
        out += le32(wordSum(out));
    return out;
}

} // namespace qvtest
