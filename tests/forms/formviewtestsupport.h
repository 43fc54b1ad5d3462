#pragma once

#include "../modules/moduletestsupport.h"

#include "forms/formlayout.h"
#include "forms/formpagewnd.h"
#include "modules/taxmodule.h"
#include "platform/dctypes.h"
#include "platform/messagebox.h"
#include "storage/memdatafile.h"
#include "testenv.h"

#include <quorva/field.h>
#include <quorva/formcopy.h>
#include <quorva/formmanager.h>

#include "forms/fieldedit.h"
#include <QApplication>
#include <QScrollBar>
#include <QTest>

#include <filesystem>
#include <map>
#include <memory>
#include <string>
#include <vector>

namespace fvtest {

using qv::LayoutRecord;

inline LayoutRecord header(int height = -15840, int width = 12240) {
    LayoutRecord r;
    r.kind = qv::LK_HEADER;
    r.pageHeight = height;
    r.pageWidth = width;
    r.bgColor = pf::RGB(239, 231, 214);
    r.textColor = pf::RGB(0, 0, 0);
    r.font = {0, 8, 0, 4};
    return r;
}

inline LayoutRecord text(const std::string& s, int top, int left, int width = 2880,
                         qv::LayoutFont font = {0, 8, 0, 4}) {
    LayoutRecord r;
    r.kind = qv::LK_TEXT;
    r.text = s;
    r.box = {top, left, -240, width};
    r.font = font;
    return r;
}

inline LayoutRecord entry(const std::string& name, int control, int top, int left, int width = 1800,
                          unsigned flags = 0) {
    LayoutRecord r;
    r.kind = qv::LK_ENTRY;
    r.fieldName = name;
    r.controlNumber = std::uint16_t(control);
    r.box = {top, left, -300, width};
    r.layoutFlags = std::uint16_t(flags);
    return r;
}

inline LayoutRecord check(const std::string& name, int control, int top, int left) {
    LayoutRecord r;
    r.kind = qv::LK_CHECK;
    r.fieldName = name;
    r.controlNumber = std::uint16_t(control);
    r.box = {top, left, -200, 1440};
    r.label = "Check";
    return r;
}

// Module tests whose federal data file carries layouts made for the test: the program
// directory's FEDERAL.DAT is replaced by a copy holding them before the modules load.
class FormViewTest : public ModuleListTest {
protected:
    void install(const std::map<std::string, std::vector<LayoutRecord>>& layouts) {
        const std::string path = qvtest::env().progDir + "FEDERAL.DAT";
        CMemDataFile data;
        ASSERT_EQ(1, data.Open(path));
        for (const auto& [name, records] : layouts) {
            if (records.empty()) { // the form has no layout at all
                data.Remove(name);
                continue;
            }
            const std::string bytes = qv::EncodeLayout(records);
            ASSERT_EQ(1, data.Put(name, bytes.data(), std::uint32_t(bytes.size())));
        }
        data.Close(false);
        std::filesystem::remove(path);
        ASSERT_EQ(1, data.Save(path));
    }

    void start(const std::map<std::string, std::vector<LayoutRecord>>& layouts) {
        install(layouts);
        load({});
        ASSERT_EQ(1, modules.InitEmptyReturn());
        fm = modules.federal()->formManager();
    }

    int form(const char* name) { return fm->FindForm(name); }
    CField* field(CFormCopy* copy, const char* name) {
        return copy->GetField(fm->FindField(copy->GetFormIndex(), name, 0));
    }

    // A main-view page of 800 by 600 pixels on the copy, with the focus placed.
    qv::CFormPageWnd& open(const char* formName, int copy = 1) {
        m_window = std::make_unique<QWidget>();
        m_window->resize(800, 600);
        page = new qv::CFormPageWnd(modules, m_window.get());
        page->resize(800, 600);
        page->onMarkModified = [this] { ++modifiedMarks; };
        m_window->show();
        m_window->activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(m_window.get()));
        qv::FieldRef ref{1, std::uint16_t(form(formName)), std::uint16_t(copy), 0};
        page->OpenCopy(ref);
        QApplication::processEvents(); // the posted UM_GOTO_FIELD
        return *page;
    }

    // The centre of a record's box in viewport pixels.
    QPoint centre(int control) const {
        const LayoutRecord* r = page->recordOf(control);
        const qv::LayoutBounds b = qv::Normalize(r->box);
        const int x = (b.left + b.right) / 2, y = (b.top + b.bottom) / 2;
        return {(x + 125) / 15 - page->horizontalScrollBar()->value(),
                (500 - y) / 15 - page->verticalScrollBar()->value()};
    }

    void key(int k, Qt::KeyboardModifiers mods = Qt::NoModifier) {
        QWidget* target = page->editor()->isVisibleTo(page->viewport())
                              ? static_cast<QWidget*>(page->editor())
                              : static_cast<QWidget*>(page);
        QTest::keyClick(target, Qt::Key(k), mods);
    }
    void clickAt(int control) {
        QTest::mouseClick(page->viewport(), Qt::LeftButton, Qt::NoModifier, centre(control));
    }
    void type(const char* s) {
        page->editor()->selectAll();
        QTest::keyClicks(page->editor(), QString::fromLatin1(s));
    }

    void TearDown() override {
        m_window.reset();
        ModuleListTest::TearDown();
    }

    CFormManager* fm = nullptr;
    qv::CFormPageWnd* page = nullptr;
    int modifiedMarks = 0;

private:
    std::unique_ptr<QWidget> m_window;
};

} // namespace fvtest
