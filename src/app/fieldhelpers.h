#pragma once

#include <string>

class CTaxModule;

// Sets the module-global check field `fieldName` of `module` to `value` as if the user had
// entered it (flags entered and has-value), and lets the module recalculate. False when the
// module has no such field.
bool SetFieldByName(CTaxModule& module, const std::string& fieldName, bool value);

// Dispatches pending window events; false once the program has been told to quit, so that
// long operations that pump for themselves stop.
bool PumpMessages();
