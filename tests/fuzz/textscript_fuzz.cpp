// Text scripts of any content are read without a crash; every question that can be compiled
// reads back from its compiled record.
#include "interview/compiledscript.h"
#include "interview/textscript.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    TextScript script;
    script.SetContent(std::string(reinterpret_cast<const char*>(data), size));
    const std::vector<Question> all = script.ReadAll(true);
    std::string entry;
    std::size_t written = 0;
    for (const Question& q : all)
        written += CompiledScript::Write(entry, q) ? 1 : 0;
    if (CompiledScript::ReadAll(entry.data(), entry.size()).size() != written)
        std::abort();
    script.Rewind();
    Question q;
    if (!all.empty())
        script.FindAndRead(all.back().name, q);
    script.FindAndRead("Step1", q);
    return 0;
}
