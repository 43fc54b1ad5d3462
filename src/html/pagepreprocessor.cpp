#include "html/pagepreprocessor.h"

#include "app/appsettings.h"
#include "app/config.h"
#include "html/fieldreference.h"
#include "interview/moduleset.h"
#include "platform/library.h"
#include "platform/paths.h"
#include "platform/text.h"

#include <quorva/field.h>
#include <quorva/formcopy.h>
#include <quorva/formmanager.h>

#include <cstdio>
#include <cstdlib>

namespace {

enum Directive {
    D_IFHAVESTATES,
    D_IF,
    D_ELSE,
    D_ENDIF,
    D_FORMFIELD,
    D_VERSION,
    D_YEAR,
    D_LASTYEAR,
    D_NEXTYEAR,
    D_NEXT2YEAR,
    D_STATE,
    D_PRODUCT,
    D_COMPANY,
    D_WEBSITE,
    D_SALESPHONE,
    D_COPPERGROVESALESPHONE,
    D_SUPPORTPHONE,
};

// Tried in this order, each over its own length only: "<!IF" would also match
// "<!IFHAVESTATES", so the longer one comes first.
constexpr const char* kDirectives[] = {
    "<!IFHAVESTATES", "<!IF",        "<!ELSE",       "<!ENDIF",
    "<!FORMFIELD",    "<!VERSION",   "<!YEAR",       "<!LASTYEAR",
    "<!NEXTYEAR",     "<!NEXT2YEAR", "<!STATE",      "<!PRODUCT",
    "<!COMPANY",      "<!WEBSITE",   "<!SALESPHONE", "<!COPPERGROVESALESPHONE",
    "<!SUPPORTPHONE",
};

char upperChar(char c) {
    return c >= 'a' && c <= 'z' ? char(c - 'a' + 'A') : c;
}

bool matchesAt(const std::string& s, std::size_t pos, const char* word) {
    for (std::size_t i = 0; word[i]; ++i) {
        if (pos + i >= s.size() || upperChar(s[pos + i]) != word[i])
            return false;
    }
    return true;
}

// The end of a directive: just past the first '>' outside double quotes, or the input's end.
std::size_t directiveEnd(const std::string& s, std::size_t pos) {
    bool quoted = false;
    for (std::size_t i = pos; i < s.size(); ++i) {
        if (s[i] == '"')
            quoted = !quoted;
        else if (s[i] == '>' && !quoted)
            return i + 1;
    }
    return s.size();
}

std::string trimmed(const std::string& s) {
    std::size_t b = 0, e = s.size();
    while (b < e && (s[b] == ' ' || s[b] == '\t' || s[b] == '\r' || s[b] == '\n'))
        ++b;
    while (e > b && (s[e - 1] == ' ' || s[e - 1] == '\t' || s[e - 1] == '\r' || s[e - 1] == '\n'))
        --e;
    return s.substr(b, e - b);
}

std::string money(std::int64_t cents, bool wholeDollars) {
    const bool negative = cents < 0;
    const std::uint64_t magnitude =
        negative ? std::uint64_t(0) - std::uint64_t(cents) : std::uint64_t(cents);
    std::string digits = std::to_string(magnitude / 100);
    std::string grouped;
    for (std::size_t i = 0; i < digits.size(); ++i) {
        if (i > 0 && (digits.size() - i) % 3 == 0)
            grouped += ',';
        grouped += digits[i];
    }
    std::string text = std::string("$") + (negative ? "-" : "") + grouped;
    if (!wholeDollars) {
        char buf[8];
        std::snprintf(buf, sizeof buf, ".%02u", unsigned(magnitude % 100));
        text += buf;
    }
    return text;
}

std::string versionOf(const char* file, const char* missing) {
    const std::uint64_t v = pf::libraryFileVersion(pf::findFile(pf::progDir() + file));
    if (v == 0 && missing)
        return missing;
    return std::to_string(pf::versionMajor(v)) + "." + std::to_string(pf::versionMinor(v));
}

} // namespace

bool qv::DirectiveAttribute(const std::string& tag, const std::string& name, std::string* value) {
    const std::string want = pf::upper(name);
    std::size_t p = 0;
    while (p < tag.size() && tag[p] != ' ' && tag[p] != '>')
        ++p;
    for (;;) {
        while (p < tag.size() && tag[p] == ' ')
            ++p;
        if (p >= tag.size() || tag[p] == '>')
            return false;
        if (matchesAt(tag, p, want.c_str())) {
            const std::size_t after = p + want.size();
            const bool equals = after < tag.size() && tag[after] == '=';
            const bool spaced = tag.compare(after, 3, " = ") == 0;
            if (equals || spaced || after >= tag.size() || tag[after] == ' ' || tag[after] == '>') {
                if (value)
                    value->clear();
                if (!equals && !spaced)
                    return true;
                std::string v;
                bool quoted = false;
                for (std::size_t i = after + (equals ? 1 : 3); i < tag.size(); ++i) {
                    const char c = tag[i];
                    if (c == '"') {
                        quoted = !quoted;
                        continue;
                    }
                    if (!quoted && (c == ' ' || c == '>'))
                        break;
                    v += c;
                }
                if (value)
                    *value = trimmed(v);
                return true;
            }
        }
        // Not this word: skip it, quoted stretches included.
        bool quoted = false;
        while (p < tag.size()) {
            const char c = tag[p];
            if (c == '"')
                quoted = !quoted;
            else if (!quoted && (c == ' ' || c == '>'))
                break;
            ++p;
        }
    }
}

