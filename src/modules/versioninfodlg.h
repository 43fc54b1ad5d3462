#pragma once

#include <QDialog>

#include <functional>
#include <string>
#include <utility>
#include <vector>

class CModuleList;

// The texts of "Quorva Version Information", computed apart from the window.
struct VersionInformation {
    std::string text; // the federal part, ending with "State Version Information:\n"
    std::vector<std::pair<std::string, std::string>> states; // (title, version) rows
};
VersionInformation ReadVersionInformation(const CModuleList& modules);

// Dialog 696: the versions of the program's parts and of every active state. "Check
// Updates" closes it and runs the program update for all modules.
class CVersionInfoDlg final : public QDialog {
    Q_OBJECT
public:
    enum { CheckUpdates = 3340 };
    explicit CVersionInfoDlg(const CModuleList& modules, QWidget* parent = nullptr);
};
