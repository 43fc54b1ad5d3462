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

#include <cstdint>
#include <memory>
#include <string>

// A return on the reference modules (federal, with Illinois registered but inactive) for the
// pages that read and edit it.
class PageReturnTest : public ::testing::Test {
protected:
    void SetUp() override {
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
    CFormCopy* addCopy(const char* formName) { return fed->AddFormCopy(form(formName), 1, 0); }
    CField* field(CFormCopy* c, const char* fieldName) {
        return c ? c->GetField(fed->FindField(c->GetFormIndex(), fieldName, 0)) : nullptr;
    }
    CField* field(const char* formName, int ordinal, const char* fieldName) {
        return field(copy(formName, ordinal), fieldName);
    }
    // As if the user had entered it.
    void enter(CField* f, const std::string& text) {
        ASSERT_NE(nullptr, f);
        f->SetText(text.c_str());
        f->SetFlag(FF_HASVALUE | FF_ENTERED, 1);
        f->GetCopy()->SetCopyFlag(CF_CHANGED, 1);
        f->Refresh();
    }
    void enterMoney(CField* f, std::int64_t cents) {
        ASSERT_NE(nullptr, f);
        f->SetMoney(cents);
        f->SetFlag(FF_HASVALUE | FF_ENTERED, 1);
        f->GetCopy()->SetCopyFlag(CF_CHANGED, 1);
        f->Refresh();
    }

    CMemDataFile returnFile;
    CModuleList modules;
    std::unique_ptr<CDetailsStoreHost> store;
    std::unique_ptr<qv::ModuleListSet> set;
    CFormManager* fed = nullptr;
};
