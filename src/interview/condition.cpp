#include "interview/condition.h"

#include "app/texthelpers.h"
#include "interview/conditionengine.h"
#include "interview/moduleset.h"
#include "interview/question.h"

#include <quorva/field.h>
#include <quorva/formcopy.h>
#include <quorva/formmanager.h>

#include <algorithm>
#include <array>
#include <cstdio>
#include <string_view>
#include <vector>

namespace {

constexpr std::array<const char*, 43> kIncomeTaxStates = {
    "AL", "AR", "AZ", "CA", "CO", "CT", "DC", "DE", "GA", "HI", "IA", "ID", "IL", "IN", "KS",
    "KY", "LA", "MA", "MD", "ME", "MI", "MN", "MO", "MS", "MT", "NC", "ND", "NE", "NH", "NJ",
    "NM", "NY", "OH", "OK", "OR", "PA", "RI", "SC", "UT", "VA", "VT", "WI", "WV"};

bool IsEfileState(const std::string& code) {
    return code.size() == 2 && code != "NH" &&
           std::find_if(kIncomeTaxStates.begin(), kIncomeTaxStates.end(),
                        [&](const char* c) { return code == c; }) != kIncomeTaxStates.end();
}

// Names of the predicates in the order they are told apart: a name that contains another
// comes before it.
constexpr std::array<std::string_view, 19> kPredicates = {"NOTHAVETPSSN",
                                                          "SELECTEDANDHAVEMODULE",
                                                          "SELECTEDANDNOTHAVEMODULE",
                                                          "HAVEMODULE",
                                                          "HAVEUSERMODIFIEDFORM",
                                                          "HAVEGENERICSTATEMODULE_GTE",
                                                          "HAVEMULTIEFSTATES",
                                                          "HAVEEFSTATEATTACHED",
                                                          "COULDHAVEEFSTATE",
                                                          "HAVEEFSTATE",
                                                          "HAVESTATES",
                                                          "HAVEUSWRECSTATE",
                                                          "HAVEVALIDCARD",
                                                          "HAVEINVALIDCARD",
                                                          "HAVEVALIDEMAIL",
                                                          "HAVEINVALIDEMAIL",
                                                          "HAVECHILDREN",
                                                          "HAVECOPY",
                                                          "HAVENEXTCOPY"};

const char* const kMessages[] = {
    "Invalid Condition - condition is empty ",
    "Invalid Condition - unknown start value ",
    "Invalid Condition - missing goto in condition ",
    nullptr,
    "Invalid Condition - missing or invalid goto script ",
    "Invalid Condition - missing or invalid number of parens ",
    nullptr,
    "Invalid Condition - missing or invalid form ",
    "Invalid Condition - missing or invalid field ",
    nullptr,
    "Invalid Condition - missing or invalid index ",
    "Invalid Condition - invalid character in condition ",
    nullptr,
    "Invalid Condition - invalid logical operator (and/or) in condition ",
    nullptr,
    "Invalid Condition - missing operand in condition ",
};

bool StartsWith(const std::string& text, std::size_t pos, std::string_view prefix) {
    return pos <= text.size() && text.compare(pos, prefix.size(), prefix) == 0;
}

bool StartsWithPredicate(const std::string& text, std::size_t pos) {
    return std::any_of(kPredicates.begin(), kPredicates.end(),
                       [&](std::string_view name) { return StartsWith(text, pos, name); });
}

bool IsLetter(char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}

std::string Upper(std::string s) {
    for (char& c : s) {
        if (c >= 'a' && c <= 'z')
            c = char(c - 'a' + 'A');
    }
    return s;
}

// Leading decimal number, 0 when there is none; saturates instead of overflowing.
int LeadingNumber(const std::string& s) {
    long long v = 0;
    for (char c : s) {
        if (c < '0' || c > '9')
            break;
        v = std::min<long long>(v * 10 + (c - '0'), 0x7FFFFFFF);
    }
    return int(v);
}

std::string FieldText(CFormManager* fm, const char* name) {
    char buffer[QV_LONGTEXT_SIZE] = {};
    fm->GetFieldText(buffer, sizeof buffer, name);
    buffer[sizeof buffer - 1] = '\0';
    return buffer;
}

} // namespace

