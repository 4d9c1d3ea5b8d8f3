#include "core/ErrorReport.h"
#include "core/RuntimeError.h"
#include "core/Translations.h"
#include "tests/support/InstalledTranslations.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace quillora;
using quillora::testing::InstalledTranslations;

namespace {

QString reportTitle()
{
    return ErrorReport::tr(kErrorReportTitle);
}

QString fileNotFound()
{
    return RuntimeError::tr("File not found");
}

// A standard button of Qt's own message boxes.
QString qtYesButton()
{
    return QCoreApplication::translate("QPlatformTheme", "&Yes");
}

} // namespace

TEST(Translations, EnglishFirstOrNoCatalogueForTheLanguageKeepsEveryTextAsWritten)
{
    const QList<QStringList> desktops{{},
                                      {QStringLiteral("en")},
                                      {QStringLiteral("en-US"), QStringLiteral("de-DE")},
                                      {QStringLiteral("fr-FR")},
                                      {QStringLiteral("C")}};
    for (const QStringList& uiLanguages : desktops) {
        const InstalledTranslations installed(uiLanguages);
        const std::string which = uiLanguages.join(QLatin1Char(':')).toStdString();
        EXPECT_EQ(installed.language, QString()) << which;
        EXPECT_EQ(reportTitle(), QStringLiteral("Application Error")) << which;
        EXPECT_EQ(fileNotFound(), QStringLiteral("File not found")) << which;
        EXPECT_EQ(qtYesButton(), QStringLiteral("&Yes")) << which;
    }
}

TEST(Translations, AGermanDesktopGetsTheBuiltInGermanCatalogueAndQtsOwn)
{
    const InstalledTranslations installed({QStringLiteral("fr-FR"), QStringLiteral("de-DE"), QStringLiteral("en")});
    EXPECT_EQ(installed.language, QStringLiteral("de-DE"));
    EXPECT_EQ(reportTitle(), QStringLiteral("Anwendungsfehler"));
    EXPECT_EQ(fileNotFound(), QStringLiteral("Datei nicht gefunden"));
    EXPECT_EQ(qtYesButton(), QStringLiteral("&Ja")) << "Qt's qtbase_de.qm (package qt6-translations-l10n)";
}

// An installed tree: <root>/bin for the program, <root>/share/quillora/translations.
TEST(Translations, ACatalogueInTheDataFolderIsFoundAndADamagedOneIsPassedOver)
{
    QTemporaryDir root;
    const QString bin = root.filePath(QStringLiteral("bin"));
    const QString folder = root.filePath(QStringLiteral("share/quillora/") + QLatin1String(kTranslationsFolder));
    ASSERT_TRUE(QDir().mkpath(bin) && QDir().mkpath(folder));
    // A language added after the build: here the German catalogue under the name of Swiss French.
    ASSERT_TRUE(QFile::copy(QLatin1String(kBuiltInTranslations) + QStringLiteral("/quillora_de.qm"),
                            folder + QStringLiteral("/quillora_fr_CH.qm")));
    {
        const InstalledTranslations installed({QStringLiteral("fr-CH")}, bin);
        EXPECT_EQ(installed.language, QStringLiteral("fr-CH"));
        EXPECT_EQ(fileNotFound(), QStringLiteral("Datei nicht gefunden"));
    }
    QFile damaged(folder + QStringLiteral("/quillora_de.qm"));
    ASSERT_TRUE(damaged.open(QIODevice::WriteOnly));
    damaged.write("not a catalogue");
    damaged.close();
    const InstalledTranslations installed({QStringLiteral("de-DE")}, bin);
    EXPECT_EQ(installed.language, QStringLiteral("de-DE"));
    EXPECT_EQ(fileNotFound(), QStringLiteral("Datei nicht gefunden"));
}
