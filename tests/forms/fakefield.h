#pragma once

#include <quorva/field.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

// A field with the type, flags and ranges a test needs, for cases the reference module does
// not have (protected forms, every entry type in one place).
class FakeField final : public CField {
public:
    explicit FakeField(int type, unsigned initialFlags = 0) : flags(initialFlags), m_type(type) {}
    int GetFieldNumber() override { return 1; }
    int GetElementIndex() override { return 0; }
    int GetType() override { return m_type; }
    CFormCopy* GetCopy() override { return nullptr; }
    int TestFlag(unsigned mask) override { return (flags & mask) != 0; }
    void SetFlag(unsigned mask, int on) override { flags = on ? flags | mask : flags & ~mask; }
    void Refresh() override { ++refreshes; }
    std::int32_t GetLong() override { return 0; }
    std::int64_t GetMoney() override { return money; }
    double GetDouble() override { return 0.0; }
    int IsSet() override { return 0; }
    std::int32_t GetDate() override { return 0; }
    int GetText(char* buffer, int size) override {
        std::snprintf(buffer, std::size_t(size), "%s", text.c_str());
        return int(std::strlen(buffer));
    }
    void SetLong(std::int32_t) override {}
    void SetMoney(std::int64_t cents) override { money = cents; }
    void SetDouble(double) override {}
    void SetChecked(int) override {}
    void SetDate(std::int32_t) override {}
    void SetText(const char* value) override { text = value; }
    std::int32_t GetLongMin() override { return 0; }
    std::int32_t GetLongMax() override { return 999; }
    std::int64_t GetMoneyMin() override { return -9999999999; }
    std::int64_t GetMoneyMax() override { return 9999999999; }
    double GetDoubleMin() override { return 0.0; }
    double GetDoubleMax() override { return 100.0; }
    void Unused25() override {}
    int GetChoice() override { return choice; }
    int GetChoiceCount() override { return int(choices.size()); }
    int GetChoiceLabel(int index, char* buffer, int size) override {
        return GetChoiceText(index, buffer, size);
    }
    int GetChoiceText(int index, char* buffer, int size) override {
        std::snprintf(buffer, std::size_t(size), "%s", choices.at(std::size_t(index)).c_str());
        return int(std::strlen(buffer));
    }
    void Unused30() override {}
    void SetChoice(int index) override { choice = index; }

    unsigned flags = 0;
    int refreshes = 0;
    std::int64_t money = 0;
    std::string text;
    int choice = -1;
    std::vector<std::string> choices;

private:
    int m_type;
};
