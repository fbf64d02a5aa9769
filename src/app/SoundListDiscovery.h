// Finding the sound lists (every "*.sounds" file in the current directory, the per-user data
// folder and the installed examples' folder), the stored channel assignments, and how the
// lists' texts are shown in the window.
#pragma once

#include "model/SoundList.h"

#include <QString>
#include <QStringList>

#include <array>
#include <string>
#include <vector>

class QSettings;

namespace presetor {

using ChannelAssignments = std::array<std::string, 16>;

// The folder of the sound lists installed with the program, "<prefix>/share/presetor/sounds":
// beside the program's own "bin" folder when it runs from one, otherwise under the install
// prefix it was configured with.
QString SystemSoundListFolder();

// The folders searched for sound lists, in this order: first (normally the current directory),
// the program's per-user data folder (QStandardPaths::AppDataLocation) and
// SystemSoundListFolder(). A folder is named once.
QStringList SoundListFolders(const QString& first);

// Reads every "*.sounds" file of the folders, folder by folder in the order the file system
// lists them. Lists that cannot be read or have no name are left out; every file with a problem
// adds one error naming it and listing its skipped lines to errors (when given).
std::vector<CSoundList> LoadSoundLists(const QStringList& folders, std::vector<Result>* errors);

// Reads the 16 channel assignments from section "Channels", keys "1".."16"; a missing value
// is " " (no sound list). Values are stored as shown (SoundText); a value that shows like the
// name of one of the loaded lists takes that list's exact bytes.
ChannelAssignments ReadChannelAssignments(QSettings& settings,
                                          const std::vector<CSoundList>& soundLists);

// Writes the channel assignments at exit. A channel whose entry is " " has its stored value
// removed, so that an assignment deleted in the dialog does not come back at the next start.
void WriteChannelAssignments(QSettings& settings, const ChannelAssignments& assignments);

// A sound-list text (list, bank or sound name) as the window shows it: UTF-8, with each byte
// that is not part of valid UTF-8 read as Latin-1. The one decoding of these texts everywhere.
QString SoundText(const std::string& bytes);

} // namespace presetor
