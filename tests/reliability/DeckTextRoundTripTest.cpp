// Texts that must survive a save and a reopen unchanged: cases the text-model
// fuzzer found, kept so they stay fixed.

#include "deck/Deck.h"
#include "tests/support/DeckBuilder.h"
#include "tests/support/SavedDeck.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <memory>

using namespace quillora;
using deck::Presentation;

namespace {

std::unique_ptr<Presentation> oneShapeDeck()
{
    quillora::testing::PackageParts parts = quillora::testing::PackageParts::minimalDeck(1);
    return Presentation::fromBytes(parts.zip());
}

// The saved file must also keep the order the file format requires.
QString savedAndReopened(Presentation& deck)
{
    const QByteArray bytes = deck.toBytes();
    QTemporaryDir folder;
    QFile file(folder.filePath(QStringLiteral("saved.pptx")));
    EXPECT_TRUE(file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size());
    file.close();
    QString problems;
    quillora::testing::SavedDeck::read(file.fileName(), &problems);
    EXPECT_EQ(problems, QString());
    return Presentation::fromBytes(bytes)->slide(1).shape(QStringLiteral("Rectangle 3")).textRange().text();
}

} // namespace

TEST(DeckTextRoundTrip, ALeadingZeroWidthNoBreakSpaceIsKept)
{
    std::unique_ptr<Presentation> deck = oneShapeDeck();
    deck::TextRange text = deck->slide(1).shape(QStringLiteral("Rectangle 3")).textRange();
    const QString value = QStringLiteral("\uFEFFstarts with U+FEFF\r\uFEFFand so does this paragraph");
    text.setText(value);
    EXPECT_EQ(savedAndReopened(*deck), value);
}

TEST(DeckTextRoundTrip, AZeroWidthNoBreakSpaceAtTheStartOfARunIsKept)
{
    std::unique_ptr<Presentation> deck = oneShapeDeck();
    deck::TextRange text = deck->slide(1).shape(QStringLiteral("Rectangle 3")).textRange();
    text.setText(QStringLiteral("big\uFEFFsmall"));
    // A size on the first three characters puts U+FEFF at the start of the second run.
    text.characters(1, 3).setFontSize(30);
    EXPECT_EQ(savedAndReopened(*deck), QStringLiteral("big\uFEFFsmall"));
}
