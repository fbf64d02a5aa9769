#include "ProgramPrinters.h"

#if PRESETOR_HAVE_PRINT_MODULE
#include <QCoreApplication>
#include <QLibrary>
#endif

const printout::Printers* ProgramPrinters([[maybe_unused]] QString* error) {
#if PRESETOR_HAVE_PRINT_MODULE
    // Looked for once: beside the program (a build folder), then where the package puts it.
    static const printout::Printers* printers = nullptr;
    static QString failure;
    static bool looked = false;
    if (!looked) {
        looked = true;
        const QString programDir = QCoreApplication::applicationDirPath();
        QLibrary module;
        for (const QString& dir :
             {programDir, programDir + QStringLiteral("/../lib/presetor/modules")}) {
            module.setFileName(dir + QLatin1Char('/') + QLatin1String(printout::kPrintModule));
            if (module.load()) {
                break;
            }
        }
        const auto entry = reinterpret_cast<printout::PrintModuleEntry>(
            module.resolve(printout::kPrintModuleEntry));
        printers = entry ? entry() : nullptr;
        if (!printers) {
            failure = QStringLiteral("Printing is not available: %1").arg(module.errorString());
        }
    }
    if (!printers && error) {
        *error = failure;
    }
    return printers;
#else
    return printout::LinkedPrinters();
#endif
}
