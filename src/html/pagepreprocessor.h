#pragma once

#include <cstdint>
#include <string>
#include <vector>

struct CField;
struct CFormCopy;
struct CFormManager;

namespace qv {
class ModuleSet;
}

// Resolves the program's own page directives (<!NAME ...>) before a page is parsed: values of
// the return, years, settings texts and versions are inserted, and stretches of the page are
// kept or dropped by conditions on fields, forms and modules. Everything else is copied.
class PagePreprocessor final {
public:
    PagePreprocessor();

    // The owner sets these before each run; all may be null.
    void setModules(const qv::ModuleSet* modules) { m_modules = modules; }
    // Used by STATUS tests on forms the reference alone does not find; the federal module's
    // form manager when none is set.
    void setFallbackManager(CFormManager* manager) { m_fallback = manager; }
    void setCurrentCopy(CFormCopy* copy) { m_current = copy; }
    CFormCopy* currentCopy() const { return m_current; }

    // Back to one true entry; the owner calls it whenever it clears or reloads its page, so
    // that an unbalanced IF affects only the rest of its own page.
    void resetConditions() { m_conditions.assign(1, 1); }
    std::size_t conditionDepth() const { return m_conditions.size(); }

    void Preprocess(std::string& output, const std::string& input);

private:
    bool current() const { return m_conditions.back() != 0; }
    void push(bool value) { m_conditions.push_back(value && current() ? 1 : 0); }
    void handle(int directive, const std::string& tag, std::string& out);
    void insert(std::string& out, const std::string& value, const std::string& tag) const;
    bool ifTest(const std::string& tag) const;
    CFormManager* managerOf(const std::string& reference) const;
    CFormCopy* resolveCopy(CFormManager* fm, int form, const std::string& copyPart) const;
    CField* resolveField(const std::string& reference) const;
    CFormCopy* resolveForm(const std::string& reference) const;
    CFormManager* federal() const;
    std::string fieldValue(CField& field) const;
    std::string stateName() const;
    std::string versionText(const std::string& type) const;

    std::vector<std::uint16_t> m_conditions;
    const qv::ModuleSet* m_modules = nullptr;
    CFormManager* m_fallback = nullptr;
    CFormCopy* m_current = nullptr;
};

namespace qv {

// The attribute NAME of a directive tag ("<!IF FIELD=X>"): present with an empty value when
// it stands without "=". False when absent.
bool DirectiveAttribute(const std::string& tag, const std::string& name, std::string* value);

} // namespace qv
