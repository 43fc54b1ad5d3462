#include "formviewtestsupport.h"

#include "app/formviewhost.h"
#include "app/mainframe.h"
#include "app/money.h"
#include "app/taxapp.h"
#include "forms/formsview.h"
#include "forms/formtoolbar.h"
#include "forms/historylist.h"
#include "forms/refundindicator.h"

#include <QToolButton>

namespace {

using namespace fvtest;
using qv::CTaxApp;

TEST(FormViewInTheMainWindow, StartsOnForm1040WithItsToolbarAndEditCommands) {
    CTaxApp app;
    ASSERT_TRUE(app.InitInstance(CTaxApp::parseArguments(QStringList{"quorva02"})));
    QApplication::processEvents();
    qv::FormViewHost* forms = app.forms();
    ASSERT_NE(nullptr, forms->view());
    EXPECT_EQ(forms->view(), app.mainFrame()->mainView());
    CFormManager* fm = app.modules().federal()->formManager();
    const qv::FieldRef ref = forms->view()->fieldRef();
    EXPECT_EQ(fm->FindForm("USF1040"), ref.form);
    EXPECT_EQ(1, ref.copy);
    EXPECT_EQ("Federal Form 1040", forms->toolbar()->caption().toStdString());
    EXPECT_TRUE(forms->toolbar()->isVisible());
    // The first box holds the editor: Paste is on, Copy needs a selection.
    qv::CommandTable& commands = app.mainFrame()->commands();
    EXPECT_TRUE(commands.isEnabled(57637));
    ASSERT_EQ(1u, app.history().size());
    // The entry follows the box with the focus.
    qv::FieldRef visited = ref;
    visited.field = std::uint16_t(forms->view()->page()->currentField()->GetFieldNumber());
    EXPECT_EQ(visited, app.history().at(0).ref);

    // A W-2 copy 0 is made and shown; the history records the visit.
    const int w2 = fm->FindForm("USDW2");
    const int before = fm->GetCopyCount(w2);
    ASSERT_TRUE(forms->OpenForm({1, std::uint16_t(w2), 0, 0}));
    EXPECT_EQ(before + 1, fm->GetCopyCount(w2));
    EXPECT_EQ(w2, forms->view()->fieldRef().form);
    EXPECT_EQ(2u, app.history().size());
    EXPECT_TRUE(commands.isEnabled(qv::formcmd::IdNewCopy));

    // Closing the empty W-2 deletes it and leaves the form view.
    EXPECT_TRUE(commands.execute(qv::formcmd::IdCloseForm));
    EXPECT_EQ(before, fm->GetCopyCount(w2));
    QApplication::processEvents();
    EXPECT_EQ(nullptr, forms->view());
    EXPECT_FALSE(forms->toolbar()->isVisible());
    app.ExitInstance();
}

// The view the toolbar asks for the module.
class ModuleAnswer final : public pf::MsgTarget {
public:
    explicit ModuleAnswer(CTaxModule* module) : m_module(module) {}
    pf::LRESULT onMessage(unsigned msg, pf::WPARAM, pf::LPARAM) override {
        return msg == pf::UM_GET_MODULE ? reinterpret_cast<pf::LRESULT>(m_module) : 0;
    }

private:
    CTaxModule* m_module;
};

TEST_F(FormViewTest, RefundIndicatorFollowsRefundOwe) {
    start({});
    CFormCopy* copy = fm->GetFormCopy(form("USF1040"), 1);
    ModuleAnswer view(modules.federal());
    qv::CFormToolbar bar;
    bar.setView(&view);
    bar.resize(1000, 36);
    bar.show();
    qv::CRefundIndicator* indicator = bar.refundIndicator();
    pf::sendMessage(&bar, pf::UM_VALUE_STORED);
    EXPECT_FALSE(indicator->showsOwed());
    EXPECT_EQ("$0.00", indicator->amountText().toStdString());

    CField* other = field(copy, "L21");
    other->SetMoney(5000000);
    other->SetFlag(FF_HASVALUE | FF_ENTERED, 1);
    other->Refresh();
    const std::int64_t owe = modules.federal()->GetFieldValue("RefundOwe");
    ASSERT_LT(owe, 0);
    pf::sendMessage(&bar, pf::UM_VALUE_STORED);
    EXPECT_TRUE(indicator->showsOwed());
    EXPECT_FALSE(indicator->refundButton()->isVisible());
    EXPECT_EQ("$" + FormatMoney(0, -owe), indicator->amountText().toStdString());
    bool federal = false;
    indicator->onSummary = [&federal](bool f) { federal = f; };
    indicator->owedButton()->click();
    EXPECT_TRUE(federal);
}

} // namespace
