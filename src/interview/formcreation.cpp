#include "interview/formcreation.h"

#include "interview/moduleset.h"
#include "platform/messagebox.h"
#include "storage/memdatafile.h"

#include <quorva/formcopy.h>
#include <quorva/formmanager.h>

#include <algorithm>
#include <cstdio>
#include <initializer_list>
#include <string_view>
#include <vector>

namespace {

struct Pair {
    std::string_view child;
    std::vector<std::string_view> parents;
};

constexpr std::string_view kChildKinds[] = {
    "USF4562",       "USF6198",    "USWSGR",      "USF8829",     "USDW2C",       "USWLISTED",
    "USDBUSASSDEPR", "USWACRS",    "USWAMORT",    "USWDEPR",     "USW4562P2",    "USWVACHM",
    "USD1099MISC",   "USW8814CGD", "USSCHCSTEMP", "USWSEHEALTH", "USWCOVERDELL", "USW4562AM"};

constexpr std::string_view kParentKinds[] = {
    "USDPARTK1", "USD1099R", "USSCHCSTEMP", "USDSCORPK1", "USDW2",   "USWDEPR", "USF4562", "USSCHA",
    "USSCHEP1",  "USSCHC",   "USDRRB1099R", "USF2106",    "USF4835", "USF8814", "USSCHF"};

const std::vector<Pair>& Pairs() {
    static const std::vector<Pair> pairs = {
        {"USF4562",
         {"USDPARTK1", "USSCHCSTEMP", "USDSCORPK1", "USSCHA", "USSCHEP1", "USSCHC", "USF2106",
          "USF4835", "USSCHF"}},
        {"USF6198",
         {"USDPARTK1", "USSCHCSTEMP", "USDSCORPK1", "USSCHEP1", "USSCHC", "USF4835", "USSCHF"}},
        {"USWCOVERDELL", {"USD1099R"}},
        {"USWSGR", {"USD1099R", "USDRRB1099R"}},
        {"USF8829", {"USSCHCSTEMP", "USSCHC"}},
        {"USWSEHEALTH", {"USDPARTK1", "USDSCORPK1", "USSCHC", "USSCHF"}},
        {"USDW2C", {"USDW2"}},
        {"USWVACHM", {"USSCHEP1"}},
        {"USD1099MISC", {"USSCHC"}},
        {"USW8814CGD", {"USF8814"}},
        {"USW4562AM", {"USF4562"}},
        {"USSCHCSTEMP", {"USDW2"}},
        {"USWLISTED", {"USWDEPR"}},
        {"USDBUSASSDEPR", {"USWDEPR"}},
        {"USWACRS", {"USF4562"}},
        {"USWAMORT", {"USF4562"}},
        {"USWDEPR", {"USF4562"}},
        {"USW4562P2", {"USF4562"}},
    };
    return pairs;
}

std::string Upper(std::string s) {
    for (char& c : s) {
        if (c >= 'a' && c <= 'z')
            c = char(c - 'a' + 'A');
    }
    return s;
}

template <std::size_t N>
bool InList(const std::string_view (&list)[N], const std::string& name) {
    return std::find(std::begin(list), std::end(list), name) != std::end(list);
}

std::string FormName(CFormManager* fm, int form) {
    char buffer[QV_NAME_SIZE] = {};
    fm->GetFormName(buffer, sizeof buffer, form);
    buffer[sizeof buffer - 1] = '\0';
    return buffer;
}

int CopyNumberOf(CFormCopy* copy) {
    return copy ? copy->GetCopyNumber() : 0;
}

int LeadingNumber(const std::string& s) {
    long long v = 0;
    for (char c : s) {
        if (c < '0' || c > '9')
            break;
        v = std::min<long long>(v * 10 + (c - '0'), 0x7FFFFFFF);
    }
    return int(v);
}

} // namespace

bool FormCreation::IsChildKind(const std::string& form) {
    return InList(kChildKinds, Upper(form));
}

bool FormCreation::IsParentKind(const std::string& form) {
    return InList(kParentKinds, Upper(form));
}

