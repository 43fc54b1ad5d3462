#include "interview/interviewengine.h"

#include "interview/compiledscript.h"
#include "interview/condition.h"
#include "interview/moduleset.h"
#include "platform/paths.h"
#include "platform/text.h"
#include "storage/datafile.h"

#include <fstream>

namespace {

// Audit terms load scripts whose conditions may hold audit terms again; a script that names
// itself must not recurse without end.
constexpr int kMaxLoadDepth = 8;
// Questions one audit walk may pass; Next Audit lines that form a cycle end here.
constexpr int kMaxWalkSteps = 10000;

bool Contains(const std::string& s, const char* part) {
    return s.find(part) != std::string::npos;
}

// "SCRIPT_QUESTION" split at its last "_".
void SplitAtLast(const std::string& full, std::string& script, std::string& question) {
    const std::size_t u = full.rfind('_');
    script = u == std::string::npos ? full : full.substr(0, u);
    question = u == std::string::npos ? std::string() : full.substr(u + 1);
}

} // namespace

InterviewEngine::InterviewEngine(const qv::ModuleSet& modules, std::string scriptDir)
    : m_modules(modules), m_scriptDir(scriptDir.empty() ? pf::progDir() : std::move(scriptDir)) {}

InterviewEngine::~InterviewEngine() = default;

bool InterviewEngine::ScriptFileExists(const std::string& fileName) const {
    std::ifstream in(pf::findFile(m_scriptDir + fileName), std::ios::binary);
    return bool(in);
}

bool InterviewEngine::EvaluateCondition(std::string& line, const Question& q) {
    Condition condition(line, this, m_modules, &q, pf::upper(q.script).rfind("AD_", 0) == 0);
    const bool result = condition.Evaluate();
    line = condition.GotoTarget();
    return result;
}

int InterviewEngine::FindLastUndone() const {
    for (int i = int(m_stack.size()) - 1; i >= 0; --i) {
        if (m_stack[std::size_t(i)]->done == 0)
            return i;
    }
    return -1;
}

void InterviewEngine::ClearStack() {
    m_stack.clear();
    m_current = nullptr;
}

bool InterviewEngine::OpenSource(const std::string& script, Source& source, TextScript& file) {
    source.script = script;
    source.module =
        m_modules.Find(qv::ModuleCodeOf(script.size() >= 5 ? script.substr(3, 2) : std::string()));
    if (!source.module)
        return false;
    const std::string fileName = script + ".ivs";
    if (ScriptFileExists(fileName)) {
        source.text = true;
        source.file = &file;
        // Read afresh: audit scripts are rewritten while the program runs.
        return file.Open(pf::findFile(m_scriptDir + fileName));
    }
    CDataFile* data = m_modules.DataFile(source.module);
    const std::uint32_t length = data ? data->GetLength(script) : 0;
    if (!length)
        return false;
    source.text = false;
    source.entry.assign(length, '\0');
    return data->Get(script, source.entry.data()) == 1;
}

bool InterviewEngine::ReadFrom(Source& source, const std::string& name, Question& q) {
    if (source.text)
        return source.file->FindAndRead(name, q);
    return CompiledScript::Find(source.entry.data(), source.entry.size(), name, q);
}

void InterviewEngine::PushPassed(std::unique_ptr<Question> q, const std::string& script) {
    q->script = script;
    q->copyContext = m_copyContext;
    q->keep = 1;
    q->done = 0;
    m_stack.push_back(std::move(q));
}

// Walks an audit script from `wanted` to the first question that applies: one whose firing
// condition has no target, or the interview question a target sends it to. Questions passed
// on the way to another script stay on the branch stack.
std::unique_ptr<Question> InterviewEngine::AuditWalk(Source& source, std::string wanted,
                                                     TextScript& file) {
    std::string script = pf::upper(source.script);
    std::string recordedScript;
    for (int step = 0; step < kMaxWalkSteps; ++step) {
        auto q = std::make_unique<Question>();
        if (!ReadFrom(source, wanted, *q))
            return nullptr;
        bool fired = false;
        std::string target;
        for (const std::string& line : q->conditions) {
            Condition condition(line, this, m_modules, q.get(), true);
            if (condition.Evaluate() && (!m_alertFilter || m_alertFilter(*q))) {
                fired = true;
                target = condition.GotoTarget();
                break;
            }
        }
        if (fired && target.empty()) {
            if (!recordedScript.empty())
                q->script = recordedScript;
            return q;
        }
        std::string next = fired ? target : q->nextAudit;
        if (fired || Contains(pf::upper(next), "AD_")) {
            PushPassed(std::move(q), script);
        }
        const std::string upperNext = pf::upper(next);
        if (fired && Contains(upperNext, "IV_")) {
            std::string ivScript, ivQuestion;
            SplitAtLast(next, ivScript, ivQuestion);
            Source iv;
            auto found = std::make_unique<Question>();
            if (!OpenSource(ivScript, iv, file) || !ReadFrom(iv, ivQuestion, *found))
                return nullptr;
            found->script = ivScript;
            m_interviewMode = true;
            return found;
        }
        if (Contains(upperNext, "AD_")) {
            std::string adScript, adQuestion;
            SplitAtLast(next, adScript, adQuestion);
            if (!OpenSource(adScript, source, file))
                return nullptr;
            script = pf::upper(adScript);
            recordedScript = script;
            wanted = adQuestion;
        } else {
            wanted = next;
        }
    }
    return nullptr;
}