Condition::Condition(const std::string& text, qv::ConditionEngine* engine,
                     const qv::ModuleSet& modules, const Question* question, bool auditMode)
    : m_text(Upper(TrimBlanks(text))), m_auditMode(auditMode), m_engine(engine), m_modules(modules),
      m_question(question) {}

void Condition::Normalise() {
    m_work = m_text;
    ReplaceAll(m_work, " AND ", " && ");
    ReplaceAll(m_work, " OR ", " || ");
}

void Condition::RecordError(int code, long position) {
    m_errorCode = code;
    const int slot = -code - 1;
    if (slot >= 0 && slot < int(std::size(kMessages)) && kMessages[slot])
        m_errorText += std::string("\r\n\t") + kMessages[slot];
    if (position >= 0) {
        char near[48];
        std::snprintf(near, sizeof near, " near position %ld ", position + 1);
        m_errorText += near;
    }
    m_errorText += "(" + m_text + ")";
}

bool Condition::Evaluate() {
    Normalise();
    const std::size_t g = m_work.find("GOTO");
    std::size_t end = m_work.size();
    if (g != std::string::npos) {
        m_target = TrimBlanks(m_work.substr(g + 4));
        end = g;
    }
    if (StartsWith(m_work, 0, "//"))
        return false;
    if (StartsWith(m_work, 0, "GOTO"))
        return true;
    if (StartsWith(m_work, 0, "TRUE")) {
        m_target.clear();
        return true;
    }
    if (StartsWith(m_work, 0, "FALSE")) {
        m_target.clear();
        return false;
    }
    if (!StartsWith(m_work, 0, "IF"))
        return false;
    m_ok = true;
    std::size_t pos = 2;
    return ScanGroup(pos, end, false);
}

void Condition::Combine(Scan& s, bool value) {
    if (s.neg)
        value = !value;
    if (s.op == "&&")
        s.acc = s.acc && value;
    else if (s.op == "||")
        s.acc = s.acc || value;
    else
        s.acc = value;
    s.op.clear();
    s.neg = false;
}

bool Condition::ScanGroup(std::size_t& pos, std::size_t end, bool nested) {
    Scan s;
    while (pos < end && m_ok) {
        const char c = m_work[pos];
        if (IsBlank(c)) {
            ++pos;
        } else if (c == '&' || c == '|') {
            // Bounded: a long run of operator characters must not grow without limit.
            if (s.op.size() < 8)
                s.op.push_back(c);
            ++pos;
        } else if (c == '(') {
            ++pos;
            const bool v = ScanGroup(pos, end, true);
            Combine(s, v);
        } else if (c == ')') {
            if (nested) {
                ++pos;
                return s.acc;
            }
            RecordError(-12, long(pos));
            m_ok = false;
        } else if (IsLetter(c)) {
            if (StartsWith(m_work, pos, "TRUE")) {
                pos += 4;
                s.neg = false;
                Combine(s, true);
            } else if (StartsWith(m_work, pos, "FALSE")) {
                pos += 5;
                s.neg = false;
                Combine(s, false);
            } else if (StartsWithPredicate(m_work, pos)) {
                const std::size_t close = m_work.find(')', pos);
                const std::size_t stop = close < end ? close + 1 : end;
                const std::string call = m_work.substr(pos, stop - pos);
                pos = stop;
                Combine(s, Predicate(call));
            } else if (StartsWith(m_work, pos, "NOT ") || StartsWith(m_work, pos, "NOT(")) {
                s.neg = true;
                pos += 3;
            } else if (StartsWith(m_work, pos, "AD_")) {
                const std::size_t close = m_work.find(')', pos);
                if (close >= end) {
                    RecordError(-8, long(end));
                    m_ok = false;
                } else {
                    const std::string term = m_work.substr(pos, close - pos);
                    pos = close + 1;
                    ++m_operandCount;
                    Combine(s, m_engine && m_engine->LoadScript(term, false, false, true));
                }
            } else {
                std::string form, field, index, copy;
                if (!ParseFieldTerm(pos, end, form, field, index, copy)) {
                    m_ok = false;
                } else {
                    Combine(s, FieldValue(form, field, index, copy));
                }
            }
        } else {
            RecordError(-12, long(pos));
            m_ok = false;
        }
    }
    return s.acc;
}

