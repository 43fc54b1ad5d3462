#include "app/fieldhelpers.h"

#include "modules/taxmodule.h"
#include "platform/misc.h"

#include <quorva/field.h>
#include <quorva/formmanager.h>

bool SetFieldByName(CTaxModule& module, const std::string& fieldName, bool value) {
    CFormManager* fm = module.formManager();
    CField* field = fm ? fm->GetFieldByName(fieldName.c_str()) : nullptr;
    if (!field)
        return false;
    field->SetChecked(value ? 1 : 0);
    field->SetFlag(FF_ENTERED | FF_HASVALUE, 1);
    field->Refresh();
    return true;
}

bool PumpMessages() {
    return pf::pumpMessages();
}
