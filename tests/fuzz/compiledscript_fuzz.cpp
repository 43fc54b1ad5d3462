// Compiled script entries of any content are walked and read without reading past the entry
// (the sanitizer sees the bytes after it as out of bounds).
#include "interview/compiledscript.h"

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <memory>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    // An exact-size copy, so that any read beyond the entry is caught.
    std::unique_ptr<std::uint8_t[]> entry(new std::uint8_t[size ? size : 1]);
    if (size)
        std::memcpy(entry.get(), data, size);
    CompiledScript::ReadAll(entry.get(), size);
    Question q;
    CompiledScript::Find(entry.get(), size, "Step1", q);
    return 0;
}
