// File names between the file system's bytes and the window's texts. On Linux a name need not
// be valid UTF-8; such bytes are carried through a QString as escape characters and come back
// unchanged, so a file the command line names is opened, saved and printed under its own name.
#pragma once

#include <QByteArray>
#include <QString>

#include <string>

namespace presetor {

// The file system's bytes of a name as a QString: the platform decoding (QFile::decodeName)
// where it gives the same bytes back, otherwise each byte that is not valid UTF-8 as an escape
// character (U+DC80..U+DCFF).
QString FileNameFromBytes(const QByteArray& bytes);

// The reverse of FileNameFromBytes: the bytes to give to the file system.
QByteArray FileNameBytes(const QString& name);
std::string FileNamePath(const QString& name);

// A name for showing: escape characters become the replacement character.
QString DisplayFileName(const QString& name);

// A message of the plain-C++ layers (which carry file names as bytes) for showing.
QString DisplayMessage(const std::string& message);

} // namespace presetor
