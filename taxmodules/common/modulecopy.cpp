#include "modulecopy.h"

#include "moduleformmanager.h"
#include "moduletext.h"
#include "savedata.h"

#include <cstring>

namespace qv {

ModuleCopy::ModuleCopy(ModuleFormManager& manager, int form, const FormDef& def, int copyNumber)
    : m_manager(manager), m_form(form), m_def(def), m_copyNumber(copyNumber) {
    const auto& slots = manager.fieldSlots(form);
    m_fields.reserve(slots.size());
    for (std::size_t i = 0; i < slots.size(); ++i)
        m_fields.push_back(
            std::make_unique<ModuleField>(*this, *slots[i].def, int(i) + 1, slots[i].element));
    m_flags |= def.copyFlags;
    if (def.required)
        m_flags |= CF_REQUIRED;
    if (!def.copyTarget.empty())
        m_flags |= CF_INTERVIEW;
}

void ModuleCopy::setParent(const std::string& form, int number) {
    m_parentForm = number > 0 ? form : std::string();
    m_parentNumber = number > 0 ? number : 0;
}

ModuleField* ModuleCopy::field(std::string_view name, int element) {
    const int number = m_manager.fieldNumber(m_form, name, element);
    return number > 0 ? m_fields[std::size_t(number - 1)].get() : nullptr;
}

std::int64_t ModuleCopy::value(std::string_view name, int element) {
    const ModuleField* f = field(name, element);
    return f ? f->integer() : 0;
}

std::string ModuleCopy::text(std::string_view name, int element) {
    const ModuleField* f = field(name, element);
    return f ? f->valueText() : std::string();
}

bool ModuleCopy::isSet(std::string_view name, int element) {
    const ModuleField* f = field(name, element);
    return f && f->isTrue();
}

void ModuleCopy::setCalculated(std::string_view name, std::int64_t value, int element) {
    if (ModuleField* f = field(name, element))
        f->setCalculated(value);
}

void ModuleCopy::setCalculatedText(std::string_view name, const std::string& text, int element) {
    if (ModuleField* f = field(name, element))
        f->setCalculatedText(text);
}

void ModuleCopy::setCalculatedReal(std::string_view name, double value, int element) {
    if (ModuleField* f = field(name, element))
        f->setCalculatedReal(value);
}

void ModuleCopy::updateTitle() {
    if (m_def.titleFields.empty())
        return;
    std::string title;
    for (const std::string& name : m_def.titleFields) {
        const std::string part = text(name);
        if (part.empty())
            continue;
        if (!title.empty())
            title += ' ';
        title += part;
    }
    m_title = title;
}

CopyBlob ModuleCopy::snapshot() const {
    CopyBlob blob;
    blob.copyNumber = m_copyNumber;
    blob.parentForm = m_parentForm;
    blob.parentNumber = m_parentNumber;
    blob.copyFlags = m_flags & ~CF_OPEN; // being open in a window is no part of the data
    blob.title = m_title;
    for (const auto& f : m_fields) {
        const unsigned changing = f->flags() & ~f->def().flags;
        if (f->isEmpty() && changing == 0)
            continue;
        SavedValue v;
        v.number = f->GetFieldNumber();
        v.type = f->type();
        v.flags = changing;
        v.integer = f->integer();
        v.real = f->real();
        v.text = f->text();
        blob.values.push_back(std::move(v));
    }
    return blob;
}

void ModuleCopy::restore(const CopyBlob& blob, const std::function<int(int)>& numberOf,
                         bool imported) {
    if (!imported) {
        for (auto& f : m_fields)
            f->clear();
        m_title = blob.title;
    }
    for (const SavedValue& v : blob.values) {
        const int number = numberOf(v.number);
        if (number < 1 || std::size_t(number) > m_fields.size())
            continue;
        ModuleField& f = *m_fields[std::size_t(number - 1)];
        if (f.type() != v.type || (imported && !f.def().carryForward))
            continue;
        f.restore(v.integer, v.real, v.text, imported ? (v.flags | FF_IMPORTED) : v.flags);
    }
    if (imported) {
        m_flags |= CF_IMPORTED;
    } else {
        m_flags = (blob.copyFlags & ~CF_OPEN) | m_def.copyFlags;
        if (m_def.required)
            m_flags |= CF_REQUIRED;
    }
}

int ModuleCopy::GetOrdinal() {
    return m_manager.ordinalOf(*this);
}

CFormCopy* ModuleCopy::GetParentCopy() {
    return m_parentNumber > 0 ? m_manager.resolveCopy(m_parentForm, m_parentNumber) : nullptr;
}

void ModuleCopy::SetParentCopy(CFormCopy* parent, int) {
    m_manager.markChanged();
    if (!parent || !parent->GetFormManager()) {
        setParent({}, 0);
        return;
    }
    char name[QV_NAME_SIZE];
    parent->GetFormManager()->GetFormName(name, sizeof name, parent->GetFormIndex());
    setParent(name, parent->GetCopyNumber());
}

int ModuleCopy::GetDataSize() {
    return int(writeCopyBlob(snapshot()).size());
}

int ModuleCopy::GetData(void* buffer, int size) {
    const std::string bytes = writeCopyBlob(snapshot());
    if (!buffer || size < int(bytes.size()))
        return 0;
    std::memcpy(buffer, bytes.data(), bytes.size());
    return int(bytes.size());
}

int ModuleCopy::SetData(const void* data, int size) {
    CopyBlob blob;
    if (!readCopyBlob(data, size, blob) || blob.copyNumber > 999 ||
        m_manager.copyNumberTaken(m_form, blob.copyNumber, this))
        return 0;
    m_copyNumber = blob.copyNumber;
    setParent(blob.parentForm, blob.parentNumber);
    restore(
        blob, [](int n) { return n; }, false);
    m_manager.markChanged();
    return 1;
}

void ModuleCopy::SetCopyFlag(unsigned mask, int on) {
    m_flags = on ? (m_flags | mask) : (m_flags & ~mask);
}

CField* ModuleCopy::GetField(int number) {
    if (number < 1 || std::size_t(number) > m_fields.size())
        return nullptr;
    return m_fields[std::size_t(number - 1)].get();
}

int ModuleCopy::GetCopyTitle(char* buffer, int size) {
    return putText(buffer, size, m_title);
}

void ModuleCopy::Prepare() {
    m_manager.recalculate();
    if (m_def.prepare)
        m_manager.prepareCopy(*this);
}

void ModuleCopy::SelectOption(int fieldNumber) {
    ModuleField* chosen = static_cast<ModuleField*>(GetField(fieldNumber));
    if (!chosen || chosen->type() != FT_OPTION)
        return;
    const int group = chosen->def().optionGroup;
    for (auto& f : m_fields) {
        if (f.get() != chosen && f->type() == FT_OPTION && group != 0 &&
            f->def().optionGroup == group)
            f->SetChecked(0);
    }
    chosen->SetChecked(1);
}

int ModuleCopy::GetOptionGroup(int fieldNumber) {
    const ModuleField* f = static_cast<ModuleField*>(GetField(fieldNumber));
    return f && f->type() == FT_OPTION ? f->def().optionGroup : 0;
}

CFormManager* ModuleCopy::GetFormManager() {
    return &m_manager;
}

} // namespace qv
