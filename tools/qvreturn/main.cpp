// qvreturn: makes, fills and reads returns on the tax modules, without a window.
#include "fieldaddress.h"
#include "returnsession.h"
#include "valuetext.h"

#include "app/appsettings.h"
#include "modules/taxmodule.h"
#include "platform/paths.h"
#include "platform/profile.h"
#include "platform/text.h"

#include <quorva/field.h>
#include <quorva/formcopy.h>
#include <quorva/formmanager.h>

#include <QApplication>
#include <QtGlobal>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

using Args = std::vector<std::string>;

constexpr const char* kUsage =
    "usage:\n"
    "  qvreturn new FILE\n"
    "  qvreturn add FILE FORM\n"
    "  qvreturn set FILE REF VALUE\n"
    "  qvreturn get FILE REF\n"
    "  qvreturn show FILE [FORM]\n"
    "REF is FORM.FIELD[(INDEX)][,ORDINAL] or a module-global field name\n";

int fail(const std::string& reason) {
    std::fprintf(stderr, "qvreturn: %s\n", reason.c_str());
    return 1;
}

int usage() {
    std::fputs(kUsage, stderr);
    return 2;
}

CField* findField(qvreturn::ReturnSession& session, const std::string& ref, std::string& error) {
    qvreturn::FieldAddress address;
    if (!qvreturn::ParseFieldAddress(ref, address, error))
        return nullptr;
    return qvreturn::ResolveField(session.modules(), address, error);
}

int cmdNew(qvreturn::ReturnSession& session, const Args& a) {
    return session.create(a[0]) ? 0 : 1;
}

int cmdAdd(qvreturn::ReturnSession& session, const Args& a) {
    if (!session.open(a[0]))
        return 1;
    CTaxModule* module = session.modules().FindByFormName(a[1]);
    CFormManager* fm = module ? module->formManager() : nullptr;
    const int form = fm ? fm->FindForm(a[1].c_str()) : 0;
    if (form == 0)
        return fail("no form " + a[1]);
    if (!module->IsActive())
        return fail("the " + module->GetModuleName() + " module is not in this return");
    CFormCopy* copy = fm->AddFormCopy(form, 1, 0);
    if (!copy)
        return fail("no room for another copy of " + a[1]);
    fm->RecalculateAll();
    const int ordinal = copy->GetOrdinal();
    session.document().SetReturnModified(true);
    if (!session.save())
        return 1;
    std::printf("%d\n", ordinal);
    return 0;
}

int cmdSet(qvreturn::ReturnSession& session, const Args& a) {
    if (!session.open(a[0]))
        return 1;
    std::string error;
    CField* field = findField(session, a[1], error);
    if (!field)
        return fail(error);
    if (!qvreturn::StoreFieldText(field, a[2], error))
        return fail(a[1] + ": " + error);
    session.document().SetReturnModified(true);
    return session.save() ? 0 : 1;
}

int cmdGet(qvreturn::ReturnSession& session, const Args& a) {
    if (!session.open(a[0]))
        return 1;
    std::string error;
    CField* field = findField(session, a[1], error);
    if (!field)
        return fail(error);
    std::printf("%s\n", qvreturn::FieldDisplayText(field).c_str());
    return 0;
}

int cmdShow(qvreturn::ReturnSession& session, const Args& a) {
    if (!session.open(a[0]))
        return 1;
    const std::string only = a.size() > 1 ? pf::upper(a[1]) : "";
    bool shown = false;
    CModuleList& modules = session.modules();
    for (int n = 1; n <= modules.GetActiveCount(); ++n) {
        CTaxModule* module = modules.GetActive(n);
        CFormManager* fm = module->formManager();
        for (int form = 1; form <= fm->GetFormCount(); ++form) {
            const std::string name = module->GetFormName(form);
            if (!only.empty() && pf::upper(name) != only)
                continue;
            shown = true;
            for (int ordinal = 1; ordinal <= fm->GetCopyCount(form); ++ordinal) {
                CFormCopy* copy = fm->GetFormCopy(form, ordinal);
                if (!copy)
                    continue;
                const std::string title = module->GetCopyTitle(copy);
                std::printf("%s,%d (copy %d)%s%s\n", name.c_str(), ordinal, copy->GetCopyNumber(),
                            title.empty() ? "" : ": ", title.c_str());
                for (int number = 1; number <= fm->GetFieldCount(form); ++number) {
                    CField* field = copy->GetField(number);
                    if (!field)
                        continue;
                    const std::string value = qvreturn::FieldDisplayText(field);
                    if (value.empty() || (!field->TestFlag(FF_HASVALUE) && !field->IsSet() &&
                                          field->GetType() != FT_TEXT))
                        continue;
                    std::string fieldName = module->GetFieldName(form, number);
                    if (field->GetElementIndex() != 0)
                        fieldName += "(" + std::to_string(field->GetElementIndex()) + ")";
                    std::printf("  %s = %s\n", fieldName.c_str(), value.c_str());
                }
            }
        }
    }
    if (!only.empty() && !shown)
        return fail("no form " + a[1]);
    return 0;
}

struct Command {
    const char* name;
    std::size_t minArgs;
    std::size_t maxArgs;
    int (*run)(qvreturn::ReturnSession&, const Args&);
};

constexpr Command kCommands[] = {
    {"new", 1, 1, cmdNew}, {"add", 2, 2, cmdAdd},   {"set", 3, 3, cmdSet},
    {"get", 2, 2, cmdGet}, {"show", 1, 2, cmdShow},
};

// Settings of the tool's own: the user's program settings are not touched, and a return read
// here always comes back with its history.
void useOwnSettings(std::string& path) {
    if (std::getenv("QUORVA_SETTINGS"))
        return;
    char pattern[] = "/tmp/qvreturn-settings-XXXXXX";
    const int fd = ::mkstemp(pattern);
    if (fd >= 0)
        ::close(fd);
    path = pattern;
    ::setenv("QUORVA_SETTINGS", path.c_str(), 1);
    pf::Profile::reset();
}

void findModules() {
    if (std::getenv("QUORVA_PROGDIR") || pf::fileExists(pf::progDir() + "FEDCALC.so"))
        return;
#ifdef QVRETURN_BUILD_PROGDIR
    ::setenv("QUORVA_PROGDIR", QVRETURN_BUILD_PROGDIR, 1);
#endif
}

} // namespace

int main(int argc, char** argv) {
    const Args args(argv + 1, argv + argc);
    if (args.empty())
        return usage();
    const Command* command = nullptr;
    for (const Command& c : kCommands) {
        if (args[0] == c.name)
            command = &c;
    }
    const Args rest(args.begin() + 1, args.end());
    if (!command || rest.size() < command->minArgs || rest.size() > command->maxArgs)
        return usage();
    ::setenv("QT_QPA_PLATFORM", "offscreen", 0);
    // The tool states its own reasons; the toolkit's notes about its surroundings are noise.
    qInstallMessageHandler([](QtMsgType, const QMessageLogContext&, const QString&) {});
    QApplication app(argc, argv);
    findModules();
    std::string ownSettings;
    useOwnSettings(ownSettings);
    qv::settings::writeInt("DATA", "CLOSED", 1);
    int result = 1;
    {
        qvreturn::ReturnSession session;
        if (session.loadModules())
            result = command->run(session, rest);
    }
    if (!ownSettings.empty())
        std::remove(ownSettings.c_str());
    return result;
}
