#pragma once

#include "moduledef.h"

#include <quorva/field.h>

#include <cstdint>
#include <string>

namespace qv {

class ModuleCopy;

// One field of a copy. A field holds one value whose meaning follows its type: an integer
// word for money (cents), integers, dates, checks, options and choices, a double for
// decimals, a string for the text types.
class ModuleField final : public CField {
public:
    ModuleField(ModuleCopy& copy, const FieldDef& def, int number, int element);

    const FieldDef& def() const { return m_def; }
    int type() const { return m_def.type; }
    std::int64_t integer() const { return m_integer; }
    double real() const { return m_real; }
    const std::string& text() const { return m_text; }
    unsigned flags() const { return m_flags; }
    bool isEmpty() const;
    bool isTrue() const;
    // Written by the module's own calculation: no refresh, and an overridden value stays.
    void setCalculated(std::int64_t value);
    void setCalculatedText(const std::string& text);
    void setCalculatedReal(double value);
    // Restored from saved data; flags beyond the ones the field always has are taken over.
    void restore(std::int64_t integer, double real, const std::string& text, unsigned flags);
    void clear();

    int GetFieldNumber() override { return m_number; }
    int GetElementIndex() override { return m_element; }
    int GetType() override { return m_def.type; }
    CFormCopy* GetCopy() override;
    int TestFlag(unsigned mask) override { return (m_flags & mask) != 0; }
    void SetFlag(unsigned mask, int on) override;
    void Refresh() override;
    std::int32_t GetLong() override { return std::int32_t(m_integer); }
    std::int64_t GetMoney() override { return m_integer; }
    double GetDouble() override { return m_real; }
    int IsSet() override { return isTrue(); }
    std::int32_t GetDate() override { return std::int32_t(m_integer); }
    int GetText(char* buffer, int size) override;
    void SetLong(std::int32_t value) override { changeInteger(value); }
    void SetMoney(std::int64_t cents) override { changeInteger(cents); }
    void SetDouble(double value) override;
    void SetChecked(int on) override { changeInteger(on ? 1 : 0); }
    void SetDate(std::int32_t day) override { changeInteger(day); }
    void SetText(const char* text) override;
    std::int32_t GetLongMin() override;
    std::int32_t GetLongMax() override;
    std::int64_t GetMoneyMin() override;
    std::int64_t GetMoneyMax() override;
    double GetDoubleMin() override;
    double GetDoubleMax() override;
    void Unused25() override {}
    int GetChoice() override { return m_def.type == FT_CHOICE ? int(m_integer) : -1; }
    int GetChoiceCount() override { return int(m_def.choices.size()); }
    int GetChoiceLabel(int index, char* buffer, int size) override;
    int GetChoiceText(int index, char* buffer, int size) override;
    void Unused30() override {}
    void SetChoice(int index) override;

    // The value as text, as GetText gives it.
    std::string valueText() const;

private:
    ModuleCopy& m_copy;
    const FieldDef& m_def;
    int m_number;
    int m_element;
    unsigned m_flags;
    void changeInteger(std::int64_t value);
    void noteChange();
    std::int64_t m_integer = 0;
    double m_real = 0;
    std::string m_text;
};

} // namespace qv
