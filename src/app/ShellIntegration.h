// Registers the .lmk preset file with the desktop: on Linux a .desktop entry (open and print),
// a shared-mime-info type and the icon under the user's data directory; on Windows the
// "LMK.Document" type under the user's registry classes. An installed program needs none of it.
#pragma once

#include <QString>

namespace presetor {

// executable: the program's full path. Returns false and sets error when a file could not be
// written; a missing update-mime-database or update-desktop-database is not an error.
bool InstallShellIntegration(const QString& executable, QString* error = nullptr);

// True when executable sits in PREFIX/bin of an installation that brought its own desktop entry
// (PREFIX/share/applications/presetor.desktop, as the Debian package and `cmake --install` lay
// it out): the desktop already knows the program and the file type, so nothing is written into
// the user's data folder. False for a program run from its build folder.
bool InstalledWithDesktopEntry(const QString& executable);

// Where the .desktop entry goes (the user's applications directory).
QString DesktopEntryPath();
// Where the MIME type goes (packages directory of the user's MIME database).
QString MimePackagePath();

} // namespace presetor
