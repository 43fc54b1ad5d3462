#include "modules/versioninfodlg.h"

#include "app/config.h"
#include "modules/modulelist.h"
#include "modules/taxmodule.h"
#include "platform/dialogs.h"
#include "platform/inifile.h"
#include "platform/library.h"
#include "platform/paths.h"
#include "platform/text.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

#include <cstdio>

namespace {

constexpr int kStateList = 1017;

std::uint64_t versionOf(const char* file) {
    return pf::libraryFileVersion(pf::findFile(pf::progDir() + file));
}

} // namespace

VersionInformation ReadVersionInformation(const CModuleList& modules) {
    const std::uint64_t fed = versionOf("FEDCALC.so");
    const std::uint64_t print = versionOf("FEDPRINT.so");
    const std::uint64_t transmit = versionOf("Transmit.so");
    char efile[32] = "Not Installed";
    if (transmit != 0)
        std::snprintf(efile, sizeof efile, "%u.%u", pf::versionMajor(transmit),
                      pf::versionMinor(transmit));
    char text[512];
    std::snprintf(text, sizeof text,
                  "Federal Version Information:\n    Main Application - %u.%u\n"
                  "    Federal Forms Module - %u.%u\n    Federal Printing Module - %u.%u\n"
                  "    Electronic Filing Module - %s\n\nState Version Information:\n",
                  qv::config::kVersionMajor, qv::config::kVersionMinor, pf::versionMajor(fed),
                  pf::versionMinor(fed), pf::versionMajor(print), pf::versionMinor(print), efile);
    VersionInformation info{text, {}};
    const pf::IniFile ini = pf::IniFile::inWinDir("Quorva02.ini");
    for (int n = 1; n <= modules.GetActiveCount(); ++n) {
        CTaxModule* module = modules.GetActive(n);
        if (module->IsFederal())
            continue;
        std::string version = ini.getString("VersionInfo", module->GetModuleName() + "1040");
        if (version.empty())
            version = "Unknown - Reinstall State";
        info.states.emplace_back(module->GetModuleTitle(), version);
    }
    return info;
}

CVersionInfoDlg::CVersionInfoDlg(const CModuleList& modules, QWidget* parent) : QDialog(parent) {
    setWindowTitle("Quorva Version Information");
    const VersionInformation info = ReadVersionInformation(modules);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(pf::toQt(info.text), this));

    auto* list = new QTreeWidget(this);
    pf::setCtrlId(list, kStateList);
    list->setRootIsDecorated(false);
    list->setAllColumnsShowFocus(true);
    list->setHeaderLabels({"State:", "Version:"});
    list->setStyleSheet("QTreeView::item { border: 1px solid #d0d0d0; }");
    if (info.states.empty())
        new QTreeWidgetItem(list, {"No States Selected"});
    for (const auto& [title, version] : info.states)
        new QTreeWidgetItem(list, {pf::toQt(title), pf::toQt(version)});
    list->header()->setSectionResizeMode(QHeaderView::Stretch);
    layout->addWidget(list);

    auto* buttons = new QHBoxLayout;
    auto* close = new QPushButton("Close", this);
    pf::setCtrlId(close, 1);
    auto* updates = new QPushButton("Check Updates", this);
    pf::setCtrlId(updates, CheckUpdates);
    connect(close, &QPushButton::clicked, this, &QDialog::accept);
    connect(updates, &QPushButton::clicked, this, [this] { done(CheckUpdates); });
    buttons->addStretch();
    buttons->addWidget(close);
    buttons->addWidget(updates);
    buttons->addStretch();
    layout->addLayout(buttons);
}
