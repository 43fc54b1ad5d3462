#pragma once

#include <string>

class CMemDataFile;
class CTaxDoc;

// Import of last year's return (a 2001 file, ".ta1" or its ".bak"): every form copy of every
// module that was active in it goes through the federal form manager, which decides what it
// becomes in this year's return. The prior-year file is only read.
namespace qv {

// The file dialog for last year's return, starting where last year's program last opened
// one; "" when cancelled.
std::string PickPriorYearFile();
// The settings file of last year's program (its DATA/LAST FILE OPENED is read).
std::string PriorYearSettingsPath();

// 1 imported, 0 refused or failed (with its message). With `askFirst` a return that holds
// data asks before it is replaced, and every module is emptied first.
int ImportPriorYear(CTaxDoc& doc, const std::string& path, bool askFirst);

// The File > Import > Quorva 2001 Return command, and the offer after a new return.
void ImportPriorYearCommand(CTaxDoc& doc);
void OfferPriorYearImport(CTaxDoc& doc);

} // namespace qv
