#include "modulefield.h"

#include "modulecopy.h"
#include "moduleformmanager.h"
#include "moduletext.h"

#include <cstdio>

namespace qv {
namespace {

// Flags the program or the user's actions set; the others come from the field's definition.
constexpr unsigned kChangingFlags =
    FF_OVERRIDDEN | FF_HASVALUE | FF_ESTIMATED | FF_IMPORTED | FF_ENTERED;

bool isTextType(int type) {
    return type >= FT_TEXT && type <= 11;
}

// Largest amount the 11-character money entry takes: 99,999,999.99.
constexpr std::int64_t kMoneyLimit = 9999999999LL;
constexpr double kDecimalLimit = 9999999.0;

} // namespace

ModuleField::ModuleField(ModuleCopy& copy, const FieldDef& def, int number, int element)
    : m_copy(copy), m_def(def), m_number(number), m_element(element), m_flags(def.flags) {
    clear();
}

void ModuleField::clear() {
    m_integer = m_def.type == FT_CHOICE ? -1 : 0;
    m_real = 0;
    m_text.clear();
    m_flags = m_def.flags;
}

bool ModuleField::isEmpty() const {
    if (isTextType(m_def.type))
        return m_text.empty();
    if (m_def.type == FT_DECIMAL)
        return m_real == 0;
    if (m_def.type == FT_CHOICE)
        return m_integer < 0;
    return m_integer == 0;
}

// Check and option fields are true when set; every other field when it holds a value.
bool ModuleField::isTrue() const {
    return !isEmpty();
}

void ModuleField::setCalculated(std::int64_t value) {
    if (m_flags & FF_OVERRIDDEN)
        return;
    if (m_def.type == FT_DECIMAL)
        m_real = double(value);
    else
        m_integer = value;
}

void ModuleField::setCalculatedReal(double value) {
    if (!(m_flags & FF_OVERRIDDEN))
        m_real = value;
}

void ModuleField::setCalculatedText(const std::string& text) {
    if (!(m_flags & FF_OVERRIDDEN))
        m_text = text.substr(0, 255);
}

void ModuleField::restore(std::int64_t integer, double real, const std::string& text,
                          unsigned flags) {
    m_integer = integer;
    m_real = real;
    m_text = text.substr(0, 255);
    m_flags = m_def.flags | (flags & kChangingFlags);
}

CFormCopy* ModuleField::GetCopy() {
    return &m_copy;
}

void ModuleField::SetFlag(unsigned mask, int on) {
    m_flags = on ? (m_flags | mask) : (m_flags & ~mask);
    m_flags |= m_def.flags;
    noteChange();
}

void ModuleField::SetDouble(double value) {
    m_real = value;
    noteChange();
}

void ModuleField::changeInteger(std::int64_t value) {
    m_integer = value;
    noteChange();
}

void ModuleField::noteChange() {
    m_copy.manager().markChanged();
}

void ModuleField::Refresh() {
    m_copy.manager().fieldChanged(m_copy);
}

std::string ModuleField::valueText() const {
    char buf[64];
    switch (m_def.type) {
    case FT_MONEY:
        return moneyText(m_integer);
    case FT_INTEGER:
        std::snprintf(buf, sizeof buf, "%lld", static_cast<long long>(m_integer));
        return buf;
    case FT_DATE:
        return dateText(std::int32_t(m_integer));
    case FT_DECIMAL:
        std::snprintf(buf, sizeof buf, "%g", m_real);
        return buf;
    case FT_CHECK:
    case FT_OPTION:
        return m_integer ? "X" : "";
    case FT_CHOICE:
        return m_integer >= 0 && std::size_t(m_integer) < m_def.choices.size()
                   ? m_def.choices[std::size_t(m_integer)]
                   : std::string();
    default:
        return m_text;
    }
}

int ModuleField::GetText(char* buffer, int size) {
    return putText(buffer, size, valueText());
}

void ModuleField::SetText(const char* text) {
    const std::string t = text ? text : "";
    switch (m_def.type) {
    case FT_MONEY:
        m_integer = parseMoney(t);
        break;
    case FT_INTEGER:
        m_integer = std::int32_t(parseMoney(t) / 100);
        break;
    case FT_DATE:
        m_integer = parseDate(t);
        break;
    case FT_DECIMAL:
        std::sscanf(t.c_str(), "%lf", &m_real);
        break;
    case FT_CHECK:
    case FT_OPTION:
        m_integer = t.empty() ? 0 : 1;
        break;
    case FT_CHOICE: {
        m_integer = -1;
        for (std::size_t i = 0; i < m_def.choices.size(); ++i) {
            if (sameName(m_def.choices[i], t))
                m_integer = std::int64_t(i);
        }
        break;
    }
    default:
        m_text = t.substr(0, 255);
        break;
    }
    noteChange();
}

std::int32_t ModuleField::GetLongMin() {
    return m_def.min || m_def.max ? std::int32_t(m_def.min) : -999999999;
}
std::int32_t ModuleField::GetLongMax() {
    return m_def.min || m_def.max ? std::int32_t(m_def.max) : 999999999;
}
std::int64_t ModuleField::GetMoneyMin() {
    return m_def.min || m_def.max ? m_def.min : -kMoneyLimit;
}
std::int64_t ModuleField::GetMoneyMax() {
    return m_def.min || m_def.max ? m_def.max : kMoneyLimit;
}
double ModuleField::GetDoubleMin() {
    return m_def.min || m_def.max ? double(m_def.min) : -kDecimalLimit;
}
double ModuleField::GetDoubleMax() {
    return m_def.min || m_def.max ? double(m_def.max) : kDecimalLimit;
}

int ModuleField::GetChoiceLabel(int index, char* buffer, int size) {
    return GetChoiceText(index, buffer, size);
}

int ModuleField::GetChoiceText(int index, char* buffer, int size) {
    if (index < 0 || std::size_t(index) >= m_def.choices.size())
        return putText(buffer, size, "");
    return putText(buffer, size, m_def.choices[std::size_t(index)]);
}

void ModuleField::SetChoice(int index) {
    m_integer = index >= 0 && std::size_t(index) < m_def.choices.size() ? index : -1;
    noteChange();
}

} // namespace qv
