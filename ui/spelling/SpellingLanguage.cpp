#include "ui/spelling/SpellingLanguage.h"

namespace quillora {
namespace {

// The exact tag ("de_AT"), else the bare language ("de"), else any variant
// of the language ("de_DE"), first in sorted order so the choice is stable.
QString bestFor(const QString& tag, const QStringList& installed)
{
    if (installed.contains(tag))
        return tag;
    const QString language = tag.section(QLatin1Char('_'), 0, 0);
    if (installed.contains(language))
        return language;
    QStringList variants;
    for (const QString& candidate : installed) {
        if (candidate.startsWith(language + QLatin1Char('_')))
            variants << candidate;
    }
    variants.sort();
    return variants.value(0);
}

} // namespace

QString chooseDictionary(const QLocale& windowLanguage, const QStringList& installed)
{
    const QString own = bestFor(windowLanguage.name(), installed);
    return own.isEmpty() ? bestFor(QStringLiteral("en_US"), installed) : own;
}

QString dictionaryLanguageName(const QString& tag)
{
    const QLocale locale(tag);
    QString name = locale.nativeLanguageName();
    if (name.isEmpty())
        return tag;
    if (tag.contains(QLatin1Char('_')) && !locale.nativeTerritoryName().isEmpty())
        name += QStringLiteral(" (%1)").arg(locale.nativeTerritoryName());
    return name;
}

} // namespace quillora
