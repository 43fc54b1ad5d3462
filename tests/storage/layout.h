#pragma once

#include <cstdint>
#include <string>
#include <vector>

// Assembles container-file bytes by hand, field by field, so that tests can compare what the
// writer produced with what the layout says, and can build damaged files.
namespace qvtest {

struct Body {
    std::string name;
    std::string bytes;
};

std::string le32(std::uint32_t v);
std::string le16(std::uint16_t v);
// The 108-byte header block: signature padded with zero bytes to 100, version, count.
std::string headerBlock(std::uint32_t version, std::uint32_t count);
// A whole file as the writer lays it out (bodies contiguous after the index), with the
// checksum word appended when `withChecksum`.
std::string layout(std::uint32_t version, const std::string& comment,
                   const std::vector<Body>& bodies, bool withChecksum = true);
// Sum modulo 2^32 of the little-endian words at offsets 0, 4, ... (partial word ignored).
std::uint32_t wordSum(const std::string& bytes);

} // namespace qvtest
