#include "core/Translations.h"
#include "core/DataFiles.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

#include <memory>

namespace quillora {
namespace {

// "de-DE" -> "quillora_de_DE"; QTranslator falls back to "quillora_de" itself.
QString catalogueName(const char* catalogue, const QString& language)
{
    return QLatin1String(catalogue) + QLatin1Char('_') + QString(language).replace(QLatin1Char('-'), QLatin1Char('_'));
}

bool isEnglish(const QString& language)
{
    return QLocale(language).language() == QLocale::English;
}

// Loads the catalogue for the language from the first folder that has a
// readable one; a damaged file is passed over like a missing one.
bool loadCatalogue(QTranslator& translator, const char* catalogue, const QString& language, const QStringList& folders)
{
    for (const QString& folder : folders) {
        if (translator.load(catalogueName(catalogue, language), folder))
            return true;
    }
    return false;
}

} // namespace

QString installTranslations(QCoreApplication& app, const QString& programFolder, const QStringList& uiLanguages)
{
    const QStringList folders{findDataFile(programFolder, {kTranslationsFolder}), QLatin1String(kBuiltInTranslations)};
    for (const QString& language : uiLanguages) {
        if (isEnglish(language))
            return {};
        auto own = std::make_unique<QTranslator>(&app);
        if (!loadCatalogue(*own, kTranslationCatalogue, language, folders))
            continue;
        QCoreApplication::installTranslator(own.release());
        // Qt's own texts: the buttons of message boxes, the command line's help.
        auto qt = std::make_unique<QTranslator>(&app);
        if (qt->load(catalogueName("qtbase", language), QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
            QCoreApplication::installTranslator(qt.release());
        return language;
    }
    return {};
}

} // namespace quillora
