// A deck the engine saved opens and renders in LibreOffice Impress: convert
// it to PDF headless and find the written texts in the PDF's text.

#include "DeckTestSupport.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>

namespace quillora::deck {
namespace {

// Runs a program to its end; its standard output, or an error text.
bool run(const QString& program, const QStringList& arguments, QString& output)
{
    QProcess process;
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.start(program, arguments);
    if (!process.waitForFinished(180000)) {
        process.kill();
        process.waitForFinished();
        output = QStringLiteral("%1 did not finish").arg(program);
        return false;
    }
    output = QString::fromUtf8(process.readAllStandardOutput());
    return process.exitStatus() == QProcess::NormalExit && process.exitCode() == 0;
}

TEST(LibreOffice, RendersTheWrittenTextsOfASavedDeck)
{
    const QString soffice = QStandardPaths::findExecutable(QStringLiteral("soffice"));
    const QString pdftotext = QStandardPaths::findExecutable(QStringLiteral("pdftotext"));
    if (soffice.isEmpty() || pdftotext.isEmpty())
        GTEST_SKIP() << "LibreOffice (soffice) or pdftotext is not installed; scripts/install-deps --test installs them";

    auto deck = Presentation::open(testing::templatePath());
    deck->slide(1).shape(1).textRange().setText(QStringLiteral("Harbour Lights Launch"));
    deck->slide(1).shape(2).textRange().setText(QStringLiteral("Lantern Pro\r\nMarketing Plan"));
    testing::writeLines(deck->slide(2).shape(QStringLiteral("Rectangle 98")).textRange(),
                        {QStringLiteral("Coastal towns first"), QStringLiteral("- Ferry terminals and marinas"),
                         QStringLiteral("Inland next") + QChar(0x01), QString()});
    testing::writeLines(deck->slide(17).shape(QStringLiteral("Rectangle 3")).textRange(),
                        {QStringLiteral("Quarterly review \u2019til launch")});

    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    const QString deckPath = folder.filePath(QStringLiteral("filled.pptx"));
    deck->saveAs(deckPath);

    QString output;
    ASSERT_TRUE(run(soffice,
                    {QStringLiteral("--headless"), QStringLiteral("--norestore"),
                     QStringLiteral("-env:UserInstallation=file://") + folder.filePath(QStringLiteral("profile")),
                     QStringLiteral("--convert-to"), QStringLiteral("pdf"), QStringLiteral("--outdir"), folder.path(), deckPath},
                    output))
        << qPrintable(output);
    const QString pdf = folder.filePath(QStringLiteral("filled.pdf"));
    ASSERT_TRUE(QFile::exists(pdf)) << qPrintable(output);

    QString text;
    ASSERT_TRUE(run(pdftotext, {pdf, QStringLiteral("-")}, text)) << qPrintable(text);
    for (const QString& expected :
         {QStringLiteral("Harbour Lights Launch"), QStringLiteral("Lantern Pro"), QStringLiteral("Coastal towns first"),
          QStringLiteral("- Ferry terminals and marinas"), QStringLiteral("Inland next"),
          QStringLiteral("Quarterly review \u2019til launch"), QStringLiteral("Product Definition"),
          QStringLiteral("Describe product/service being marketed.")})
        EXPECT_TRUE(text.contains(expected)) << qPrintable(expected);
    EXPECT_FALSE(text.contains(QLatin1String("Market: past, present"))) << "slide 2's hint was replaced";
}

} // namespace
} // namespace quillora::deck
