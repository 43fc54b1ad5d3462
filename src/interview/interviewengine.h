#pragma once

#include "interview/conditionengine.h"
#include "interview/question.h"
#include "interview/textscript.h"

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace qv {
class ModuleSet;
}

// The interview's engine: the branch stack of questions, the copy the interview works on,
// and the script loader that reads questions from text scripts beside the program or from
// compiled entries of the modules' data files.
class InterviewEngine final : public qv::ConditionEngine {
public:
    // The history list's add operation for a question being placed; answers its id.
    using HistoryAdd = std::function<int(Question&)>;
    // Decides whether a firing audit condition's question is an alert to show.
    using AlertFilter = std::function<bool(const Question&)>;

    // Scripts are looked up in `scriptDir` (trailing '/'); empty means the program directory.
    explicit InterviewEngine(const qv::ModuleSet& modules, std::string scriptDir = {});
    ~InterviewEngine() override;
    InterviewEngine(const InterviewEngine&) = delete;
    InterviewEngine& operator=(const InterviewEngine&) = delete;

    // Loads the question `name` names (SCRIPT_QUESTION, or a question of the current script)
    // and, unless loadOnly, places it on the branch stack. True when a question was loaded.
    bool LoadScript(const std::string& name, bool isBranch, bool keepTop, bool loadOnly) override;
    bool LoadScript(const std::string& name) { return LoadScript(name, false, false, false); }
    int CurrentCopyNumber() const override { return m_copyContext.copy; }

    // True when the file of that name (letter case aside) in the script folder can be read.
    bool ScriptFileExists(const std::string& fileName) const;

    // Evaluates a condition line of `q`; `line` is replaced by its target (maybe empty).
    bool EvaluateCondition(std::string& line, const Question& q);

    void setHistoryAdd(HistoryAdd add) { m_historyAdd = std::move(add); }
    void setAlertFilter(AlertFilter filter) { m_alertFilter = std::move(filter); }

    const std::vector<std::unique_ptr<Question>>& branchStack() const { return m_stack; }
    Question* currentQuestion() const { return m_current; }
    // Position of the topmost entry whose done is 0, or -1.
    int FindLastUndone() const;
    // Frees every question of the stack.
    void ClearStack();

    const std::string& currentScript() const { return m_currentScript; }
    void setCurrentScript(const std::string& script) { m_currentScript = script; }
    bool interviewMode() const { return m_interviewMode; }
    const CopyContext& copyContext() const { return m_copyContext; }
    void setCopyContext(const CopyContext& context) { m_copyContext = context; }
    const std::string& pendingBackTarget() const { return m_pendingBackTarget; }
    void setPendingBackTarget(const std::string& target) { m_pendingBackTarget = target; }
    // The script file kept open between loads.
    const TextScript& openScriptFile() const { return m_scriptFile; }

private:
    // Where one script's questions come from while loading.
    struct Source {
        std::string script; // as named, without ".ivs"
        int module = 0;
        bool text = false;
        std::string entry; // the compiled entry's bytes
        TextScript* file = nullptr;
    };

    bool OpenSource(const std::string& script, Source& source, TextScript& file);
    bool ReadFrom(Source& source, const std::string& name, Question& q);
    std::unique_ptr<Question> AuditWalk(Source& source, std::string wanted, TextScript& file);
    void PushPassed(std::unique_ptr<Question> q, const std::string& script);
    void Place(std::unique_ptr<Question> q, const std::string& script, bool isBranch, bool keepTop);

    const qv::ModuleSet& m_modules;
    std::string m_scriptDir;
    std::vector<std::unique_ptr<Question>> m_stack;
    Question* m_current = nullptr;
    std::string m_currentScript;
    bool m_interviewMode = true;
    CopyContext m_copyContext;
    std::string m_pendingBackTarget;
    TextScript m_scriptFile;
    HistoryAdd m_historyAdd;
    AlertFilter m_alertFilter;
    int m_loadDepth = 0;
};
