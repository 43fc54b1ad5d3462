#pragma once

#include "forms/detailsstorehost.h"
#include "interview/modulelistset.h"
#include "modules/modulelist.h"
#include "modules/taxmodule.h"
#include "platform/profile.h"
#include "storage/memdatafile.h"

#include <quorva/field.h>
#include <quorva/formcopy.h>
#include <quorva/formmanager.h>

#include <gtest/gtest.h>

#include <memory>
#include <string>

// A small return on the reference modules: the federal module and Illinois (registered and
// loaded from the test's program directory), seen through the interview's module set.
class ReferenceReturnTest : public ::testing::Test {
protected:
    void loadModules() {
        pf::Profile::app().writeString("Modules", "IL", "1");
        store = std::make_unique<CDetailsStoreHost>(modules, returnFile);
        modules.setDetailsStore(store.get());
        modules.setReturnFile(&returnFile);
        ASSERT_EQ(1, modules.LoadModules());
        set = std::make_unique<qv::ModuleListSet>(modules);
        fed = modules.federal()->formManager();
        ASSERT_NE(nullptr, fed);
    }
    void TearDown() override { modules.UnloadAll(); }

    int form(const char* name) { return fed->FindForm(name); }
    CFormCopy* copy(const char* formName, int ordinal) {
        return fed->GetFormCopy(form(formName), ordinal);
    }
    CField* field(const char* formName, int ordinal, const char* fieldName) {
        CFormCopy* c = copy(formName, ordinal);
        return c ? c->GetField(fed->FindField(form(formName), fieldName, 0)) : nullptr;
    }
    void check(const char* formName, int ordinal, const char* fieldName) {
        CField* f = field(formName, ordinal, fieldName);
        ASSERT_NE(nullptr, f) << formName << "." << fieldName;
        f->SetChecked(1);
        f->Refresh();
    }

    CMemDataFile returnFile;
    CModuleList modules;
    std::unique_ptr<CDetailsStoreHost> store;
    std::unique_ptr<qv::ModuleListSet> set;
    CFormManager* fed = nullptr;
};
