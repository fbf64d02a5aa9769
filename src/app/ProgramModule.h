// The program's modules, libraries it loads at their first need so that the window starts
// without what they pull in: a build folder keeps them beside the program, the package in
// ../lib/presetor/modules.
#pragma once

#include <QFunctionPointer>
#include <QString>

// Loads the module (its name without prefix and suffix, as QLibrary takes it) from programDir
// or the package's folder and returns its entry point; the module stays loaded for the rest of
// the run. Null, with *error saying why, when neither folder has a module with that entry.
QFunctionPointer ResolveModuleEntry(const QString& programDir, const char* module,
                                    const char* entry, QString* error);