bool Condition::ParseFieldTerm(std::size_t& pos, std::size_t end, std::string& form,
                               std::string& field, std::string& index, std::string& copy) {
    std::size_t i = pos;
    while (i < end && m_work[i] != '.' && m_work[i] != ')')
        ++i;
    if (i >= end || m_work[i] == ')') {
        RecordError(-8, long(i));
        return false;
    }
    form = TrimBlanks(m_work.substr(pos, i - pos));
    const std::size_t fieldStart = ++i;
    while (i < end && m_work[i] != '(' && m_work[i] != ',')
        ++i;
    if (i >= end) {
        RecordError(-9, long(i));
        return false;
    }
    field = TrimBlanks(m_work.substr(fieldStart, i - fieldStart));
    index.clear();
    if (m_work[i] == '(') {
        const std::size_t indexStart = ++i;
        while (i < end && m_work[i] != ')')
            ++i;
        if (i >= end) {
            RecordError(-11, long(i));
            return false;
        }
        index = TrimBlanks(m_work.substr(indexStart, i - indexStart));
        ++i;
    }
    // One character, normally the ",", goes whether an index came or not.
    if (i < end)
        ++i;
    const std::size_t copyStart = i;
    while (i < end && m_work[i] != '&' && m_work[i] != '|' && m_work[i] != '(' && m_work[i] != ')')
        ++i;
    copy = TrimBlanks(m_work.substr(copyStart, i - copyStart));
    pos = i;
    ++m_operandCount;
    return true;
}

// Copy number for a copy part: CURRENTCOPY, NEWCOPY or the ordinal of an existing copy.
int Condition::CopyNumberFor(CFormManager* fm, int formIndex, const std::string& copy,
                             bool* ok) const {
    *ok = true;
    if (copy == "CURRENTCOPY") {
        if (m_auditMode)
            return m_engine ? m_engine->CurrentCopyNumber() : 0;
        return m_question ? m_question->copyContext.copy : 0;
    }
    if (copy == "NEWCOPY")
        return 0;
    CFormCopy* c = fm->GetFormCopy(formIndex, LeadingNumber(copy));
    if (!c) {
        *ok = false;
        return 0;
    }
    return c->GetCopyNumber();
}

bool Condition::FieldValue(const std::string& form, const std::string& field,
                           const std::string& index, const std::string& copy) {
    const int position = m_modules.Find(qv::ModuleCodeOf(form));
    CFormManager* fm = position ? m_modules.FormManager(position) : nullptr;
    if (!fm)
        return false;
    const int formIndex = fm->FindForm(form.c_str());
    bool ok = false;
    const int copyNumber = CopyNumberFor(fm, formIndex, copy, &ok);
    if (!ok)
        return false;
    CFormCopy* c = fm->FindFormCopy(formIndex, copyNumber);
    const int fieldIndex = fm->FindField(formIndex, field.c_str(), LeadingNumber(index));
    CField* f = c ? c->GetField(fieldIndex) : nullptr;
    if (!f)
        return false;
    f->Refresh();
    return f->IsSet() != 0;
}

CFormManager* Condition::FederalManager() const {
    const int position = m_modules.Find("FEDERAL");
    return position ? m_modules.FormManager(position) : nullptr;
}

bool Condition::PresentAndActive(const std::string& code) const {
    const int position = m_modules.Find(code);
    return position && m_modules.IsActive(position);
}

