#include "ProgramModule.h"

#include <QLibrary>

QFunctionPointer ResolveModuleEntry(const QString& programDir, const char* module,
                                    const char* entry, QString* error) {
    // Never unloaded: the module's code must outlive everything it hands out.
    QLibrary library;
    for (const QString& dir :
         {programDir, programDir + QStringLiteral("/../lib/presetor/modules")}) {
        library.setFileName(dir + QLatin1Char('/') + QLatin1String(module));
        if (library.load()) {
            break;
        }
    }
    const QFunctionPointer resolved = library.resolve(entry);
    if (!resolved && error) {
        *error = library.errorString();
    }
    return resolved;
}
