#pragma once
// The program speaks the desktop's language where it has a translation for
// it: its own texts from the quillora_<language>.qm catalogue, and Qt's
// standard dialogs and command-line help from Qt's qtbase catalogue. With
// no catalogue for the language (or English asked for), every text stays
// the English one written in the code.

#include <QString>
#include <QStringList>

class QCoreApplication;

namespace quillora {

// The catalogues' base name and where they are looked for: the folder under
// the data folder (an installed copy), then the copies built into the program.
inline constexpr char kTranslationCatalogue[] = "quillora";
inline constexpr char kTranslationsFolder[] = "translations";
inline constexpr char kBuiltInTranslations[] = ":/quillora/translations";

// Takes the first of uiLanguages (most wanted first, as QLocale::uiLanguages
// gives them, "de-DE") that is English or has a catalogue, installs that
// language's catalogues on the application, which owns them, and returns
// the language; an empty string when the texts stay English.
QString installTranslations(QCoreApplication& app, const QString& programFolder, const QStringList& uiLanguages);

} // namespace quillora