bool FormCreation::IsAllowedPair(const std::string& child, const std::string& parent) {
    const std::string c = Upper(child);
    const std::string p = Upper(parent);
    if (c == p || !IsChildKind(c) || !IsParentKind(p))
        return false;
    for (const Pair& pair : Pairs()) {
        if (pair.child == c)
            return std::find(pair.parents.begin(), pair.parents.end(), p) != pair.parents.end();
    }
    return false;
}

CFormCopy* FormCreation::CreateRootForm(CFormManager* fm, int formIndex) {
    if (!fm || formIndex == 0 || IsChildKind(FormName(fm, formIndex)))
        return nullptr;
    return fm->AddFormCopy(formIndex, 1, 0);
}

CFormCopy* FormCreation::CreateChildForm(CFormManager* fm, CFormCopy* parent, int spawnType,
                                         int childIndex) {
    if (!fm || childIndex == 0 || !parent || spawnType < 1)
        return nullptr;
    if (!IsAllowedPair(FormName(fm, childIndex), FormName(fm, parent->GetFormIndex())))
        return nullptr;
    CFormCopy* child = fm->AddFormCopy(childIndex, 1, 0);
    if (!child)
        return nullptr;
    child->SetParentCopy(parent, 1);
    parent->SetCopyFlag(CF_CHANGED, 1);
    return child;
}

bool FormCreation::DeleteCopy(const qv::ModuleSet& modules, CMemDataFile* returnFile,
                              const CopyContext& context) {
    CFormManager* fm = modules.FormManager(context.module);
    CFormCopy* copy = fm ? fm->FindFormCopy(context.form, context.copy) : nullptr;
    if (!copy)
        return false;
    if (returnFile) {
        const std::string module = modules.Code(context.module);
        const std::string form = FormName(fm, context.form);
        for (const char* kind : {"DL", "DN"}) {
            char prefix[160];
            std::snprintf(prefix, sizeof prefix, "%s_%s_%s_%03d", kind, module.c_str(),
                          form.c_str(), int(context.copy));
            const std::string wanted = Upper(prefix);
            for (int i = returnFile->GetCount() - 1; i >= 0; --i) {
                std::string name;
                if (returnFile->GetName(i, name) && Upper(name).rfind(wanted, 0) == 0)
                    returnFile->Remove(name);
            }
        }
    }
    return fm->DeleteFormCopy(copy) != 0;
}

const char* FormSetup::copyLimitMessage() {
    return "You have entered the maximum number of copies for this form.\r\n"
           "Quorva will display the first copy of this form for you to review.";
}

void FormSetup::CreationFailed(int position, CFormManager* fm, int form, const char* prefix) {
    char title[QV_TITLE_SIZE] = {};
    fm->GetFormTitle(title, sizeof title, form);
    title[sizeof title - 1] = '\0';
    pf::messageBox(std::string(prefix) + "Unable to create and open form " +
                       m_modules.Title(position) + " " + title,
                   pf::MB_OK | pf::MB_ICONWARNING);
}

bool FormSetup::ChildCopy(CFormManager* fm, CFormCopy* parent, int parentForm, int form,
                          const std::string& spec, int position, int& copyNumber) {
    const int limit = fm->GetMaxChildCopies(parentForm, form);
    const int count = fm->GetChildCopyCount(parent, form);
    auto create = [&](const char* prefix) {
        CFormCopy* child = FormCreation::CreateChildForm(fm, parent, 1, form);
        if (!child) {
            CreationFailed(position, fm, form, prefix);
            return false;
        }
        copyNumber = child->GetCopyNumber();
        return true;
    };
    if (spec.find("NEWCOPY") != std::string::npos) {
        if (limit == 1 && count > 0) {
            copyNumber = CopyNumberOf(fm->GetChildCopy(parent, form, 1));
        } else if (count >= limit) {
            copyNumber = CopyNumberOf(fm->GetChildCopy(parent, form, 1));
            pf::messageBox(copyLimitMessage(), pf::MB_OK | pf::MB_ICONWARNING);
        } else {
            return create("");
        }
    } else if (spec == "FIRSTCOPY") {
        copyNumber = CopyNumberOf(fm->GetFormCopy(form, 1));
    } else if (spec.find("CURRENTCOPY") != std::string::npos) {
        if (count == 0)
            return create("SetUpFormRec - ");
        copyNumber = count == 1 ? CopyNumberOf(fm->GetChildCopy(parent, form, 1)) : 0;
    } else {
        CFormCopy* nth = fm->GetChildCopy(parent, form, LeadingNumber(spec));
        if (nth)
            copyNumber = nth->GetCopyNumber();
        else if (count < limit)
            return create("");
        else
            copyNumber = 0;
    }
    return true;
}

