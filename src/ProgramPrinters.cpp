#include "ProgramPrinters.h"

#if PRESETOR_HAVE_PRINT_MODULE
#include "app/ProgramModule.h"

#include <QCoreApplication>
#endif

const printout::Printers* ProgramPrinters([[maybe_unused]] QString* error) {
#if PRESETOR_HAVE_PRINT_MODULE
    // Looked for once, at the first print.
    static QString failure;
    static const printout::Printers* const printers = [] {
        const auto entry = reinterpret_cast<printout::PrintModuleEntry>(
            ResolveModuleEntry(QCoreApplication::applicationDirPath(), printout::kPrintModule,
                               printout::kPrintModuleEntry, &failure));
        if (!entry) {
            failure = QStringLiteral("Printing is not available: %1").arg(failure);
            return static_cast<const printout::Printers*>(nullptr);
        }
        return entry();
    }();
    if (!printers && error) {
        *error = failure;
    }
    return printers;
#else
    return printout::LinkedPrinters();
#endif
}
