// A deck the engine saved opens and renders in LibreOffice Impress: convert
// it to PDF headless and find the written texts in the PDF's text. The
// statements are written by the real shape text writer.

#include "DeckTestSupport.h"
#include "tests/support/EngineDeck.h"
#include "tests/support/LibreOffice.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>

namespace quillora::deck {
namespace {

TEST(LibreOffice, RendersTheWrittenTextsOfASavedDeck)
{
    const quillora::testing::OfficeTools office = quillora::testing::findOfficeTools();
    if (!office.available())
        GTEST_SKIP() << "LibreOffice (soffice) or pdftotext is not installed; scripts/install-deps --test installs them";

    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    const QString deckPath = folder.filePath(QStringLiteral("filled.pptx"));
    ASSERT_TRUE(QFile::copy(testing::builtTemplatePath(), deckPath));
    {
        quillora::testing::EngineDeck deck(deckPath);
        deck.setText(1, 1, QStringLiteral("Harbour Lights Launch"));
        deck.setText(1, 2, QStringLiteral("Lantern Pro\r\nMarketing Plan"));
        deck.write(2, QStringLiteral("Rectangle 98"),
                   {QStringLiteral("Coastal towns first"), QStringLiteral("- Ferry terminals and marinas"),
                    QStringLiteral("Inland next") + QChar(0x01), QString()});
        deck.write(17, QStringLiteral("Rectangle 3"), {QStringLiteral("Quarterly review \u2019til launch")});
        EXPECT_TRUE(deck.failures.failures.empty());
        deck.save();
    }

    QString error;
    const QString pdf = quillora::testing::convertToPdf(office, deckPath, folder.path(), &error);
    ASSERT_FALSE(pdf.isEmpty()) << qPrintable(error);
    const QString text = quillora::testing::pdfText(office, pdf, &error);
    ASSERT_TRUE(error.isEmpty()) << qPrintable(error);
    for (const QString& expected :
         {QStringLiteral("Harbour Lights Launch"), QStringLiteral("Lantern Pro"), QStringLiteral("Coastal towns first"),
          QStringLiteral("- Ferry terminals and marinas"), QStringLiteral("Inland next"),
          QStringLiteral("Quarterly review \u2019til launch"), QStringLiteral("Product Definition"),
          QStringLiteral("Describe product/service being marketed.")})
        EXPECT_TRUE(text.contains(expected)) << qPrintable(expected);
    EXPECT_FALSE(text.contains(QLatin1String("Market: past, present"))) << "slide 2's hint was replaced";
}

TEST(LibreOffice, RendersADeckFilledFromAMacroTemplate)
{
    const quillora::testing::OfficeTools office = quillora::testing::findOfficeTools();
    if (!office.available())
        GTEST_SKIP() << "LibreOffice (soffice) or pdftotext is not installed; scripts/install-deps --test installs them";

    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    quillora::testing::PackageParts parts = quillora::testing::PackageParts::minimalDeck(1);
    parts.addVbaProject("application/vnd.ms-powerpoint.template.macroEnabled.main+xml");
    const QString deckPath = folder.filePath(QStringLiteral("filled.pptx"));
    {
        auto deck = Presentation::fromBytes(parts.zip(), QStringLiteral("plan.potm"));
        deck->slide(1).shape(QStringLiteral("Title 1")).textRange().setText(QStringLiteral("MacroFreeLaunch"));
        deck->saveAs(deckPath);
    }

    QString error;
    const QString pdf = quillora::testing::convertToPdf(office, deckPath, folder.path(), &error);
    ASSERT_FALSE(pdf.isEmpty()) << qPrintable(error);
    const QString text = quillora::testing::pdfText(office, pdf, &error);
    ASSERT_TRUE(error.isEmpty()) << qPrintable(error);
    EXPECT_TRUE(text.contains(QLatin1String("MacroFreeLaunch"))) << qPrintable(text);
}

TEST(LibreOffice, OpensADeckWithCopiedSlidesAsOnePagePerSlide)
{
    const quillora::testing::OfficeTools office = quillora::testing::findOfficeTools();
    if (!office.available())
        GTEST_SKIP() << "LibreOffice (soffice) or pdftotext is not installed; scripts/install-deps --test installs them";
    QTemporaryDir folder;
    const auto deck = Presentation::open(testing::builtTemplatePath());
    deck->duplicateSlide(2).shape(QStringLiteral("Rectangle 98")).textRange().setText(QStringLiteral("Copied"));
    deck->duplicateSlide(3);
    deck->saveAs(folder.filePath(QStringLiteral("copied.pptx")));
    QString error;
    const QString pdf = quillora::testing::convertToPdf(office, folder.filePath(QStringLiteral("copied.pptx")), folder.path(), &error);
    ASSERT_EQ(quillora::testing::pdfLayout(office, pdf, &error).size(), 19u) << qPrintable(error);
    EXPECT_EQ(quillora::testing::pdfText(office, pdf, &error).count(QLatin1String("Copied")), 2);
}

} // namespace
} // namespace quillora::deck
