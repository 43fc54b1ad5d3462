#include "platform/filedialog.h"

#include "platform/dialogs.h"
#include "platform/messagebox.h"
#include "platform/paths.h"
#include "platform/text.h"

#include <QApplication>
#include <QFileDialog>
#include <QStringList>

#include <memory>
#include <utility>

namespace pf {
namespace {

FileDialogHandler& handlerSlot() {
    static FileDialogHandler handler;
    return handler;
}

std::vector<std::string> split(const std::string& text, char sep) {
    std::vector<std::string> parts;
    std::string part;
    for (char c : text) {
        if (c == sep) {
            parts.push_back(part);
            part.clear();
        } else {
            part += c;
        }
    }
    parts.push_back(part);
    return parts;
}

std::string trimmed(const std::string& s) {
    std::size_t b = 0, e = s.size();
    while (b < e && s[b] == ' ')
        ++b;
    while (e > b && s[e - 1] == ' ')
        --e;
    return s.substr(b, e - b);
}

// Patterns in the case written plus upper and lower case: names on this system keep their
// case, and a filter written "*.TA2" must still show "return.ta2".
std::string patternList(const std::string& patterns) {
    std::vector<std::string> out;
    auto add = [&out](const std::string& p) {
        for (const std::string& have : out) {
            if (have == p)
                return;
        }
        out.push_back(p);
    };
    for (const std::string& raw : split(patterns, ';')) {
        const std::string p = trimmed(raw);
        if (p.empty())
            continue;
        // "*.*" means every file here, not only names with a dot.
        if (p == "*.*") {
            add("*");
            continue;
        }
        add(p);
        add(lower(p));
        add(upper(p));
    }
    std::string joined;
    for (const std::string& p : out)
        joined += (joined.empty() ? "" : " ") + p;
    return joined;
}

// Asks once: the handler's answer or the dialog's; "" when cancelled.
std::string ask(const FileDialogSpec& spec, QFileDialog* dialog) {
    if (const FileDialogHandler& handler = handlerSlot())
        return handler(spec);
    if (!dialog || execDialog(*dialog) != QDialog::Accepted)
        return {};
    const QStringList files = dialog->selectedFiles();
    return files.isEmpty() ? std::string() : fromQt(files.front());
}

} // namespace

void setFileDialogHandler(FileDialogHandler handler) {
    handlerSlot() = std::move(handler);
}

std::vector<std::string> convertFilter(const std::string& pipeFilter) {
    std::vector<std::string> parts = split(pipeFilter, '|');
    std::vector<std::string> filters;
    for (std::size_t i = 0; i + 1 < parts.size(); i += 2) {
        std::string desc = trimmed(parts[i]);
        const std::string patterns = patternList(parts[i + 1]);
        if (desc.empty() && patterns.empty())
            break; // the "||" that ends the list
        if (patterns.empty())
            continue;
        // Qt reads the patterns from the description's last parentheses, so a description
        // that shows them ("Returns (*.ta2;*.ta1)") has its list replaced by Qt's form.
        const std::size_t open = desc.rfind('(');
        if (!desc.empty() && desc.back() == ')' && open != std::string::npos)
            desc = trimmed(desc.substr(0, open));
        filters.push_back((desc.empty() ? std::string() : desc + " ") + "(" + patterns + ")");
    }
    return filters;
}

std::string applyDefaultExt(const std::string& path, const std::string& defaultExt) {
    std::string ext = defaultExt;
    while (!ext.empty() && ext.front() == '.')
        ext.erase(0, 1);
    const std::string name = fileName(path);
    if (ext.empty() || name.empty() || name.find('.') != std::string::npos)
        return path;
    return path + "." + ext;
}

std::string fileDialog(const FileDialogSpec& spec) {
    std::unique_ptr<QFileDialog> dialog;
    if (!handlerSlot()) {
        if (!qobject_cast<QApplication*>(QCoreApplication::instance()))
            return {};
        dialog = std::make_unique<QFileDialog>(QApplication::activeWindow(), toQt(spec.title));
        // Qt's own dialog everywhere, so that it behaves the same on every desktop and the
        // checks below are the only ones.
        dialog->setOption(QFileDialog::DontUseNativeDialog);
        dialog->setOption(QFileDialog::DontConfirmOverwrite);
        dialog->setOption(QFileDialog::ReadOnly, false);
        dialog->setAcceptMode(spec.open ? QFileDialog::AcceptOpen : QFileDialog::AcceptSave);
        dialog->setFileMode(QFileDialog::AnyFile);
        QStringList filters;
        for (const std::string& f : convertFilter(spec.filter))
            filters << toQt(f);
        if (!filters.isEmpty())
            dialog->setNameFilters(filters);
        std::string dir = spec.initialDir;
        std::string name = spec.initialName;
        if (!folderOf(name).empty()) {
            dir = folderOf(name);
            name = fileName(name);
        }
        if (!dir.empty())
            dialog->setDirectory(toQt(dir));
        if (!name.empty())
            dialog->selectFile(toQt(name));
    }

    // A refused name asks again; a handler that keeps giving the same refused name is
    // taken as cancelling, so a test cannot loop forever.
    std::string previous;
    for (int round = 0; round < 20; ++round) {
        std::string path = ask(spec, dialog.get());
        if (path.empty())
            return {};
        if (handlerSlot() && round > 0 && path == previous)
            return {};
        previous = path;
        // A bare name from the handler is taken relative to the starting folder.
        if (path.front() != '/' && !spec.initialDir.empty()) {
            std::string dir = spec.initialDir;
            if (dir.back() != '/')
                dir += '/';
            path = dir + path;
        }
        path = applyDefaultExt(path, spec.defaultExt);
        if (dirExists(path))
            continue;
        const bool exists = fileExists(findFile(path));
        if (spec.open && spec.mustExist && !exists) {
            messageBox(path + "\nFile not found.\nPlease verify the correct file name was given.",
                       MB_OK | MB_ICONEXCLAMATION, spec.title.empty() ? "Open" : spec.title);
            continue;
        }
        if (spec.open && exists)
            path = findFile(path);
        if (!spec.open && spec.overwritePrompt && exists) {
            if (messageBox(path + " already exists.\nDo you want to replace it?",
                           MB_YESNO | MB_ICONEXCLAMATION,
                           spec.title.empty() ? "Save As" : spec.title) != IDYES)
                continue;
        }
        return path;
    }
    return {};
}

} // namespace pf
