#include "plan/IniFormat.h"

#include <QSettings>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace quillora;

// The store's own file text is the one QSettings writes for the same values,
// so every version of the program reads it back unchanged.
TEST(IniFormat, TheFileIsTheOneQSettingsWritesAndReadsBack)
{
    const IniValues values = {
        {QStringLiteral("Company Name"), QStringLiteral("Acme \u2019Rocket\u2019 \U0001F680 \u05E9\u05DC")},
        {QStringLiteral("Marketing Plan"), QStringLiteral(" Launch, phase 2; = Europe ")},
        {QStringLiteral("FirstStatementMkt_0"), QStringLiteral("Line one\r\n- two\t\"quoted\" \\ back\x01" "1f")},
        {QStringLiteral("FirstStatementMkt_1"), QStringLiteral("@at the start")},
        {QStringLiteral("FirstStatementMkt_2"), QString()},
        {QStringLiteral("Spelling/on"), QStringLiteral("false")},
    };
    QTemporaryDir folder;
    const QString byQt = folder.filePath(QStringLiteral("qt.conf"));
    {
        QSettings settings(byQt, QSettings::IniFormat);
        for (const auto& [key, value] : values)
            settings.setValue(key, value);
    }
    QFile written(byQt);
    ASSERT_TRUE(written.open(QIODevice::ReadOnly));
    EXPECT_EQ(iniFileText(values), written.readAll());

    const QString ours = folder.filePath(QStringLiteral("ours.conf"));
    QFile file(ours);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(iniFileText(values));
    file.close();
    QSettings read(ours, QSettings::IniFormat);
    EXPECT_EQ(read.status(), QSettings::NoError);
    EXPECT_EQ(read.allKeys().size(), qsizetype(values.size()));
    for (const auto& [key, value] : values)
        EXPECT_EQ(read.value(key).toString(), value.toString()) << key.toStdString();
}
