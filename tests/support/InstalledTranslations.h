#pragma once
// The program's translation loader run on the test's application for the
// given desktop languages, undone again at the end of the scope, so the
// tests after it see the English texts.

#include "core/Translations.h"

#include <QCoreApplication>
#include <QTranslator>

namespace quillora::testing {

class InstalledTranslations {
public:
    explicit InstalledTranslations(const QStringList& uiLanguages, const QString& programFolder = QString())
        : language(installTranslations(*QCoreApplication::instance(), programFolder, uiLanguages))
    {
    }
    ~InstalledTranslations()
    {
        // Deleting a translator takes it off the application.
        qDeleteAll(QCoreApplication::instance()->findChildren<QTranslator*>(Qt::FindDirectChildrenOnly));
    }
    InstalledTranslations(const InstalledTranslations&) = delete;
    InstalledTranslations& operator=(const InstalledTranslations&) = delete;

    const QString language; // as installTranslations returned it
};

} // namespace quillora::testing
