#pragma once

#include <string>

class CMemDataFile;
class CTaxDoc;

// The return password: up to 8 characters kept in the return's AppPassword entry, asked for
// whenever the return is opened and before it is changed or removed.
namespace qv {

bool HasReturnPassword(const CMemDataFile& file);
// True when the return has no password or the user types it exactly (letter case and
// length); a wrong one is refused and asked again, Cancel refuses.
bool CheckReturnPassword(CMemDataFile& file, const std::string& prompt);

// The File > Password commands. Each saves the return after changing the password.
void AddReturnPassword(CTaxDoc& doc);
void ChangeReturnPassword(CTaxDoc& doc);
void DeleteReturnPassword(CTaxDoc& doc);

} // namespace qv
