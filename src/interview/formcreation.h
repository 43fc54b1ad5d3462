#pragma once

#include "interview/question.h"

#include <string>

class CMemDataFile;
struct CFormCopy;
struct CFormManager;

namespace qv {
class ModuleSet;
}

// Which form kinds may be created where, and the creation of root and child copies. A child
// kind (a depreciation worksheet, a W-2 continuation) is only ever made under a parent copy
// of an allowed kind.
class FormCreation final {
public:
    static bool IsChildKind(const std::string& form);
    static bool IsParentKind(const std::string& form);
    // Both kinds differ, the child is a child kind, the parent a parent kind, and the pair is
    // one of the allowed ones.
    static bool IsAllowedPair(const std::string& child, const std::string& parent);

    // A new copy of a root kind; null for index 0 or a child kind.
    static CFormCopy* CreateRootForm(CFormManager* fm, int formIndex);
    // A new child copy attached to `parent`, which is marked as holding entries; null when
    // any piece is missing, the pair is not allowed or spawnType is below 1.
    static CFormCopy* CreateChildForm(CFormManager* fm, CFormCopy* parent, int spawnType,
                                      int childIndex);

    // Deletes the copy a page asked to delete, with its line-item details in `returnFile`
    // (may be null). True when a copy was deleted.
    static bool DeleteCopy(const qv::ModuleSet& modules, CMemDataFile* returnFile,
                           const CopyContext& context);
};

// Finds or makes the form copy a question works on, from its form field "FORM,SPEC" (SPEC
// one of NEWCOPY, CURRENTCOPY, FIRSTCOPY, REVIEWCOPY or an ordinal), and sets the view's
// copy context to it.
class FormSetup final {
public:
    explicit FormSetup(const qv::ModuleSet& modules) : m_modules(modules) {}

    // `pending` is the copy a page command chose, or null. False when a copy had to be made
    // and could not be; the view's context is then unchanged.
    bool SetUpFormRec(const Question& q, CopyContext& view, const CopyContext* pending = nullptr);

    static const char* copyLimitMessage();

private:
    bool ChildCopy(CFormManager* fm, CFormCopy* parent, int parentForm, int form,
                   const std::string& spec, int position, int& copyNumber);
    bool RootCopy(CFormManager* fm, int form, const std::string& spec, int position,
                  int& copyNumber);
    void CreationFailed(int position, CFormManager* fm, int form, const char* prefix);

    const qv::ModuleSet& m_modules;
};
