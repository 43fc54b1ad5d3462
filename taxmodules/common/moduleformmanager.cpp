#include "moduleformmanager.h"

#include "moduletext.h"

#include <algorithm>
#include <cstring>

namespace qv {
namespace {

// Copy numbers go into "%03d" entry names, so they stay below 1000.
constexpr int kMaxCopyNumber = 999;

int putBytes(const std::string& bytes, void* buffer, int size) {
    if (!buffer || size < int(bytes.size()))
        return 0;
    std::memcpy(buffer, bytes.data(), bytes.size());
    return int(bytes.size());
}

bool containsName(const std::vector<std::string>& names, std::string_view name) {
    return std::any_of(names.begin(), names.end(),
                       [&](const std::string& n) { return sameName(n, name); });
}

std::string formNameOf(CFormManager* fm, int form) {
    char buf[QV_NAME_SIZE];
    return fm && fm->GetFormName(buf, sizeof buf, form) > 0 ? std::string(buf) : std::string();
}

} // namespace

ModuleFormManager::ModuleFormManager(const ModuleDef& def) : m_def(def) {
    m_forms.resize(def.forms.size());
    for (std::size_t f = 0; f < def.forms.size(); ++f) {
        FormState& st = m_forms[f];
        for (const FieldDef& field : def.forms[f].fields) {
            st.firstSlot.emplace(upperName(field.name), int(st.slots.size()) + 1);
            for (int e = 0; e < std::max(1, field.elements); ++e)
                st.slots.push_back({&field, e});
        }
        m_formIndex.emplace(upperName(def.forms[f].name), int(f) + 1);
    }
}

ModuleFormManager::FormState* ModuleFormManager::state(int form) {
    return form >= 1 && std::size_t(form) <= m_forms.size() ? &m_forms[std::size_t(form - 1)]
                                                            : nullptr;
}

const ModuleFormManager::FormState* ModuleFormManager::state(int form) const {
    return form >= 1 && std::size_t(form) <= m_forms.size() ? &m_forms[std::size_t(form - 1)]
                                                            : nullptr;
}

const FormDef* ModuleFormManager::formDef(int form) const {
    return state(form) ? &m_def.forms[std::size_t(form - 1)] : nullptr;
}

int ModuleFormManager::formIndex(std::string_view name) const {
    const auto it = m_formIndex.find(upperName(name));
    return it == m_formIndex.end() ? 0 : it->second;
}

std::vector<ModuleCopy*> ModuleFormManager::copiesOf(std::string_view form) {
    std::vector<ModuleCopy*> out;
    if (const FormState* st = state(formIndex(form))) {
        for (const auto& c : st->copies)
            out.push_back(c.get());
    }
    return out;
}

ModuleCopy* ModuleFormManager::firstCopy(std::string_view form) {
    const FormState* st = state(formIndex(form));
    return st && !st->copies.empty() ? st->copies.front().get() : nullptr;
}

int ModuleFormManager::ordinalOf(const ModuleCopy& copy) const {
    const FormState* st = state(copy.form());
    if (!st)
        return 0;
    for (std::size_t i = 0; i < st->copies.size(); ++i) {
        if (st->copies[i].get() == &copy)
            return int(i) + 1;
    }
    return 0;
}

CFormCopy* ModuleFormManager::resolveCopy(const std::string& form, int number) {
    if (const int own = formIndex(form))
        return FindFormCopy(own, number);
    if (m_federal) {
        const int fed = m_federal->FindForm(form.c_str());
        return fed ? m_federal->FindFormCopy(fed, number) : nullptr;
    }
    return nullptr;
}

void ModuleFormManager::fieldChanged(ModuleCopy&) {
    // Conditions refresh every field they read; without a change there is nothing to redo.
    if (m_changed)
        recalculate();
}

void ModuleFormManager::recalculate() {
    if (m_calculating)
        return;
    m_calculating = true;
    m_changed = false;
    if (m_def.calculate)
        m_def.calculate(*this);
    for (FormState& st : m_forms) {
        for (auto& c : st.copies)
            c->updateTitle();
    }
    m_calculating = false;
    // States build on federal figures; a copy of the list, since a state may unlink itself.
    const std::vector<CFormManager*> states = m_states;
    for (CFormManager* s : states)
        s->RecalculateAll();
}

void ModuleFormManager::prepareCopy(ModuleCopy& copy) {
    if (m_calculating || !copy.def().prepare)
        return;
    m_calculating = true;
    copy.def().prepare(*this, copy);
    m_calculating = false;
}

const std::vector<ModuleFormManager::FieldSlot>& ModuleFormManager::fieldSlots(int form) const {
    static const std::vector<FieldSlot> none;
    const FormState* st = state(form);
    return st ? st->slots : none;
}

int ModuleFormManager::fieldNumber(int form, std::string_view name, int element) const {
    const FormState* st = state(form);
    if (!st || element < 0)
        return 0;
    const auto it = st->firstSlot.find(upperName(name));
    if (it == st->firstSlot.end())
        return 0;
    const FieldSlot& first = st->slots[std::size_t(it->second - 1)];
    return element < std::max(1, first.def->elements) ? it->second + element : 0;
}

bool ModuleFormManager::copyNumberTaken(int form, int number, const ModuleCopy* except) const {
    const FormState* st = state(form);
    return st && std::any_of(st->copies.begin(), st->copies.end(), [&](const auto& c) {
               return c.get() != except && c->copyNumber() == number;
           });
}

ModuleCopy* ModuleFormManager::own(CFormCopy* copy) const {
    if (!copy || copy->GetFormManager() != this)
        return nullptr;
    return static_cast<ModuleCopy*>(copy);
}

int ModuleFormManager::freshCopyNumber(int form) const {
    const FormState* st = state(form);
    int highest = 0;
    for (const auto& c : st->copies)
        highest = std::max(highest, c->copyNumber());
    if (highest < kMaxCopyNumber)
        return highest + 1;
    for (int n = 1; n <= kMaxCopyNumber; ++n) {
        if (!copyNumberTaken(form, n, nullptr))
            return n;
    }
    return 0;
}

ModuleCopy* ModuleFormManager::addCopy(int form, bool initialise) {
    FormState* st = state(form);
    const FormDef* def = formDef(form);
    if (!st || int(st->copies.size()) >= std::min(def->maxCopies, kMaxCopyNumber))
        return nullptr;
    const int number = freshCopyNumber(form);
    if (number == 0)
        return nullptr;
    st->copies.push_back(std::make_unique<ModuleCopy>(*this, form, *def, number));
    ModuleCopy* copy = st->copies.back().get();
    if (initialise)
        recalculate();
    return copy;
}

int ModuleFormManager::CreateDefaultForms() {
    bool added = false;
    for (std::size_t f = 0; f < m_def.forms.size(); ++f) {
        const int form = int(f) + 1;
        if (m_def.forms[f].createByDefault && m_forms[f].copies.empty())
            added = addCopy(form, false) != nullptr || added;
    }
    if (added)
        recalculate();
    return 1;
}

void ModuleFormManager::ClearAll() {
    for (FormState& st : m_forms)
        st.copies.clear();
    m_changed = true;
}

int ModuleFormManager::FindForm(const char* name) {
    return name ? formIndex(name) : 0;
}

int ModuleFormManager::FindField(int form, const char* name, int element) {
    return name ? fieldNumber(form, name, element) : 0;
}

CFormCopy* ModuleFormManager::AddFormCopy(int form, int initialise, int) {
    return addCopy(form, initialise != 0);
}

CFormCopy* ModuleFormManager::FindFormCopy(int form, int copyNumber) {
    FormState* st = state(form);
    if (!st || copyNumber < 1)
        return nullptr;
    for (const auto& c : st->copies) {
        if (c->copyNumber() == copyNumber)
            return c.get();
    }
    return nullptr;
}

CFormCopy* ModuleFormManager::GetFormCopy(int form, int ordinal) {
    FormState* st = state(form);
    if (!st || ordinal < 1 || std::size_t(ordinal) > st->copies.size())
        return nullptr;
    return st->copies[std::size_t(ordinal - 1)].get();
}

int ModuleFormManager::GetCopyCount(int form) {
    const FormState* st = state(form);
    return st ? int(st->copies.size()) : 0;
}

int ModuleFormManager::GetMaxCopies(int form) {
    const FormDef* def = formDef(form);
    return def ? std::min(def->maxCopies, kMaxCopyNumber) : 0;
}

int ModuleFormManager::GetFieldCount(int form) {
    const FormState* st = state(form);
    return st ? int(st->slots.size()) : 0;
}

int ModuleFormManager::TestFormFlag(int form, unsigned mask) {
    const FormDef* def = formDef(form);
    if (!def)
        return 0;
    unsigned flags = def->flags;
    if (def->createByDefault)
        flags |= FMF_ALWAYS;
    if (!def->newCopyTarget.empty())
        flags |= FMF_INTERVIEW;
    return (flags & mask) != 0;
}

int ModuleFormManager::GetModuleName(char* buffer, int size) {
    return putText(buffer, size, m_def.name);
}

int ModuleFormManager::GetModuleVersion(char* buffer, int size) {
    return putText(buffer, size, m_def.version);
}

int ModuleFormManager::GetModuleTitle(char* buffer, int size) {
    return putText(buffer, size, m_def.title);
}

int ModuleFormManager::GetFormName(char* buffer, int size, int form) {
    const FormDef* def = formDef(form);
    return putText(buffer, size, def ? def->name : std::string());
}

int ModuleFormManager::GetFieldName(char* buffer, int size, int form, int field) {
    const FormState* st = state(form);
    if (!st || field < 1 || std::size_t(field) > st->slots.size())
        return putText(buffer, size, "");
    return putText(buffer, size, st->slots[std::size_t(field - 1)].def->name);
}

int ModuleFormManager::GetFormTitle(char* buffer, int size, int form) {
    const FormDef* def = formDef(form);
    return putText(buffer, size, def ? def->title : std::string());
}

int ModuleFormManager::GetFormLongTitle(char* buffer, int size, int form) {
    const FormDef* def = formDef(form);
    return putText(buffer, size, def ? def->longTitle : std::string());
}

int ModuleFormManager::GetCategoryOrder(int form, unsigned category) {
    const FormDef* def = formDef(form);
    if (!def || !(def->category & category))
        return 0;
    int position = 0;
    for (int f = 1; f <= form; ++f) {
        if (formDef(f)->category & category)
            ++position;
    }
    return position;
}

ModuleField* ModuleFormManager::globalField(const char* name) {
    if (!name)
        return nullptr;
    for (const GlobalField& g : m_def.globals) {
        if (sameName(g.name, name)) {
            ModuleCopy* copy = firstCopy(g.form);
            return copy ? copy->field(g.field) : nullptr;
        }
    }
    return nullptr;
}

int ModuleFormManager::GetFieldFlag(const char* name) {
    const ModuleField* f = globalField(name);
    return f && f->isTrue();
}

std::int64_t ModuleFormManager::GetFieldValue(const char* name) {
    const ModuleField* f = globalField(name);
    if (!f)
        return 0;
    return f->type() == FT_DECIMAL ? std::int64_t(f->real()) : f->integer();
}

int ModuleFormManager::GetFieldText(char* buffer, int size, const char* name) {
    const ModuleField* f = globalField(name);
    return putText(buffer, size, f ? f->valueText() : std::string());
}

CField* ModuleFormManager::GetFieldByName(const char* name) {
    return globalField(name);
}

void ModuleFormManager::LinkStateModule(CFormManager* state) {
    if (state && state != this &&
        std::find(m_states.begin(), m_states.end(), state) == m_states.end())
        m_states.push_back(state);
}

void ModuleFormManager::UnlinkStateModule(CFormManager* state) {
    m_states.erase(std::remove(m_states.begin(), m_states.end(), state), m_states.end());
}

std::vector<CFormCopy*> ModuleFormManager::childrenOf(CFormCopy* parent, int form) const {
    std::vector<CFormCopy*> out;
    for (std::size_t f = 0; f < m_forms.size(); ++f) {
        if (form != 0 && int(f) + 1 != form)
            continue;
        for (const auto& c : m_forms[f].copies) {
            if (c->GetParentCopy() == parent)
                out.push_back(c.get());
        }
    }
    return out;
}

// Related copies are the children: deleting a copy deletes them with it.
int ModuleFormManager::CountRelatedCopies(CFormCopy* copy) {
    return copy ? int(childrenOf(copy, 0).size()) : 0;
}

CFormCopy* ModuleFormManager::GetRelatedCopy(CFormCopy* copy, int n) {
    if (!copy)
        return nullptr;
    const auto children = childrenOf(copy, 0);
    return n >= 1 && std::size_t(n) <= children.size() ? children[std::size_t(n - 1)] : nullptr;
}

int ModuleFormManager::DeleteFormCopy(CFormCopy* copy) {
    ModuleCopy* target = own(copy);
    if (!target)
        return 0;
    for (CFormCopy* child : childrenOf(target, 0))
        DeleteFormCopy(child);
    const int form = target->GetFormIndex();
    FormState* st = state(form);
    st->copies.erase(std::find_if(st->copies.begin(), st->copies.end(),
                                  [&](const auto& c) { return c.get() == target; }));
    const FormDef* def = formDef(form);
    if (def->recreatedOnDelete && st->copies.empty()) {
        const bool fed = def->transfers.empty() ||
                         std::any_of(def->transfers.begin(), def->transfers.end(),
                                     [&](const std::string& t) { return firstCopy(t) != nullptr; });
        if (fed)
            addCopy(form, false);
    }
    recalculate();
    return 1;
}

int ModuleFormManager::GetFormRelation(int parentForm, int childForm) {
    const FormDef* parent = formDef(parentForm);
    const FormDef* child = formDef(childForm);
    return parent && child && containsName(child->parents, parent->name);
}

int ModuleFormManager::GetMaxChildCopies(int parentForm, int childForm) {
    return GetFormRelation(parentForm, childForm) ? formDef(childForm)->maxChildCopies : 0;
}

int ModuleFormManager::GetMaxFederalChildCopies(int parentForm, int childForm) {
    const FormDef* child = formDef(childForm);
    if (!child || !m_federal)
        return 0;
    return containsName(child->federalParents, formNameOf(m_federal, parentForm))
               ? child->maxChildCopies
               : 0;
}

int ModuleFormManager::GetChildCopyCount(CFormCopy* parent, int childForm) {
    return state(childForm) ? int(childrenOf(parent, childForm).size()) : 0;
}

CFormCopy* ModuleFormManager::GetChildCopy(CFormCopy* parent, int childForm, int n) {
    if (!state(childForm))
        return nullptr;
    const auto children = childrenOf(parent, childForm);
    return n >= 1 && std::size_t(n) <= children.size() ? children[std::size_t(n - 1)] : nullptr;
}

int ModuleFormManager::IsMadeFromParent(int form) {
    const FormDef* def = formDef(form);
    return def && !def->parents.empty();
}

int ModuleFormManager::IsMadeFromFederalParent(int form) {
    const FormDef* def = formDef(form);
    return def && !def->federalParents.empty();
}

std::vector<int> ModuleFormManager::kindsNamed(const std::vector<std::string>& names,
                                               bool skipNoTransfer) {
    std::vector<int> out;
    for (const std::string& n : names) {
        const int f = formIndex(n);
        if (f && !(skipNoTransfer && TestFormFlag(f, FMF_NOTRANSFERLIST)))
            out.push_back(f);
    }
    return out;
}

int ModuleFormManager::GetParentFormCount(int form) {
    const FormDef* def = formDef(form);
    return def ? int(kindsNamed(def->parents, false).size()) : 0;
}

int ModuleFormManager::GetParentForm(int form, int n) {
    const FormDef* def = formDef(form);
    if (!def)
        return 0;
    const auto kinds = kindsNamed(def->parents, false);
    return n >= 1 && std::size_t(n) <= kinds.size() ? kinds[std::size_t(n - 1)] : 0;
}

int ModuleFormManager::GetFederalParentFormCount(int form) {
    const FormDef* def = formDef(form);
    if (!def || !m_federal)
        return 0;
    int count = 0;
    for (const std::string& n : def->federalParents)
        count += m_federal->FindForm(n.c_str()) != 0;
    return count;
}

int ModuleFormManager::GetFederalParentForm(int form, int n) {
    const FormDef* def = formDef(form);
    if (!def || !m_federal)
        return 0;
    int seen = 0;
    for (const std::string& name : def->federalParents) {
        const int f = m_federal->FindForm(name.c_str());
        if (f && ++seen == n)
            return f;
    }
    return 0;
}

int ModuleFormManager::GetTransferFormCount(int form) {
    const FormDef* def = formDef(form);
    return def ? int(kindsNamed(def->transfers, true).size()) : 0;
}

int ModuleFormManager::GetTransferForm(int form, int n) {
    const FormDef* def = formDef(form);
    if (!def)
        return 0;
    const auto kinds = kindsNamed(def->transfers, true);
    return n >= 1 && std::size_t(n) <= kinds.size() ? kinds[std::size_t(n - 1)] : 0;
}

std::string ModuleFormManager::moduleMapBytes() const {
    ModuleMap map;
    map.version = m_def.version;
    for (const FormDef& f : m_def.forms)
        map.forms.push_back(f.name);
    return writeModuleMap(map);
}

std::string ModuleFormManager::formMapBytes(int form) const {
    std::vector<FormMapEntry> map;
    const auto& slots = fieldSlots(form);
    for (std::size_t i = 0; i < slots.size(); ++i)
        map.push_back({int(i) + 1, slots[i].element, slots[i].def->type, slots[i].def->name});
    return writeFormMap(map);
}

int ModuleFormManager::GetModuleMapSize() {
    return int(moduleMapBytes().size());
}

int ModuleFormManager::GetModuleMap(void* buffer, int size) {
    return putBytes(moduleMapBytes(), buffer, size);
}

int ModuleFormManager::GetFormMapSize(int form) {
    return state(form) ? int(formMapBytes(form).size()) : 0;
}

int ModuleFormManager::GetFormMap(int form, void* buffer, int size) {
    return state(form) ? putBytes(formMapBytes(form), buffer, size) : 0;
}

// A saved copy whose field numbers belong to another version of the form: its form map names
// each saved number, and the current field of that name and element takes the value. A form
// this version no longer has, or a kind at its copy limit, is skipped without failing.
int ModuleFormManager::importCopy(const char* formName, const void* formMap, int formMapSize,
                                  const void* data, int dataSize, bool priorYear) {
    std::vector<FormMapEntry> map;
    CopyBlob blob;
    if (!formName || !readFormMap(formMap, formMapSize, map) || !readCopyBlob(data, dataSize, blob))
        return 0;
    const int form = formIndex(formName);
    if (!form)
        return 1;
    const FormDef* def = formDef(form);
    ModuleCopy* copy = nullptr;
    if (priorYear) {
        if (std::none_of(def->fields.begin(), def->fields.end(),
                         [](const FieldDef& f) { return f.carryForward; }))
            return 1;
        copy = def->maxCopies == 1 && !m_forms[std::size_t(form - 1)].copies.empty()
                   ? m_forms[std::size_t(form - 1)].copies.front().get()
                   : addCopy(form, false);
    } else {
        copy = addCopy(form, false);
        if (copy && blob.copyNumber <= kMaxCopyNumber &&
            !copyNumberTaken(form, blob.copyNumber, copy))
            copy->setCopyNumber(blob.copyNumber);
        if (copy)
            copy->setParent(blob.parentForm, blob.parentNumber);
    }
    if (!copy)
        return 1;
    std::map<int, int> numbers;
    for (const FormMapEntry& e : map)
        numbers[e.number] = fieldNumber(form, e.name, e.element);
    copy->restore(
        blob,
        [&](int saved) {
            const auto it = numbers.find(saved);
            return it == numbers.end() ? 0 : it->second;
        },
        priorYear);
    copy->updateTitle();
    return 1;
}

int ModuleFormManager::ImportFormData(const char* formName, const char*, const void*, int,
                                      const void*, int, const void* formMap, int formMapSize,
                                      const void* data, int dataSize) {
    return importCopy(formName, formMap, formMapSize, data, dataSize, false);
}

int ModuleFormManager::ImportPriorYearForm(const char* formName, const char*, const void*, int,
                                           const void* formMap, int formMapSize, const void* data,
                                           int dataSize) {
    return importCopy(formName, formMap, formMapSize, data, dataSize, true);
}

int ModuleFormManager::GetNewCopyInterviewTarget(char* buffer, int size, int form) {
    const FormDef* def = formDef(form);
    return putText(buffer, size, def ? def->newCopyTarget : std::string());
}

int ModuleFormManager::GetCopyInterviewTarget(char* buffer, int size, CFormCopy* copy) {
    const ModuleCopy* c = own(copy);
    return putText(buffer, size, c ? c->def().copyTarget : std::string());
}

} // namespace qv