void InterviewEngine::Place(std::unique_ptr<Question> q, const std::string& script, bool isBranch,
                            bool keepTop) {
    if (q->script.empty()) {
        m_currentScript = script;
        q->script = script;
    } else {
        m_currentScript = q->script;
    }
    std::string parentTarget = "None";
    const int parentAt = FindLastUndone();
    const Question* parent = parentAt >= 0 ? m_stack[std::size_t(parentAt)].get() : nullptr;
    if (m_interviewMode) {
        if (!q->nextQuestions.empty())
            q->keep = 1;
        if (!isBranch) {
            if (!Contains(pf::upper(q->name), "AUDIT-GLUE")) {
                if (parent) {
                    if (!m_pendingBackTarget.empty())
                        parentTarget = m_pendingBackTarget;
                    else if (pf::iequals(parent->script, q->script))
                        parentTarget = parent->script + "_" + parent->name;
                    else
                        parentTarget = parent->parentTarget;
                }
                q->parentTarget = parentTarget;
                q->historyId = m_historyAdd ? m_historyAdd(*q) : 0;
            }
        } else {
            if (!keepTop && !m_stack.empty()) {
                if (m_current == m_stack.back().get())
                    m_current = nullptr;
                m_stack.pop_back();
            }
            q->branch = 1;
        }
    }
    if (!m_stack.empty() && pf::iequals(m_stack.back()->script, q->script) &&
        pf::iequals(m_stack.back()->name, q->name)) {
        m_stack.back() = std::move(q);
    } else {
        m_stack.push_back(std::move(q));
    }
    m_current = m_stack.back().get();
}

bool InterviewEngine::LoadScript(const std::string& name, bool isBranch, bool keepTop,
                                 bool loadOnly) {
    if (m_loadDepth >= kMaxLoadDepth)
        return false;
    struct Depth {
        int& depth;
        explicit Depth(int& d) : depth(d) { ++depth; }
        ~Depth() { --depth; }
    } depth(m_loadDepth);
    // A load-only call comes from a condition being evaluated; it must leave the mode of the
    // load in progress as it was.
    const bool savedMode = m_interviewMode;

    const std::string upperName = pf::upper(name);
    std::string script, question;
    std::size_t prefix = upperName.find("IV_");
    if (prefix == std::string::npos)
        prefix = upperName.find("AD_");
    if (prefix != std::string::npos) {
        const std::size_t split = name.find('_', prefix + 3);
        script =
            name.substr(prefix, split == std::string::npos ? std::string::npos : split - prefix);
        question = split == std::string::npos ? std::string() : name.substr(split + 1);
    } else if (const std::size_t u = name.find('_'); u != std::string::npos) {
        script = name.substr(0, u);
        question = name.substr(u + 1);
    } else {
        script = m_currentScript;
        question = name;
    }
    m_interviewMode = Contains(pf::upper(script), "IV_");

    // Nested loads read through a file of their own so that the outer walk keeps its place.
    TextScript nestedFile;
    TextScript& file = m_loadDepth > 1 ? nestedFile : m_scriptFile;
    Source source;
    std::unique_ptr<Question> q;
    if (OpenSource(script, source, file)) {
        if (m_interviewMode) {
            q = std::make_unique<Question>();
            if (source.text)
                file.Rewind();
            if (!ReadFrom(source, question, *q))
                q.reset();
        } else {
            q = AuditWalk(source, question, file);
        }
    }
    const bool loaded = q != nullptr;
    if (loaded && !loadOnly)
        Place(std::move(q), script, isBranch, keepTop);
    if (loadOnly)
        m_interviewMode = savedMode;
    m_pendingBackTarget.clear();
    return loaded;
}