bool Condition::FederalTextEmpty(const char* name) const {
    CFormManager* fed = FederalManager();
    return fed && FieldText(fed, name).empty();
}

void Condition::FillState(const std::string& code) {
    const std::size_t at = m_target.find("??");
    if (at != std::string::npos)
        m_target.replace(at, 2, code.substr(0, 2));
}

bool Condition::Predicate(const std::string& call) {
    ++m_operandCount;
    auto has = [&](std::string_view name) { return call.find(name) != std::string::npos; };
    const std::string arg1 = ReadArgument(call, 1);
    CFormManager* fed = FederalManager();

    if (has("NOTHAVETPSSN"))
        return FederalTextEmpty("TaxpayerSSN");
    if (has("SELECTEDANDHAVEMODULE")) {
        if (!fed)
            return false;
        const std::string chosen = FieldText(fed, "OLState");
        for (const char* c : kIncomeTaxStates) {
            if (m_modules.Find(c) && chosen == c && PresentAndActive(c)) {
                FillState(c);
                return true;
            }
        }
        return false;
    }
    if (has("SELECTEDANDNOTHAVEMODULE"))
        return false;
    if (has("HAVEMODULE"))
        return PresentAndActive(qv::ModuleCodeOf(arg1));
    if (has("HAVEUSERMODIFIEDFORM")) {
        const int position = m_modules.Find(qv::ModuleCodeOf(arg1));
        CFormManager* fm = position ? m_modules.FormManager(position) : nullptr;
        if (!fm)
            return false;
        const int formIndex = fm->FindForm(arg1.c_str());
        const int count = fm->GetCopyCount(formIndex);
        for (int k = 1; k <= count; ++k) {
            CFormCopy* c = fm->GetFormCopy(formIndex, k);
            if (c && c->TestFlag(CF_USERMODIFIED))
                return true;
        }
        return false;
    }
    if (has("HAVEGENERICSTATEMODULE_GTE")) {
        const std::string from = qv::ModuleCodeOf(arg1);
        for (const char* c : kIncomeTaxStates) {
            if (from <= c && PresentAndActive(c)) {
                FillState(c);
                return true;
            }
        }
        return false;
    }
    auto activeEfileStates = [&] {
        int n = 0;
        for (int p = 1; p <= m_modules.Count(); ++p) {
            if (m_modules.IsActive(p) && IsEfileState(m_modules.Code(p)))
                ++n;
        }
        return n;
    };
    if (has("HAVEMULTIEFSTATES"))
        return activeEfileStates() > 1;
    if (has("HAVEEFSTATEATTACHED")) {
        const bool attached = activeEfileStates() > 0;
        if (CField* f = fed ? fed->GetFieldByName("HaveEFStatesAttached") : nullptr) {
            if (f->GetType() == FT_CHECK || f->GetType() == FT_OPTION)
                f->SetChecked(attached ? 1 : 0);
            else
                f->SetLong(attached ? 1 : 0);
            f->Refresh();
        }
        return attached;
    }
    if (has("COULDHAVEEFSTATE"))
        return fed && fed->GetFieldFlag("LivesInPBEFState") != 0;
    if (has("HAVEEFSTATE"))
        return fed && fed->GetFieldFlag("LivesInEFState") != 0 &&
               PresentAndActive(qv::ModuleCodeOf(arg1));
    if (has("HAVESTATES")) {
        int active = 0;
        for (int p = 1; p <= m_modules.Count(); ++p)
            active += m_modules.IsActive(p) ? 1 : 0;
        return active > 1;
    }
    if (has("HAVEUSWRECSTATE")) {
        if (!fed)
            return false;
        const int formIndex = fed->FindForm("USWRec");
        CFormCopy* c = fed->FindFormCopy(formIndex, 1);
        if (!c)
            return false;
        for (const char* code : kIncomeTaxStates) {
            CField* f = c->GetField(fed->FindField(formIndex, code, 0));
            if (f && f->IsSet()) {
                FillState(code);
                return true;
            }
        }
        return false;
    }
    if (has("HAVEVALIDCARD"))
        return fed && CheckCardNumber(FieldText(fed, "CC_Type"), FieldText(fed, "CC_Number"));
    if (has("HAVEINVALIDCARD"))
        return !fed || !CheckCardNumber(FieldText(fed, "CC_Type"), FieldText(fed, "CC_Number"));
    if (has("HAVEVALIDEMAIL"))
        return fed && CheckEmailAddress(FieldText(fed, "ClientEmail"));
    if (has("HAVEINVALIDEMAIL"))
        return !fed || !CheckEmailAddress(FieldText(fed, "ClientEmail"));
    if (has("HAVECHILDREN")) {
        CFormCopy* parent = nullptr;
        const int parentPos = m_modules.Find(qv::ModuleCodeOf(arg1));
        CFormManager* pfm = parentPos ? m_modules.FormManager(parentPos) : nullptr;
        const int parentForm = pfm ? pfm->FindForm(arg1.c_str()) : 0;
        if (parentForm) {
            const std::string copy = ReadArgument(call, 2);
            int copyNumber = 0;
            if (copy == "CURRENTCOPY") {
                copyNumber = m_engine ? m_engine->CurrentCopyNumber() : 0;
            } else if (copy != "NEWCOPY") {
                CFormCopy* nth = pfm->GetFormCopy(parentForm, LeadingNumber(copy));
                if (!nth)
                    return false;
                copyNumber = nth->GetCopyNumber();
            }
            parent = pfm->FindFormCopy(parentForm, copyNumber);
            if (!parent)
                return false;
        }
        const std::string child = ReadArgument(call, 3);
        const int childPos = m_modules.Find(qv::ModuleCodeOf(child));
        CFormManager* cfm = childPos ? m_modules.FormManager(childPos) : nullptr;
        const int childForm = cfm ? cfm->FindForm(child.c_str()) : 0;
        return childForm && cfm->GetChildCopyCount(parent, childForm) != 0;
    }
    if (has("HAVECOPY") || has("HAVENEXTCOPY")) {
        const std::string name = call.substr(0, call.find('('));
        const int position = m_modules.Find(qv::ModuleCodeOf(arg1));
        CFormManager* fm = position ? m_modules.FormManager(position) : nullptr;
        if (!fm || !m_modules.IsActive(position))
            return false;
        const int formIndex = fm->FindForm(arg1.c_str());
        if (name.find("HAVECOPY") != std::string::npos)
            return fm->GetFormCopy(formIndex, 1) != nullptr;
        const int current = m_engine ? m_engine->CurrentCopyNumber() : 0;
        if (!current)
            return false;
        CFormCopy* c = fm->FindFormCopy(formIndex, current);
        const int k = c ? c->GetOrdinal() : 0;
        return k && fm->GetFormCopy(formIndex, k + 1) != nullptr;
    }
    return false;
}

