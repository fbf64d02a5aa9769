// The language of the program's texts: German when the desktop (or "--lang de") asks for it,
// otherwise the program's own English texts. The German catalogue is built into the program.
#pragma once

#include <QString>
#include <QStringList>

namespace presetor {

// The languages the program has a catalogue for, besides its own English texts.
QStringList TranslatedLanguages();

// The language to show: the override when one is given ("de", "de_AT", "en"), else the first
// of the desktop's languages; "" for the program's own texts.
QString ChooseLanguage(const QString& override, const QStringList& desktopLanguages);

// Installs the catalogues of the language in the running application (the program's own and,
// when installed, Qt's for its standard buttons); false when there is none for it.
bool InstallTranslation(const QString& language);

} // namespace presetor
