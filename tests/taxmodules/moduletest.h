#pragma once

#include "testenv.h"

#include "platform/library.h"

#include <quorva/field.h>
#include <quorva/formcopy.h>
#include <quorva/formmanager.h>
#include <quorva/printmanager.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

// Loads the built module libraries as the program does and drives them only through their
// exported creators and the interface slots.
class TaxModuleTest : public ::testing::Test {
protected:
    void TearDown() override {
        for (CPrintManager* pm : m_pms)
            pm->Release();
        for (CFormManager* fm : m_fms)
            fm->Release();
        for (pf::Library* lib : m_libs)
            lib->release();
        m_pms.clear();
        m_fms.clear();
        m_libs.clear();
        fed = il = nullptr;
    }

    pf::Library* library(const std::string& file) {
        std::string error;
        pf::Library* lib = pf::Library::load(qvtest::buildProgDir() + file, &error);
        EXPECT_NE(lib, nullptr) << file << ": " << error;
        if (lib)
            m_libs.push_back(lib);
        return lib;
    }

    // A form manager past Initialize and, for the federal module, CreateDefaultForms.
    CFormManager* formManager(const std::string& file) {
        pf::Library* lib = library(file);
        auto create =
            lib ? reinterpret_cast<CreateFormManagerProc>(lib->resolve("CreateFormManager"))
                : nullptr;
        if (!create) {
            ADD_FAILURE() << file << " exports no CreateFormManager";
            return nullptr;
        }
        CFormManager* fm = create();
        m_fms.push_back(fm);
        EXPECT_NE(fm->Initialize(), 0);
        if (fm->IsFederal()) {
            EXPECT_NE(fm->CreateDefaultForms(), 0);
        }
        return fm;
    }

    CPrintManager* printManager(const std::string& file, CFormManager* fm) {
        pf::Library* lib = library(file);
        auto create =
            lib ? reinterpret_cast<CreatePrintManagerProc>(lib->resolve("CreatePrintManager"))
                : nullptr;
        if (!create) {
            ADD_FAILURE() << file << " exports no CreatePrintManager";
            return nullptr;
        }
        CPrintManager* pm = create();
        m_pms.push_back(pm);
        EXPECT_NE(pm->Initialize(), 0);
        pm->AttachFormManager(fm);
        return pm;
    }

    // Federal and Illinois loaded and linked the way the module bridge links them.
    void loadFederalAndIllinois() {
        fed = formManager("FEDCALC.so");
        il = formManager("ILCALC.so");
        ASSERT_TRUE(fed && il);
        il->AttachFederal(fed);
        il->CreateDefaultForms();
        fed->LinkStateModule(il);
    }

    static CField* field(CFormManager* fm, const char* form, int ordinal, const char* name,
                         int element = 0) {
        const int f = fm->FindForm(form);
        CFormCopy* copy = fm->GetFormCopy(f, ordinal);
        const int number = fm->FindField(f, name, element);
        return copy && number ? copy->GetField(number) : nullptr;
    }
    static CFormCopy* newCopy(CFormManager* fm, const char* form) {
        return fm->AddFormCopy(fm->FindForm(form), 1, 0);
    }
    static CField* field(CFormCopy* copy, const char* name) {
        CFormManager* fm = copy->GetFormManager();
        return copy->GetField(fm->FindField(copy->GetFormIndex(), name, 0));
    }

    // What the program does after the user typed a value: store, mark entered, refresh.
    static void enterMoney(CField* f, std::int64_t cents) {
        ASSERT_NE(f, nullptr);
        f->SetMoney(cents);
        f->SetFlag(FF_HASVALUE | FF_ENTERED, 1);
        f->Refresh();
    }
    static void enterText(CField* f, const char* text) {
        ASSERT_NE(f, nullptr);
        f->SetText(text);
        f->SetFlag(FF_HASVALUE | FF_ENTERED, 1);
        f->Refresh();
    }
    static void enterCheck(CField* f, int on) {
        ASSERT_NE(f, nullptr);
        f->SetChecked(on);
        f->SetFlag(FF_HASVALUE | FF_ENTERED, 1);
        f->Refresh();
    }
    static void enterChoice(CField* f, int index) {
        ASSERT_NE(f, nullptr);
        f->SetChoice(index);
        f->SetFlag(FF_HASVALUE | FF_ENTERED, 1);
        f->Refresh();
    }
    static std::int64_t money(CFormManager* fm, const char* form, const char* name) {
        CField* f = field(fm, form, 1, name);
        EXPECT_NE(f, nullptr) << form << "." << name;
        return f ? f->GetMoney() : 0;
    }

    template <int N = QV_LONGTEXT_SIZE, class Get>
    static std::string text(Get get) {
        char buf[N];
        get(buf, N);
        return buf;
    }

    CFormManager* fed = nullptr;
    CFormManager* il = nullptr;

private:
    std::vector<pf::Library*> m_libs;
    std::vector<CFormManager*> m_fms;
    std::vector<CPrintManager*> m_pms;
};
