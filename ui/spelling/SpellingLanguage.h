#pragma once
// Which installed dictionary marks the boxes: the one for the window's
// language when there is one, else an English one, else none.

#include <QLocale>
#include <QString>
#include <QStringList>

namespace quillora {

// A tag from `installed`, or an empty string when none fits.
QString chooseDictionary(const QLocale& windowLanguage, const QStringList& installed);

// The language of a dictionary tag as its speakers write it: "Deutsch (Deutschland)".
QString dictionaryLanguageName(const QString& tag);

} // namespace quillora
