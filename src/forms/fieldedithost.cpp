#include "forms/fieldedithost.h"

#include "app/commandids.h"
#include "app/commandtable.h"
#include "app/mainframe.h"
#include "app/taxapp.h"
#include "platform/messages.h"
#include "storage/taxdoc.h"

#include <quorva/field.h>
#include <quorva/formcopy.h>
#include <quorva/formmanager.h>

CFieldEditHost::~CFieldEditHost() = default;

std::string CFieldEditHost::ModuleName(CField& field) {
    CFormCopy* copy = field.GetCopy();
    CFormManager* fm = copy ? copy->GetFormManager() : nullptr;
    if (!fm)
        return {};
    char name[QV_NAME_SIZE] = {};
    fm->GetModuleName(name, sizeof name);
    name[sizeof name - 1] = '\0';
    return name;
}

std::string CFieldEditHost::FormName(CField& field) {
    CFormCopy* copy = field.GetCopy();
    CFormManager* fm = copy ? copy->GetFormManager() : nullptr;
    if (!fm)
        return {};
    char name[QV_NAME_SIZE] = {};
    fm->GetFormName(name, sizeof name, copy->GetFormIndex());
    name[sizeof name - 1] = '\0';
    return name;
}

void CFieldEditHost::MarkReturnModified() {
    qv::CTaxApp* app = qv::CTaxApp::instance();
    if (app && app->document())
        app->document()->SetReturnModified(true);
}

bool CFieldEditHost::HasSupportingForm(CField&) {
    return false;
}

bool CFieldEditHost::OpenSupportingForm(CField&) {
    return false;
}

bool CFieldEditHost::InFormPane() {
    return false;
}

bool CFieldEditHost::InInterviewView() {
    return false;
}

void CFieldEditHost::FieldStatusChanged(CField& field) {
    qv::CTaxApp* app = qv::CTaxApp::instance();
    if (auto* frame = dynamic_cast<pf::MsgTarget*>(app ? app->mainFrame() : nullptr))
        pf::sendMessage(frame, pf::UM_FIELD_STATUS, 0, reinterpret_cast<pf::LPARAM>(&field));
}

void CFieldEditHost::ShowProgramHelp() {
    qv::CTaxApp* app = qv::CTaxApp::instance();
    if (app && app->mainFrame())
        app->mainFrame()->commands().execute(qv::cmd::ProgramHelp);
}

CFieldEditHost& CFieldEditHost::Default() {
    static CFieldEditHost host;
    return host;
}
