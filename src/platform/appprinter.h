#pragma once

#include "platform/pfexport.h"

class QPrinter;

namespace pf {

// The program's one printer, Letter and portrait: a PDF file when QUORVA_PRINT_PDF names one
// (looked at on every call) or no system printer is installed, else the default printer.
PF_EXPORT QPrinter& appPrinter();

} // namespace pf
