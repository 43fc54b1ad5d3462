#include "forms/formsview.h"

#include "app/appsettings.h"
#include "forms/fieldedit.h"
#include "forms/fieldstore.h"
#include "forms/formpagewnd.h"
#include "forms/layoutprinter.h"
#include "modules/modulelist.h"
#include "modules/taxmodule.h"
#include "platform/appprinter.h"
#include "platform/dialogs.h"
#include "platform/document.h"

#include <quorva/field.h>
#include <quorva/formcopy.h>
#include <quorva/formmanager.h>

#include <QPrintPreviewDialog>
#include <QPrinter>

#include <algorithm>

namespace qv {
namespace {

constexpr unsigned kFrameViewCreated = 0x80D;

} // namespace

CFormsView::CFormsView(CModuleList& modules, QWidget* parent, pf::MsgTarget* frame)
    : QWidget(parent), m_modules(modules), m_frame(frame),
      m_page(new CFormPageWnd(modules, this, this, frame, true)) {
    setFocusPolicy(Qt::StrongFocus);
    if (m_frame)
        pf::sendMessage(m_frame, kFrameViewCreated);
    m_page->onMarkModified = [this] { markModified(); };
    m_page->onFieldChanged = [this](const FieldRef& ref) {
        const int index = m_page->historyIndex();
        if (m_history && index >= 0 && std::size_t(index) < m_history->size())
            m_history->at(std::size_t(index)).ref = ref;
    };
    m_page->onExit = [this] { RunCommand(formcmd::IdExitButton); };
    m_page->onOpenSupportingForm = [this] { return OpenSupportingForm(); };
    m_page->onOverridePrompt = [this](CField& field) {
        return overridePrompt ? overridePrompt(field) : 0;
    };
}

CFormsView::~CFormsView() {
    settings::writeString("DATA", "LAST VIEW OPENED", "Formview");
}

const FieldRef& CFormsView::fieldRef() const {
    return m_page->isLoaded() || m_page->copy() ? m_page->fieldRef() : m_ref;
}

CTaxModule* CFormsView::module() const {
    return m_page->module();
}

void CFormsView::setHistoryIndex(int index) {
    m_page->setHistoryIndex(index);
}

void CFormsView::InitialUpdate() {
    if (!m_hasRef) {
        m_ref = FieldRef{};
        m_ref.module = 1;
        CTaxModule* federal = m_modules.GetByNumber(1);
        if (federal && federal->formManager())
            m_ref.form = std::uint16_t(federal->formManager()->FindForm("USF1040"));
        m_ref.copy = 1;
        m_hasRef = true;
        if (m_history && federal) {
            HistoryEntry entry;
            entry.kind = HistoryEntry::FieldVisit;
            entry.title = federal->GetFormTitle(m_ref.form);
            entry.module = federal->GetModuleName();
            entry.ref = m_ref;
            const int index = m_history->add(entry);
            m_history->setIndex(index);
            m_page->setHistoryIndex(index);
        }
    }
    m_page->OpenCopy(m_ref);
    m_page->setFocus();
}

void CFormsView::Reopen(const FieldRef& ref) {
    const FieldRef& shown = m_page->fieldRef();
    if (m_page->copy() && shown.module == ref.module && shown.form == ref.form &&
        shown.copy == ref.copy) {
        // The same copy: closing it first could delete it when it holds nothing yet.
        pf::sendMessage(m_page, pf::UM_GOTO_FIELD, ref.field, ref.form);
        return;
    }
    pf::sendMessage(m_page, pf::UM_CLOSE_PAGE);
    setFieldRef(ref);
    m_page->OpenCopy(ref);
    m_page->setFocus();
}

void CFormsView::resizeEvent(QResizeEvent*) {
    m_page->setGeometry(rect());
}

void CFormsView::focusInEvent(QFocusEvent*) {
    if (m_page->editorVisible())
        m_page->editor()->isVisible() ? m_page->editor()->setFocus() : m_page->setFocus();
    else
        m_page->setFocus();
}

void CFormsView::markModified() {
    if (pf::Document* doc = document())
        doc->setModifiedFlag(true);
}

void CFormsView::reloadField(bool repaint) {
    m_page->editor()->clear();
    m_page->editor()->setModified(false);
    if (m_page->currentControl() > 0)
        m_page->FocusControl(m_page->currentControl(), false);
    if (repaint)
        m_page->viewport()->update();
}

void CFormsView::onUpdate(pf::View*, long hint) {
    if (hint == 2)
        reloadField(false);
    else if (hint == 16)
        reloadField(true);
}

pf::LRESULT CFormsView::onMessage(unsigned msg, pf::WPARAM wparam, pf::LPARAM lparam) {
    switch (msg) {
    case pf::UM_GET_FIELD_REF:
        return CFieldEdit::PackFieldRef(fieldRef());
    case CFieldEdit::kWmCommand:
        return RunCommand(int(wparam)) ? 1 : 0;
    case pf::UM_GET_MODULE:
        return reinterpret_cast<pf::LRESULT>(module());
    case pf::UM_COMMIT_FIELD:
        return pf::sendMessage(m_page, msg, wparam, lparam);
    case pf::UM_VALUE_STORED:
        // The view itself has nothing to refresh; the frame's indicators do.
        if (m_frame)
            pf::sendMessage(m_frame, pf::UM_VALUE_STORED);
        return 1;
    default:
        return 0;
    }
}

// ---- copies ------------------------------------------------------------------------------

std::vector<CFormCopy*> CFormsView::siblings(int* position) const {
    std::vector<CFormCopy*> list;
    *position = 0;
    CFormCopy* copy = m_page->copy();
    CTaxModule* mod = module();
    CFormManager* fm = mod ? mod->formManager() : nullptr;
    if (!copy || !fm)
        return list;
    const int form = m_page->fieldRef().form;
    if (CFormCopy* parent = copy->GetParentCopy()) {
        const int count = fm->GetChildCopyCount(parent, form);
        for (int i = 1; i <= count; ++i)
            list.push_back(fm->GetChildCopy(parent, form, i));
    } else {
        const int count = fm->GetCopyCount(form);
        for (int i = 1; i <= count; ++i)
            list.push_back(fm->GetFormCopy(form, i));
    }
    const auto it = std::find(list.begin(), list.end(), copy);
    *position = it == list.end() ? 0 : int(it - list.begin()) + 1;
    return list;
}

bool CFormsView::HasPreviousCopy() const {
    int position = 0;
    siblings(&position);
    return position > 1;
}

bool CFormsView::HasNextCopy() const {
    int position = 0;
    const std::vector<CFormCopy*> list = siblings(&position);
    return position > 0 && position < int(list.size());
}

bool CFormsView::openCopyAt(int delta) {
    int position = 0;
    const std::vector<CFormCopy*> list = siblings(&position);
    const int to = position + delta;
    if (position == 0 || to < 1 || to > int(list.size()) || !list[std::size_t(to - 1)])
        return false;
    FieldRef ref = m_page->fieldRef();
    ref.copy = std::uint16_t(list[std::size_t(to - 1)]->GetCopyNumber());
    ref.field = 0;
    return openForm && openForm(ref, OF_ROOT);
}

bool CFormsView::PreviousCopy() {
    return openCopyAt(-1);
}

bool CFormsView::NextCopy() {
    return openCopyAt(1);
}

bool CFormsView::CanAddCopy() const {
    CFormCopy* copy = m_page->copy();
    CTaxModule* mod = module();
    CFormManager* fm = mod ? mod->formManager() : nullptr;
    if (!copy || !fm)
        return false;
    const int form = m_page->fieldRef().form;
    if (CFormCopy* parent = copy->GetParentCopy()) {
        const int parentForm = parent->GetFormIndex();
        const int most = fm->IsMadeFromFederalParent(form)
                             ? fm->GetMaxFederalChildCopies(parentForm, form)
                             : fm->GetMaxChildCopies(parentForm, form);
        return fm->GetChildCopyCount(parent, form) < most;
    }
    return fm->GetCopyCount(form) < fm->GetMaxCopies(form);
}

bool CFormsView::NewCopy() {
    CTaxModule* mod = module();
    CFormManager* fm = mod ? mod->formManager() : nullptr;
    if (!fm || !openForm)
        return false;
    FieldRef ref = m_page->fieldRef();
    ref.copy = 0;
    ref.field = 0;
    const bool fromParents =
        fm->IsMadeFromParent(ref.form) || fm->IsMadeFromFederalParent(ref.form);
    return openForm(ref, fromParents ? OF_SIBLING : OF_ROOT);
}

bool CFormsView::OpenSupportingForm() {
    if (!chooseSupportingForm || !openForm)
        return false;
    FieldRef ref = m_page->fieldRef();
    if (CField* field = m_page->currentField())
        ref.field = std::uint16_t(field->GetFieldNumber());
    const std::optional<SupportingPick> pick = chooseSupportingForm(ref);
    if (!pick)
        return false;
    const int flags = pick->ref.copy == 0 && pick->childOfFieldCopy ? OF_CHILD : OF_ROOT;
    return openForm(pick->ref, flags);
}

bool CFormsView::PrintCopy() {
    CTaxModule* mod = module();
    CFormCopy* copy = m_page->copy();
    if (!mod || !copy)
        return false;
    CLayoutPrinter printer;
    if (!printer.load(*mod, m_page->fieldRef().form, *copy))
        return false;
    return printer.print(pf::appPrinter(), CLayoutPrinter::dateTimeSetting());
}

bool CFormsView::CloseForm() {
    if (pf::sendMessage(m_page, pf::UM_COMMIT_FIELD, 1, 1) == 0) {
        pf::sendMessage(m_page, pf::UM_MOVE_FIELD, 2);
        return false;
    }
    if (onCloseForm)
        onCloseForm();
    return true;
}

// ---- commands ----------------------------------------------------------------------------

const std::vector<int>& CFormsView::commandIds() {
    static const std::vector<int> ids = {
        formcmd::IdCopy,
        formcmd::IdCut,
        formcmd::IdPaste,
        formcmd::IdAddDetails,
        formcmd::IdAddDetailsButton,
        formcmd::IdSupportingForm,
        formcmd::IdSupportingFormButton,
        formcmd::IdOverrideField,
        formcmd::IdClearOverride,
        formcmd::IdMarkEstimate,
        formcmd::IdCalculator,
        formcmd::IdNewCopy,
        formcmd::IdPreviousCopy,
        formcmd::IdNextCopy,
        formcmd::IdPrintCopy,
        formcmd::IdPrintForm,
        formcmd::IdPrintPreview,
        formcmd::IdCloseForm,
        formcmd::IdExitButton,
        formcmd::IdFormHelp,
    };
    return ids;
}

bool CFormsView::IsCommandEnabled(int id) const {
    CField* field = m_page->currentField();
    const bool editing = m_page->editor()->isVisibleTo(m_page->viewport());
    switch (id) {
    case formcmd::IdCopy:
    case formcmd::IdCut:
        return editing && m_page->editor()->hasSelectedText();
    case formcmd::IdPaste:
        return editing;
    case formcmd::IdAddDetails:
    case formcmd::IdAddDetailsButton: {
        const int type = field ? field->GetType() : 0;
        return field && type != FT_CHECK && type != FT_OPTION && type != FT_CHOICE;
    }
    case formcmd::IdSupportingForm:
    case formcmd::IdSupportingFormButton:
        return field && field->TestFlag(FF_SUPPORTED);
    case formcmd::IdOverrideField:
        return field && field->TestFlag(FF_CALCULATED) &&
               !field->TestFlag(FF_ENTERABLE | FF_OVERRIDDEN | FF_PROTECTED);
    case formcmd::IdClearOverride:
        return field && field->TestFlag(FF_OVERRIDDEN);
    case formcmd::IdMarkEstimate:
        return field && !field->TestFlag(FF_OVERRIDDEN | FF_PROTECTED | FF_CALCULATED);
    case formcmd::IdNewCopy:
        return CanAddCopy();
    case formcmd::IdPreviousCopy:
        return HasPreviousCopy();
    case formcmd::IdNextCopy:
        return HasNextCopy();
    case formcmd::IdFormHelp:
        return false;
    case formcmd::IdCalculator:
    case formcmd::IdPrintCopy:
    case formcmd::IdPrintForm:
    case formcmd::IdPrintPreview:
    case formcmd::IdCloseForm:
    case formcmd::IdExitButton:
        return true;
    default:
        return false;
    }
}

bool CFormsView::IsCommandChecked(int id) const {
    CField* field = m_page->currentField();
    return id == formcmd::IdMarkEstimate && field && field->TestFlag(FF_ESTIMATED);
}

bool CFormsView::RunCommand(int id) {
    if (!IsCommandEnabled(id))
        return false;
    CField* field = m_page->currentField();
    StoreContext context;
    context.markModified = [this] { markModified(); };
    CFieldEdit* edit = m_page->editor();
    switch (id) {
    case formcmd::IdCopy:
    case formcmd::IdCut:
    case formcmd::IdPaste:
        // Through the editor: pasting into a calculated field asks for the override first.
        return edit->OnCommand(id);
    case formcmd::IdAddDetails:
    case formcmd::IdAddDetailsButton:
        if (onDetails)
            onDetails(*field);
        return true;
    case formcmd::IdSupportingForm:
    case formcmd::IdSupportingFormButton:
        return OpenSupportingForm();
    case formcmd::IdOverrideField:
        qv::OverrideField(*field, context);
        pf::sendMessage(m_page, pf::UM_MOVE_FIELD, 2);
        return true;
    case formcmd::IdClearOverride:
        // The recalculated value is shown again; what the editor held is not stored back.
        qv::ClearOverride(*field, context);
        edit->setModified(false);
        pf::sendMessage(m_page, pf::UM_MOVE_FIELD, 2);
        m_page->viewport()->update();
        return true;
    case formcmd::IdMarkEstimate:
        ToggleEstimate(*field, context);
        pf::sendMessage(m_page, pf::UM_MOVE_FIELD, 2);
        m_page->viewport()->update();
        return true;
    case formcmd::IdCalculator:
        if (onCalculator)
            onCalculator();
        return true;
    case formcmd::IdNewCopy:
        return NewCopy();
    case formcmd::IdPreviousCopy:
        return PreviousCopy();
    case formcmd::IdNextCopy:
        return NextCopy();
    case formcmd::IdPrintCopy:
    case formcmd::IdPrintForm:
        return PrintCopy();
    case formcmd::IdPrintPreview: {
        QPrintPreviewDialog preview(&pf::appPrinter(), this);
        connect(&preview, &QPrintPreviewDialog::paintRequested, this, [this](QPrinter* printer) {
            CLayoutPrinter layout;
            if (module() && m_page->copy() &&
                layout.load(*module(), m_page->fieldRef().form, *m_page->copy()))
                layout.print(*printer, CLayoutPrinter::dateTimeSetting());
        });
        pf::execDialog(preview);
        return true;
    }
    case formcmd::IdCloseForm:
    case formcmd::IdExitButton:
        return CloseForm();
    default:
        return false;
    }
}

} // namespace qv
