#pragma once

#include "interview/moduleset.h"
#include "nullinterfaces.h"

#include <cstdio>
#include <cstring>
#include <map>
#include <memory>
#include <string>
#include <strings.h>
#include <vector>

// A tiny stand-in for a module: named forms with copies whose fields are set or not, and
// module-global texts, flags and fields. Enough for conditions and form set-up, without a
// module library.
class FakeField final : public NullField {
public:
    int GetType() override { return type; }
    int IsSet() override { return value != 0; }
    void Refresh() override { ++refreshes; }
    void SetChecked(int on) override { value = on; }
    void SetLong(std::int32_t v) override { value = v; }
    std::int32_t GetLong() override { return value; }

    int type = FT_CHECK;
    int value = 0;
    int refreshes = 0;
};

class FakeCopy final : public NullFormCopy {
public:
    int GetFormIndex() override { return form; }
    int GetCopyNumber() override { return number; }
    int GetOrdinal() override { return ordinal; }
    CFormCopy* GetParentCopy() override { return parent; }
    void SetParentCopy(CFormCopy* p, int /*link*/) override { parent = p; }
    int TestFlag(unsigned mask) override { return (flags & mask) != 0; }
    void SetCopyFlag(unsigned mask, int on) override { flags = on ? flags | mask : flags & ~mask; }
    CField* GetField(int n) override {
        auto it = fields.find(n);
        return it == fields.end() ? nullptr : &it->second;
    }

    int form = 0;
    int number = 0;
    int ordinal = 0;
    unsigned flags = 0;
    CFormCopy* parent = nullptr;
    std::map<int, FakeField> fields;
};

class FakeFormManager final : public NullFormManager {
public:
    // Form kinds are numbered in the order they are added; field numbers per form from 1.
    int addForm(const std::string& name, std::vector<std::string> fieldNames = {}) {
        forms.push_back({name, std::move(fieldNames), {}});
        return int(forms.size());
    }
    FakeCopy* addCopy(int form) {
        auto& list = forms[std::size_t(form - 1)].copies;
        auto copy = std::make_unique<FakeCopy>();
        copy->form = form;
        copy->number = nextNumber++;
        copy->ordinal = int(list.size()) + 1;
        for (std::size_t i = 0; i < forms[std::size_t(form - 1)].fields.size(); ++i)
            copy->fields[int(i) + 1];
        list.push_back(std::move(copy));
        return list.back().get();
    }

    int FindForm(const char* name) override {
        for (std::size_t i = 0; i < forms.size(); ++i) {
            if (strcasecmp(forms[i].name.c_str(), name) == 0)
                return int(i) + 1;
        }
        return 0;
    }
    int FindField(int form, const char* name, int element) override {
        if (form < 1 || form > int(forms.size()) || element != 0)
            return 0;
        const auto& names = forms[std::size_t(form - 1)].fields;
        for (std::size_t i = 0; i < names.size(); ++i) {
            if (strcasecmp(names[i].c_str(), name) == 0)
                return int(i) + 1;
        }
        return 0;
    }
    CFormCopy* FindFormCopy(int form, int number) override {
        if (form < 1 || form > int(forms.size()))
            return nullptr;
        for (auto& c : forms[std::size_t(form - 1)].copies) {
            if (c->number == number)
                return c.get();
        }
        return nullptr;
    }
    CFormCopy* GetFormCopy(int form, int ordinal) override {
        if (form < 1 || form > int(forms.size()) || ordinal < 1)
            return nullptr;
        auto& list = forms[std::size_t(form - 1)].copies;
        return ordinal <= int(list.size()) ? list[std::size_t(ordinal - 1)].get() : nullptr;
    }
    int GetCopyCount(int form) override {
        return form >= 1 && form <= int(forms.size())
                   ? int(forms[std::size_t(form - 1)].copies.size())
                   : 0;
    }
    int GetFormName(char* buffer, int size, int form) override {
        if (form < 1 || form > int(forms.size()) || size < 1)
            return 0;
        std::snprintf(buffer, std::size_t(size), "%s", forms[std::size_t(form - 1)].name.c_str());
        return int(std::strlen(buffer));
    }
    int GetFieldText(char* buffer, int size, const char* name) override {
        auto it = texts.find(name);
        std::snprintf(buffer, std::size_t(size), "%s", it == texts.end() ? "" : it->second.c_str());
        return int(std::strlen(buffer));
    }
    int GetFieldFlag(const char* name) override {
        auto it = flags.find(name);
        return it == flags.end() ? 0 : it->second;
    }
    CField* GetFieldByName(const char* name) override {
        auto it = globals.find(name);
        return it == globals.end() ? nullptr : &it->second;
    }
    int GetChildCopyCount(CFormCopy* parent, int childForm) override {
        int n = 0;
        for (int k = 1; k <= GetCopyCount(childForm); ++k)
            n += GetFormCopy(childForm, k)->GetParentCopy() == parent ? 1 : 0;
        return n;
    }

    struct Form {
        std::string name;
        std::vector<std::string> fields;
        std::vector<std::unique_ptr<FakeCopy>> copies;
    };
    std::vector<Form> forms;
    int nextNumber = 1;
    std::map<std::string, std::string> texts;
    std::map<std::string, int> flags;
    std::map<std::string, FakeField> globals;
};

class FakeModuleSet final : public qv::ModuleSet {
public:
    struct Module {
        std::string code;
        bool active = true;
        CFormManager* fm = nullptr;
    };
    void add(const std::string& code, bool active, CFormManager* fm) {
        modules.push_back({code, active, fm});
    }

    int Count() const override { return int(modules.size()); }
    int Find(const std::string& code) const override {
        for (std::size_t i = 0; i < modules.size(); ++i) {
            if (modules[i].code == code)
                return int(i) + 1;
        }
        return 0;
    }
    std::string Code(int p) const override { return valid(p) ? at(p).code : std::string(); }
    bool IsActive(int p) const override { return valid(p) && at(p).active; }
    CFormManager* FormManager(int p) const override { return valid(p) ? at(p).fm : nullptr; }
    CDataFile* DataFile(int) const override { return nullptr; }
    std::string Title(int p) const override { return Code(p); }

    std::vector<Module> modules;

private:
    bool valid(int p) const { return p >= 1 && p <= int(modules.size()); }
    const Module& at(int p) const { return modules[std::size_t(p - 1)]; }
};
