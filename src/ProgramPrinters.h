// The print functions of the program: where the platform allows it, from the print module,
// loaded at the first print (the window starts without Qt's print support); else linked in.
#pragma once

#include "pages/Printers.h"

// Null with *error saying why when the module cannot be loaded; the module stays loaded.
const printout::Printers* ProgramPrinters(QString* error);