PagePreprocessor::PagePreprocessor() {
    resetConditions();
}

void PagePreprocessor::Preprocess(std::string& output, const std::string& input) {
    std::string out;
    out.reserve(input.size());
    std::size_t i = 0;
    while (i < input.size()) {
        const char c = input[i];
        if (c == '<') {
            int found = -1;
            for (int d = 0; d < int(std::size(kDirectives)); ++d) {
                if (matchesAt(input, i, kDirectives[d])) {
                    found = d;
                    break;
                }
            }
            if (found >= 0) {
                const std::size_t end = directiveEnd(input, i);
                handle(found, input.substr(i, end - i), out);
                i = end;
                continue;
            }
        }
        if (current()) {
            switch (static_cast<unsigned char>(c)) {
            case 188:
                out += "&frac14;";
                break;
            case 189:
                out += "&frac12;";
                break;
            case 190:
                out += "&frac34;";
                break;
            default:
                out += c;
            }
        }
        ++i;
    }
    output = std::move(out);
}

void PagePreprocessor::insert(std::string& out, const std::string& value,
                              const std::string& tag) const {
    if (value.empty())
        return;
    if (qv::DirectiveAttribute(tag, "ISHTML", nullptr)) {
        out += value;
        return;
    }
    for (char c : value) {
        if (c == '&')
            out += "&amp;";
        else if (c == '<')
            out += "&lt;";
        else if (c == '>')
            out += "&gt;";
        else
            out += c;
    }
}

void PagePreprocessor::handle(int directive, const std::string& tag, std::string& out) {
    switch (directive) {
    case D_IFHAVESTATES: {
        int active = 0;
        if (m_modules) {
            for (int n = 1; n <= m_modules->Count(); ++n)
                active += m_modules->IsActive(n) ? 1 : 0;
        }
        push(active >= 2);
        return;
    }
    case D_IF:
        push(current() && ifTest(tag));
        return;
    case D_ELSE:
        if (m_conditions.size() > 1) {
            const bool below = m_conditions[m_conditions.size() - 2] != 0;
            m_conditions.back() = below && m_conditions.back() == 0 ? 1 : 0;
        }
        return;
    case D_ENDIF:
        if (m_conditions.size() > 1)
            m_conditions.pop_back();
        return;
    default:
        break;
    }
    if (!current())
        return;
    std::string attr;
    switch (directive) {
    case D_FORMFIELD:
        if (qv::DirectiveAttribute(tag, "FIELD", &attr)) {
            if (CField* f = resolveField(attr))
                insert(out, fieldValue(*f), tag);
        }
        break;
    case D_VERSION:
        qv::DirectiveAttribute(tag, "TYPE", &attr);
        insert(out, versionText(pf::upper(attr)), tag);
        break;
    case D_YEAR:
        insert(out, "2002", tag);
        break;
    case D_LASTYEAR:
        insert(out, "2001", tag);
        break;
    case D_NEXTYEAR:
        insert(out, "2003", tag);
        break;
    case D_NEXT2YEAR:
        insert(out, "2004", tag);
        break;
    case D_STATE:
        insert(out, stateName(), tag);
        break;
    case D_PRODUCT:
        insert(out, qv::settings::getString("Settings", "Product"), tag);
        break;
    case D_COMPANY:
        insert(out, qv::settings::getString("Settings", "Company"), tag);
        break;
    case D_WEBSITE:
        insert(out, qv::settings::getString("Settings", "WebSite"), tag);
        break;
    case D_SALESPHONE:
        insert(out, qv::settings::getString("Settings", "SalesPhone"), tag);
        break;
    case D_COPPERGROVESALESPHONE:
        insert(out, qv::settings::getString("Settings", "CopperGroveSalesPhone"), tag);
        break;
    case D_SUPPORTPHONE:
        insert(out, qv::settings::getString("Settings", "SupportPhone"), tag);
        break;
    default:
        break;
    }
}

CFormManager* PagePreprocessor::federal() const {
    return m_modules && m_modules->Count() >= 1 ? m_modules->FormManager(1) : nullptr;
}

CFormManager* PagePreprocessor::managerOf(const std::string& reference) const {
    if (!m_modules)
        return nullptr;
    if (reference.compare(0, 2, "US") == 0)
        return federal();
    if (reference.size() < 2)
        return nullptr;
    const int position = m_modules->Find(reference.substr(0, 2));
    if (position <= 0 || !m_modules->IsActive(position))
        return nullptr;
    return m_modules->FormManager(position);
}

