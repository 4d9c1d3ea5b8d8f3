#pragma once
// The program's translation loader run on the test's application for the
// given desktop languages, undone at the end of the scope.

#include "core/Translations.h"

#include <QCoreApplication>
#include <QTranslator>

namespace quillora::testing {

struct InstalledTranslations {
    explicit InstalledTranslations(const QStringList& uiLanguages, const QString& programFolder = QString())
        : language(installTranslations(*QCoreApplication::instance(), programFolder, uiLanguages))
    {
    }
    // Deleting a translator takes it off the application.
    ~InstalledTranslations() { qDeleteAll(QCoreApplication::instance()->findChildren<QTranslator*>(Qt::FindDirectChildrenOnly)); }
    const QString language; // as installTranslations returned it
};

} // namespace quillora::testing
