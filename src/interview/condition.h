#pragma once

#include <cstddef>
#include <string>

struct CFormManager;
struct Question;

namespace qv {
class ConditionEngine;
class ModuleSet;
} // namespace qv

// One condition line, "IF expression GOTO target", checked or evaluated once against the
// return. Operands are Booleans (literals, predicates, audit terms, field truth values)
// joined by && and || of equal precedence, left to right, with NOT and parentheses. Every
// operand is evaluated: predicates that fill "??" in the target or write a field always run.
class Condition final {
public:
    // `engine` and `question` may be null (no copy context, no audit terms).
    Condition(const std::string& text, qv::ConditionEngine* engine, const qv::ModuleSet& modules,
              const Question* question, bool auditMode);

    bool Evaluate();
    // Syntax check; true when no error was found.
    bool Check();

    const std::string& GotoTarget() const { return m_target; }
    int ErrorCode() const { return m_errorCode; }
    const std::string& ErrorText() const { return m_errorText; }

    static bool CheckCardNumber(const std::string& type, const std::string& number);
    static bool CheckEmailAddress(const std::string& text);

private:
    struct Scan {
        bool acc = false;
        std::string op;
        bool neg = false;
    };

    void Normalise();
    bool ScanGroup(std::size_t& pos, std::size_t end, bool nested);
    void Combine(Scan& s, bool value);
    // Parses FORM.FIELD[(INDEX)][,COPY] at pos; false after recording a syntax error.
    bool ParseFieldTerm(std::size_t& pos, std::size_t end, std::string& form, std::string& field,
                        std::string& index, std::string& copy);
    bool FieldValue(const std::string& form, const std::string& field, const std::string& index,
                    const std::string& copy);
    bool Predicate(const std::string& call);
    bool FederalTextEmpty(const char* name) const;
    bool PresentAndActive(const std::string& code) const;
    CFormManager* FederalManager() const;
    int CopyNumberFor(CFormManager* fm, int formIndex, const std::string& copy, bool* ok) const;
    void FillState(const std::string& code);
    void RecordError(int code, long position = -1);

    std::string m_target;
    std::string m_text;
    bool m_auditMode;
    int m_closeParens = 0;
    int m_openParens = 0;
    int m_operandCount = 0;
    int m_errorCode = 0;
    int m_opRun = 0;
    std::string m_errorText;
    std::string m_work;
    bool m_ok = true;
    qv::ConditionEngine* m_engine;
    const qv::ModuleSet& m_modules;
    const Question* m_question;
};