bool Condition::Check() {
    Normalise();
    bool passed = true;
    auto error = [&](int code, long position = -1) {
        RecordError(code, position);
        passed = false;
    };
    const std::size_t g = m_work.find("GOTO");
    if (g != std::string::npos) {
        for (std::size_t i = 0; i < g; ++i) {
            m_openParens += m_work[i] == '(' ? 1 : 0;
            m_closeParens += m_work[i] == ')' ? 1 : 0;
        }
    }
    std::size_t end = m_work.size();
    if (!m_auditMode) {
        if (g == std::string::npos) {
            error(-3);
        } else {
            m_target = TrimBlanks(m_work.substr(g + 4));
            end = g;
            if (m_target.empty())
                error(-5);
        }
    }
    if (m_work.empty()) {
        error(-1);
        return false;
    }
    if (StartsWith(m_work, 0, "TRUE") || StartsWith(m_work, 0, "FALSE"))
        return passed;
    if (!StartsWith(m_work, 0, "IF")) {
        if (!StartsWith(m_work, 0, "GOTO") && !StartsWith(m_work, 0, "//"))
            error(-2);
        return passed;
    }
    enum class Last { None, Operator, Operand } last = Last::None;
    std::size_t pos = 2;
    bool stopped = false;
    while (pos < end && !stopped) {
        const char c = m_work[pos];
        if (IsBlank(c)) {
            ++pos;
        } else if (c == '&' || c == '|') {
            if (++m_opRun > 2)
                error(-14, long(pos));
            last = Last::Operator;
            ++pos;
        } else if (c == '(' || c == ')') {
            m_opRun = 0;
            ++pos;
        } else if (IsLetter(c)) {
            m_opRun = 0;
            if (StartsWith(m_work, pos, "NOT ") || StartsWith(m_work, pos, "NOT(")) {
                last = Last::Operator;
                pos += 3;
            } else if (StartsWith(m_work, pos, "AD_") || StartsWithPredicate(m_work, pos)) {
                pos = std::min(m_work.find(')', pos), end);
                last = Last::Operand;
                ++m_operandCount;
            } else if (StartsWith(m_work, pos, "TRUE") || StartsWith(m_work, pos, "FALSE")) {
                pos += m_work[pos] == 'T' ? 4 : 5;
                last = Last::Operand;
                ++m_operandCount;
            } else {
                std::string form, field, index, copy;
                // A term that does not parse leaves no place to go on from.
                stopped = !ParseFieldTerm(pos, end, form, field, index, copy);
                passed = passed && !stopped;
                last = Last::Operand;
            }
        } else {
            error(-12, long(pos));
            ++pos;
        }
    }
    if (stopped)
        return false;
    if (last != Last::Operand)
        error(-16);
    if (m_openParens != m_closeParens)
        error(-6);
    return passed;
}

