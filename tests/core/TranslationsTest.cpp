#include "core/ErrorReport.h"
#include "core/RuntimeError.h"
#include "tests/support/InstalledTranslations.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace quillora;
using quillora::testing::InstalledTranslations;

TEST(Translations, EnglishFirstOrNoCatalogueForTheLanguageKeepsEveryTextAsWritten)
{
    for (const QStringList& desktop : QList<QStringList>{{}, {"en"}, {"en-US", "de-DE"}, {"fr-FR"}, {"C"}}) {
        const InstalledTranslations installed(desktop);
        EXPECT_EQ(installed.language, QString()) << desktop.join(':').toStdString();
        EXPECT_EQ(ErrorReport::tr(kErrorReportTitle), QStringLiteral("Application Error"));
        EXPECT_EQ(RuntimeError::tr("File not found"), QStringLiteral("File not found"));
        EXPECT_EQ(QCoreApplication::translate("QPlatformTheme", "&Yes"), QStringLiteral("&Yes"));
    }
}

TEST(Translations, AGermanDesktopGetsTheBuiltInGermanCatalogueAndQtsOwn)
{
    const InstalledTranslations installed({"fr-FR", "de-DE", "en"});
    EXPECT_EQ(installed.language, QStringLiteral("de-DE"));
    EXPECT_EQ(ErrorReport::tr(kErrorReportTitle), QStringLiteral("Anwendungsfehler"));
    EXPECT_EQ(RuntimeError::tr("File not found"), QStringLiteral("Datei nicht gefunden"));
    // Qt's qtbase_de.qm (package qt6-translations-l10n) names the standard buttons.
    EXPECT_EQ(QCoreApplication::translate("QPlatformTheme", "&Yes"), QStringLiteral("&Ja"));
}

// In an installed tree (bin/, share/quillora/translations/) a catalogue added
// later is found, and a damaged one gives way to the built-in one.
TEST(Translations, ACatalogueInTheDataFolderIsFoundAndADamagedOneIsPassedOver)
{
    QTemporaryDir root;
    const QString bin = root.filePath("bin");
    const QString folder = root.filePath(QStringLiteral("share/quillora/") + QLatin1String(kTranslationsFolder));
    ASSERT_TRUE(QDir().mkpath(bin) && QDir().mkpath(folder));
    ASSERT_TRUE(QFile::copy(QLatin1String(kBuiltInTranslations) + "/quillora_de.qm", folder + "/quillora_fr_CH.qm"));
    QFile damaged(folder + "/quillora_de.qm");
    ASSERT_TRUE(damaged.open(QIODevice::WriteOnly) && damaged.write("not a catalogue") > 0);
    damaged.close();
    for (const char* language : {"fr-CH", "de-DE"}) {
        const InstalledTranslations installed({language}, bin);
        EXPECT_EQ(installed.language, QLatin1String(language));
        EXPECT_EQ(RuntimeError::tr("File not found"), QStringLiteral("Datei nicht gefunden")) << language;
    }
}
