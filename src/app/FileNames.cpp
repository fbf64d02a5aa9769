// File names as bytes and as texts, with undecodable bytes kept as escape characters.
#include "FileNames.h"

#include "model/TextEncoding.h"

#include <QFile>

namespace presetor {

namespace {

constexpr char16_t kEscapeBase = 0xDC00;

bool IsEscape(char16_t c) {
    return c >= 0xDC80 && c <= 0xDCFF;
}

} // namespace

QString FileNameFromBytes(const QByteArray& bytes) {
    const QString decoded = QFile::decodeName(bytes);
    if (QFile::encodeName(decoded) == bytes)
        return decoded;
    QString name;
    const std::string_view text(bytes.constData(), static_cast<std::size_t>(bytes.size()));
    for (std::size_t i = 0; i < text.size();) {
        const int length = Utf8SequenceLength(text, i);
        if (length == 0) {
            name.append(
                QChar(static_cast<char16_t>(kEscapeBase + static_cast<unsigned char>(text[i]))));
            ++i;
        } else {
            name.append(QString::fromUtf8(text.data() + i, length));
            i += static_cast<std::size_t>(length);
        }
    }
    return name;
}

QByteArray FileNameBytes(const QString& name) {
    bool escaped = false;
    for (const QChar c : name)
        escaped = escaped || IsEscape(c.unicode());
    if (!escaped)
        return QFile::encodeName(name);
    QByteArray bytes;
    QString run;
    const auto flush = [&] {
        bytes.append(run.toUtf8());
        run.clear();
    };
    for (const QChar c : name) {
        if (IsEscape(c.unicode())) {
            flush();
            bytes.append(static_cast<char>(c.unicode() - kEscapeBase));
        } else {
            run.append(c);
        }
    }
    flush();
    return bytes;
}

std::string FileNamePath(const QString& name) {
    return FileNameBytes(name).toStdString();
}

QString DisplayFileName(const QString& name) {
    QString shown = name;
    for (QChar& c : shown)
        if (IsEscape(c.unicode()))
            c = QChar::ReplacementCharacter;
    return shown;
}

QString DisplayMessage(const std::string& message) {
    return DisplayFileName(FileNameFromBytes(QByteArray::fromStdString(message)));
}

} // namespace presetor