bool Condition::CheckCardNumber(const std::string& type, const std::string& number) {
    const std::string kind = Upper(type);
    std::string digits;
    for (char c : number) {
        if (c != '-' && c != ' ')
            digits.push_back(c);
    }
    if (kind.empty() || digits.empty())
        return false;
    struct Rule {
        const char* type;
        std::size_t length1, length2;
        std::vector<std::string_view> prefixes;
    };
    static const Rule rules[] = {
        {"VISA", 13, 16, {"4"}},
        {"MASTERCARD", 16, 16, {"51", "52", "53", "54", "55"}},
        {"AMERICAN EXPRESS", 15, 15, {"34", "37"}},
        {"DISCOVER", 16, 16, {"6011"}},
    };
    const Rule* rule = nullptr;
    for (const Rule& r : rules) {
        if (kind == r.type)
            rule = &r;
    }
    if (!rule || (digits.size() != rule->length1 && digits.size() != rule->length2))
        return false;
    if (std::none_of(rule->prefixes.begin(), rule->prefixes.end(),
                     [&](std::string_view p) { return StartsWith(digits, 0, p); }))
        return false;
    int sum = 0;
    int position = 1;
    for (auto it = digits.rbegin(); it != digits.rend(); ++it, ++position) {
        if (*it < '0' || *it > '9')
            return false;
        const int d = *it - '0';
        if (position % 2 == 1) {
            sum += d;
        } else {
            const int doubled = 2 * d;
            sum += doubled > 9 ? doubled % 10 + 1 : doubled;
        }
    }
    return sum % 10 == 0;
}

bool Condition::CheckEmailAddress(const std::string& text) {
    const std::string e = Upper(TrimBlanks(text));
    if (e.empty())
        return true;
    if (e.find('@') == std::string::npos || e.find('.') == std::string::npos)
        return false;
    if (e.find("..") != std::string::npos || e.front() == '.' || e.back() == '.')
        return false;
    if (StartsWith(e, 0, "WWW."))
        return false;
    return e.find_first_of("<>/;,: ") == std::string::npos;
}
