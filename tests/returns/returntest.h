#pragma once

#include "forms/detailsstorehost.h"
#include "forms/historylist.h"
#include "interview/pagestack.h"
#include "modules/modulelist.h"
#include "modules/taxmodule.h"
#include "platform/messagebox.h"
#include "platform/profile.h"
#include "storage/memdatafile.h"
#include "storage/taxdoc.h"
#include "testenv.h"

#include <quorva/field.h>
#include <quorva/formcopy.h>
#include <quorva/formmanager.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <initializer_list>
#include <memory>
#include <string>
#include <sys/wait.h>
#include <vector>

// The return document on the reference modules, as the program holds it: one return file, the
// module list, the history list and the page stack. The previous run ended cleanly unless a
// test says otherwise before SetUp.
class ReturnTest : public ::testing::Test {
protected:
    void SetUp() override { load({"IL"}); }
    void TearDown() override {
        doc.reset();
        modules.UnloadAll();
    }

    void load(std::initializer_list<const char*> registered) {
        for (const char* state : registered)
            pf::Profile::app().writeString("Modules", state, "1");
        if (!pf::Profile::app().has("DATA", "CLOSED"))
            pf::Profile::app().writeInt("DATA", "CLOSED", 1);
        store = std::make_unique<CDetailsStoreHost>(modules, file);
        modules.setDetailsStore(store.get());
        modules.setReturnFile(&file);
        ASSERT_EQ(1, modules.LoadModules());
        doc = std::make_unique<CTaxDoc>(modules, file, history, pages);
    }

    static std::string at(const std::string& name) { return qvtest::env().root + name; }

    CFormManager* federal() const { return modules.federal()->formManager(); }
    CTaxModule* il() const { return modules.FindByName("IL"); }

    // Field NAME of copy `ordinal` of FORM in the module the form belongs to.
    CField* field(const std::string& form, int ordinal, const std::string& name) const {
        CTaxModule* module = modules.FindByFormName(form);
        CFormManager* fm = module->formManager();
        const int kind = fm->FindForm(form.c_str());
        CFormCopy* copy = fm->GetFormCopy(kind, ordinal);
        const int number = fm->FindField(kind, name.c_str(), 0);
        return copy && number ? copy->GetField(number) : nullptr;
    }
    void setText(const std::string& form, int ordinal, const std::string& name,
                 const std::string& value) const {
        CField* f = field(form, ordinal, name);
        ASSERT_NE(nullptr, f) << form << "." << name;
        f->SetText(value.c_str());
        f->SetFlag(FF_HASVALUE | FF_ENTERED, 1);
        f->GetCopy()->SetCopyFlag(CF_CHANGED, 1);
        f->Refresh();
    }
    void setMoney(const std::string& form, int ordinal, const std::string& name,
                  std::int64_t cents) const {
        CField* f = field(form, ordinal, name);
        ASSERT_NE(nullptr, f) << form << "." << name;
        f->SetMoney(cents);
        f->SetFlag(FF_HASVALUE | FF_ENTERED, 1);
        f->GetCopy()->SetCopyFlag(CF_CHANGED, 1);
        f->Refresh();
    }
    std::string text(const std::string& form, int ordinal, const std::string& name) const {
        CField* f = field(form, ordinal, name);
        if (!f)
            return "<no field>";
        char buffer[256] = {};
        f->GetText(buffer, sizeof buffer);
        return buffer;
    }
    CFormCopy* addCopy(const std::string& form) const {
        CFormManager* fm = modules.FindByFormName(form)->formManager();
        return fm->AddFormCopy(fm->FindForm(form.c_str()), 1, 0);
    }
    int copies(const std::string& form) const {
        CFormManager* fm = modules.FindByFormName(form)->formManager();
        return fm->GetCopyCount(fm->FindForm(form.c_str()));
    }

    // A return saved under `name` holding a W-2 from `employer`.
    std::string savedReturn(const std::string& name, const std::string& employer) {
        EXPECT_TRUE(doc->OnNewDocument());
        addCopy("USDW2");
        setText("USDW2", 1, "EMPLOYER", employer);
        const std::string path = at(name);
        EXPECT_TRUE(doc->DoSave(path));
        return path;
    }

    // The entry names of a return file, in file order, as qvdat lists them.
    static std::vector<std::string> listed(const std::string& path) {
        const std::string out = at("qvdat.out");
        const std::string cmd =
            "'" + qvtest::binDir() + "qvdat' list '" + path + "' >'" + out + "'";
        EXPECT_EQ(0, std::system(cmd.c_str()));
        std::vector<std::string> names;
        const std::string listing = qvtest::readFile(out);
        std::size_t start = 0;
        while (start < listing.size()) {
            const std::size_t end = listing.find('\n', start);
            const std::string line = listing.substr(start, end - start);
            names.push_back(line.substr(0, line.find('\t')));
            if (end == std::string::npos)
                break;
            start = end + 1;
        }
        return names;
    }

    CMemDataFile file;
    CModuleList modules;
    std::unique_ptr<CDetailsStoreHost> store;
    qv::HistoryList history;
    qv::PageStack pages;
    std::unique_ptr<CTaxDoc> doc;
};
