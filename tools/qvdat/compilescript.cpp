// compile-script: a text interview script to the compiled entry form; questions: lists the
// questions of a compiled entry.
#include "qvdat.h"

#include "interview/compiledscript.h"
#include "interview/textscript.h"
#include "storage/datafile.h"

#include <cstdio>
#include <fstream>

namespace qvdat {

int cmdCompileScript(const Args& args) {
    if (args.size() != 2)
        return usage("compile-script");
    TextScript script;
    if (!script.Open(args[0]))
        return fail(1, args[0] + ": cannot read the script");
    // The page texts keep their backslash-n pairs: the compiled form has its own rule for them.
    const std::vector<Question> questions = script.ReadAll(true);
    if (questions.empty())
        return fail(1, args[0] + ": no questions found");
    std::string entry;
    for (const Question& q : questions) {
        std::string error;
        if (!CompiledScript::Write(entry, q, &error))
            return fail(1, args[0] + ": " + error);
    }
    std::ofstream out(args[1], std::ios::binary | std::ios::trunc);
    out.write(entry.data(), std::streamsize(entry.size()));
    out.close();
    if (!out)
        return fail(1, args[1] + ": cannot write");
    return 0;
}

int cmdQuestions(const Args& args) {
    if (args.size() != 2)
        return usage("questions");
    CDataFile file;
    const int r = file.Open(args[0]);
    if (r != 1)
        return fail(1, args[0] + ": " + openError(r));
    const std::uint32_t length = file.GetLength(args[1]);
    if (!length)
        return fail(1, args[0] + ": no entry named " + args[1]);
    std::string entry(length, '\0');
    if (file.Get(args[1], entry.data()) != 1)
        return fail(1, args[0] + ": cannot read entry " + args[1]);
    for (const Question& q : CompiledScript::ReadAll(entry.data(), entry.size())) {
        std::printf("%s\tform=%s\tnextAudit=%s\tsetFields=%zu\tnextQuestions=%zu\t"
                    "conditions=%zu\ttext=%zu\n",
                    q.name.c_str(), q.form.c_str(), q.nextAudit.c_str(), q.setFields.size(),
                    q.nextQuestions.size(), q.conditions.size(), q.text.size());
    }
    return std::fflush(stdout) == 0 ? 0 : 1;
}

} // namespace qvdat
