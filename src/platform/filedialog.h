#pragma once

#include "platform/pfexport.h"

#include <functional>
#include <string>
#include <vector>

namespace pf {

struct FileDialogSpec {
    bool open = true;
    std::string title;
    // Pipe style: "Returns (*.ta2)|*.ta2|All Files (*.*)|*.*||".
    std::string filter;
    std::string defaultExt; // without the dot; added when the name typed has no extension
    std::string initialDir;
    std::string initialName;
    bool mustExist = false;
    bool overwritePrompt = false;
    bool hideReadOnly = true;
};

// Asks for a file name. Returns the full path, or "" when cancelled. The default extension,
// the must-exist check ("File not found") and the overwrite prompt are applied here, after
// the dialog (or the test handler) answers; a refused name asks again.
PF_EXPORT std::string fileDialog(const FileDialogSpec& spec);

// Test hook: when set, the handler answers in place of the dialog with what the user would
// have picked or typed ("" = Cancel); the checks above still apply to its answer.
using FileDialogHandler = std::function<std::string(const FileDialogSpec&)>;
PF_EXPORT void setFileDialogHandler(FileDialogHandler handler);

// The pipe-style filter as Qt name filters: "Desc (*.a *.b)", patterns in both letter cases.
PF_EXPORT std::vector<std::string> convertFilter(const std::string& pipeFilter);
// The name with the default extension added when its last component has none.
PF_EXPORT std::string applyDefaultExt(const std::string& path, const std::string& defaultExt);

} // namespace pf