CFormCopy* PagePreprocessor::resolveCopy(CFormManager* fm, int form,
                                         const std::string& copyPart) const {
    if (copyPart.empty()) {
        if (m_current && m_current->GetFormManager() == fm && m_current->GetFormIndex() == form)
            return m_current;
        return fm->GetFormCopy(form, 1);
    }
    const int n = std::atoi(copyPart.c_str());
    return fm->GetFormCopy(form, n == 0 ? 1 : n);
}

CField* PagePreprocessor::resolveField(const std::string& reference) const {
    const std::string ref = pf::upper(reference);
    CFormManager* fm = managerOf(ref);
    if (!fm)
        return nullptr;
    qv::FieldReference parsed;
    if (!qv::ParseFieldReference(ref, parsed))
        return nullptr;
    const int form = fm->FindForm(parsed.form.c_str());
    if (form == 0)
        return nullptr;
    const int number = fm->FindField(form, parsed.field.c_str(), parsed.element);
    if (number == 0)
        return nullptr;
    CFormCopy* copy = resolveCopy(fm, form, parsed.copy);
    return copy ? copy->GetField(number) : nullptr;
}

CFormCopy* PagePreprocessor::resolveForm(const std::string& reference) const {
    const std::string ref = pf::upper(reference);
    CFormManager* fm = managerOf(ref);
    if (!fm)
        return nullptr;
    const std::size_t comma = ref.find(',');
    const int form = fm->FindForm(ref.substr(0, comma).c_str());
    if (form == 0)
        return nullptr;
    return resolveCopy(fm, form,
                       comma == std::string::npos ? std::string() : ref.substr(comma + 1));
}

bool PagePreprocessor::ifTest(const std::string& tag) const {
    std::string status, field, form, module;
    const bool hasStatus = qv::DirectiveAttribute(tag, "STATUS", &status);
    const bool hasField = qv::DirectiveAttribute(tag, "FIELD", &field);
    const bool hasForm = qv::DirectiveAttribute(tag, "FORM", &form);
    status = pf::upper(status);
    if (hasStatus && hasField) {
        const unsigned flag = status == "IMPORTED"       ? FF_IMPORTED
                              : status == "USERMODIFIED" ? FF_ENTERED
                                                         : FF_HASVALUE;
        CField* f = resolveField(field);
        return f && f->TestFlag(flag) != 0;
    }
    if (hasStatus && hasForm) {
        const unsigned flag = status == "IMPORTED"       ? CF_IMPORTED
                              : status == "USERMODIFIED" ? CF_USERMODIFIED
                                                         : CF_HASENTRIES;
        if (CFormCopy* copy = resolveForm(form))
            return copy->TestFlag(flag) != 0;
        if (form.empty())
            return false;
        CFormManager* fm = m_fallback ? m_fallback : federal();
        if (!fm)
            return false;
        const std::string name = pf::upper(form).substr(0, form.find(','));
        const int index = fm->FindForm(name.c_str());
        if (index == 0)
            return false;
        for (int n = 1;; ++n) {
            CFormCopy* copy = fm->GetFormCopy(index, n);
            if (!copy)
                return false;
            if (copy->TestFlag(flag))
                return true;
        }
    }
    if (hasStatus)
        return false;
    if (qv::DirectiveAttribute(tag, "MODULE", &module)) {
        if (!m_modules)
            return false;
        const int position = m_modules->Find(pf::upper(module));
        return position > 0 && m_modules->IsActive(position);
    }
    CField* f = hasField ? resolveField(field) : nullptr;
    return f && f->IsSet() != 0;
}

std::string PagePreprocessor::fieldValue(CField& field) const {
    if (field.GetType() == FT_MONEY)
        return money(field.GetMoney(), field.TestFlag(FF_WHOLEDOLLARS) != 0);
    char buf[256] = {};
    field.GetText(buf, sizeof buf);
    return buf;
}

std::string PagePreprocessor::stateName() const {
    if (CFormManager* fm = federal()) {
        const int form = fm->FindForm("USW1040SUPP");
        const int number = form ? fm->FindField(form, "STATENAME", 0) : 0;
        CFormCopy* copy = number ? fm->GetFormCopy(form, 1) : nullptr;
        if (CField* f = copy ? copy->GetField(number) : nullptr) {
            char buf[256] = {};
            f->GetText(buf, sizeof buf);
            if (buf[0])
                return buf;
        }
    }
    return "your state";
}

std::string PagePreprocessor::versionText(const std::string& type) const {
    if (type == "MATH")
        return versionOf("FEDCALC.so", nullptr);
    if (type == "PRINT")
        return versionOf("FEDPRINT.so", nullptr);
    if (type == "EFILE")
        return versionOf("Transmit.so", "Not Installed");
    return std::to_string(qv::config::kVersionMajor) + "." +
           std::to_string(qv::config::kVersionMinor);
}