bool FormSetup::RootCopy(CFormManager* fm, int form, const std::string& spec, int position,
                         int& copyNumber) {
    auto create = [&] {
        CFormCopy* copy = FormCreation::CreateRootForm(fm, form);
        if (!copy) {
            CreationFailed(position, fm, form, "");
            return false;
        }
        copyNumber = copy->GetCopyNumber();
        return true;
    };
    if (spec.find("NEWCOPY") != std::string::npos) {
        CFormCopy* first = fm->GetFormCopy(form, 1);
        const int limit = fm->GetMaxCopies(form);
        if (limit == 1 && first) {
            copyNumber = first->GetCopyNumber();
        } else if (fm->GetCopyCount(form) >= limit) {
            copyNumber = CopyNumberOf(first);
            pf::messageBox(copyLimitMessage(), pf::MB_OK | pf::MB_ICONWARNING);
        } else {
            return create();
        }
    } else if (spec == "FIRSTCOPY" || spec == "REVIEWCOPY") {
        copyNumber = CopyNumberOf(fm->GetFormCopy(form, 1));
    } else {
        CFormCopy* nth = fm->GetFormCopy(form, LeadingNumber(spec));
        if (nth)
            copyNumber = nth->GetCopyNumber();
        else
            return create();
    }
    return true;
}

bool FormSetup::SetUpFormRec(const Question& q, CopyContext& view, const CopyContext* pending) {
    const std::size_t comma = q.form.find(',');
    const std::string form = Upper(q.form.substr(0, comma));
    std::string spec = comma == std::string::npos ? std::string() : Upper(q.form.substr(comma + 1));

    if (q.copyContext.module && q.copyContext.form) {
        CFormManager* fm = m_modules.FormManager(q.copyContext.module);
        if (!fm)
            return false;
        CopyContext next = q.copyContext;
        if (next.copy == 0 || !fm->FindFormCopy(next.form, next.copy)) {
            int copyNumber = 0;
            if (!RootCopy(fm, next.form, "NEWCOPY", next.module, copyNumber))
                return false;
            next.copy = std::uint16_t(copyNumber);
        }
        view = next;
        return true;
    }
    if (form.empty()) {
        view = CopyContext();
        return true;
    }
    if (spec.empty())
        spec = "CURRENTCOPY";
    const int position = m_modules.Find(qv::ModuleCodeOf(form));
    CFormManager* fm = position ? m_modules.FormManager(position) : nullptr;
    const int formIndex = fm ? fm->FindForm(form.c_str()) : 0;
    if (!formIndex) {
        view = CopyContext{std::uint8_t(position), 0, 0};
        return true;
    }
    int copyNumber = 0;
    const bool sameModule = position == view.module && view.form != 0;
    if (sameModule && formIndex != view.form && fm->GetFormRelation(view.form, formIndex)) {
        CFormCopy* parent = fm->FindFormCopy(view.form, view.copy);
        if (!ChildCopy(fm, parent, view.form, formIndex, spec, position, copyNumber))
            return false;
    } else if (spec.find("CURRENTCOPY") != std::string::npos &&
               spec.find("NEWCOPY") == std::string::npos) {
        if (sameModule && formIndex != view.form) {
            // An unrelated form of the same module: the copy a page command chose, if any.
            if (!pending)
                return true;
            copyNumber = pending->copy;
        } else {
            copyNumber = view.copy;
        }
    } else if (!RootCopy(fm, formIndex, spec, position, copyNumber)) {
        return false;
    }
    view = CopyContext{std::uint8_t(position), std::uint16_t(formIndex), std::uint16_t(copyNumber)};
    return true;
}
