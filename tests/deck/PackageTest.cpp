// The package layer: round trips keep untouched parts byte for byte, and
// every kind of bad input is refused with a clear error.

#include "DeckTestSupport.h"
#include "tests/support/TestFiles.h"

#include "deck/ZipArchive.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QXmlStreamReader>

namespace quillora::deck {
namespace {

using testing::partNames;
using testing::partOf;
using testing::zipOf;

using quillora::testing::readFile;
using quillora::testing::writeFile;

// The error text of opening these bytes, or "" when they open.
QString openError(const QByteArray& bytes, const QString& name = QStringLiteral("plan.pptx"))
{
    try {
        Presentation::fromBytes(bytes, name);
    } catch (const DeckError& error) {
        return error.description();
    }
    return {};
}

TEST(PackageRoundTrip, UntouchedPartsAreWrittenBackByteForByte)
{
    const QByteArray original = readFile(testing::templatePath());
    auto deck = Presentation::open(testing::templatePath());
    const QByteArray saved = deck->toBytes();

    const QStringList names = partNames(original);
    ASSERT_EQ(partNames(saved).size(), names.size());
    EXPECT_EQ(partNames(saved).first(), QStringLiteral("[Content_Types].xml"));
    for (const QString& name : names)
        EXPECT_EQ(partOf(saved, name), partOf(original, name)) << qPrintable(name);
}

TEST(PackageRoundTrip, OnlyTheEditedSlideIsRewritten)
{
    const QByteArray original = readFile(testing::templatePath());
    auto deck = Presentation::open(testing::templatePath());
    deck->slide(3).shape(QStringLiteral("Rectangle 3")).textRange().setText(QStringLiteral("Edited"));
    const QByteArray saved = deck->toBytes();

    for (const QString& name : partNames(original)) {
        if (name == QLatin1String("ppt/slides/slide3.xml"))
            EXPECT_NE(partOf(saved, name), partOf(original, name));
        else
            EXPECT_EQ(partOf(saved, name), partOf(original, name)) << qPrintable(name);
    }
    auto reopened = Presentation::fromBytes(saved);
    EXPECT_EQ(reopened->slide(3).shape(QStringLiteral("Rectangle 3")).textRange().text(), QStringLiteral("Edited"));
}

TEST(PackageRoundTrip, UnknownPartsAndElementsSurviveAnEdit)
{
    const QString unknownShape = QStringLiteral("<p:extra xmlns:p=\"http://schemas.openxmlformats.org/presentationml/2006/main\" keep=\"1\"/>");
    auto deck = testing::openDeck({{testing::textShape(2, QStringLiteral("Body")) + unknownShape
                                    + QStringLiteral("<x:note xmlns:x=\"urn:example\">kept</x:note>")},
                                   {},
                                   {QStringLiteral("custom/data.bin=opaque \x01 bytes")}});
    deck->slide(1).shape(1).textRange().setText(QStringLiteral("new text"));
    const QByteArray saved = deck->toBytes();
    EXPECT_EQ(partOf(saved, QStringLiteral("custom/data.bin")), QByteArray("opaque \x01 bytes"));
    const QByteArray slide = partOf(saved, QStringLiteral("ppt/slides/slide1.xml"));
    EXPECT_TRUE(slide.contains("<p:extra keep=\"1\"") || slide.contains("keep=\"1\""));
    EXPECT_TRUE(slide.contains("<x:note xmlns:x=\"urn:example\">kept</x:note>"));
    EXPECT_TRUE(slide.contains("new text"));
}

TEST(PackageRoundTrip, AttributeLineBreaksSurviveARewrite)
{
    const QString described = QStringLiteral(
        "<p:sp><p:nvSpPr><p:cNvPr id=\"3\" name=\"Described\" descr=\"first line&#10;second&#9;line\"/><p:cNvSpPr/><p:nvPr/>"
        "</p:nvSpPr><p:spPr/><p:txBody><a:bodyPr/><a:p/></p:txBody></p:sp>");
    auto deck = testing::openDeck({{testing::textShape(2, QStringLiteral("Body")) + described}, {}, {}});
    deck->slide(1).shape(1).textRange().setText(QStringLiteral("edited"));
    const QByteArray slide = partOf(deck->toBytes(), QStringLiteral("ppt/slides/slide1.xml"));
    // Read back by another XML reader, which keeps character references.
    QXmlStreamReader reader(slide);
    QString description;
    while (!reader.atEnd())
        if (reader.readNext() == QXmlStreamReader::StartElement && reader.attributes().hasAttribute(QLatin1String("descr")))
            description = reader.attributes().value(QLatin1String("descr")).toString();
    EXPECT_FALSE(reader.hasError()) << qPrintable(reader.errorString());
    EXPECT_EQ(description, QStringLiteral("first line\nsecond\tline"));
}

TEST(PackageRoundTrip, APartWhoseHeaderOverstatesItsCompressedSizeIsRepackedFromItsText)
{
    // Found by fuzzing: slide2.xml inflates fine, but the central directory
    // claims 13 MB of compressed data, so it cannot be copied as it stands.
    auto deck = Presentation::open(QStringLiteral(QUILLORA_SOURCE_DIR "/tests/deck/data/compressed-size-past-end.pptx"));
    ASSERT_EQ(deck->slideCount(), 2);
    const QByteArray saved = deck->toBytes();
    auto reopened = Presentation::fromBytes(saved);
    EXPECT_EQ(reopened->slideCount(), 2);
    EXPECT_EQ(partOf(saved, QStringLiteral("ppt/slides/slide2.xml")),
              partOf(readFile(QStringLiteral(QUILLORA_SOURCE_DIR "/tests/deck/data/compressed-size-past-end.pptx")),
                     QStringLiteral("ppt/slides/slide2.xml")));
}

TEST(PackageSave, SaveAsReplacesTheTargetAndLeavesNothingElseBehind)
{
    QTemporaryDir folder;
    const QString target = folder.filePath(QStringLiteral("out.pptx"));
    writeFile(target, "old content");
    auto deck = Presentation::open(testing::templatePath());
    deck->slide(1).shape(1).textRange().setText(QStringLiteral("Saved title"));
    deck->saveAs(target);

    EXPECT_EQ(QDir(folder.path()).entryList(QDir::Files | QDir::Hidden), QStringList{QStringLiteral("out.pptx")});
    auto reopened = Presentation::open(target);
    EXPECT_EQ(reopened->slide(1).shape(1).textRange().text(), QStringLiteral("Saved title"));
    EXPECT_EQ(reopened->path(), target);
    EXPECT_EQ(deck->path(), testing::templatePath());
}

TEST(PackageSave, AFailedSaveReportsAndWritesNothing)
{
    QTemporaryDir folder;
    const QString target = folder.filePath(QStringLiteral("missing/out.pptx"));
    auto deck = Presentation::open(testing::templatePath());
    try {
        deck->saveAs(target);
        FAIL() << "saving into a missing folder succeeded";
    } catch (const DeckError& error) {
        EXPECT_TRUE(error.description().contains(target)) << error.what();
    }
    EXPECT_TRUE(QDir(folder.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden).isEmpty());
}

TEST(PackageBadInput, AMissingFileNamesThePath)
{
    try {
        Presentation::open(QStringLiteral("/nonexistent/folder/plan.pptx"));
        FAIL();
    } catch (const DeckError& error) {
        EXPECT_TRUE(error.description().contains(QLatin1String("/nonexistent/folder/plan.pptx"))) << error.what();
    }
}

TEST(PackageBadInput, AFolderIsNotAPresentation)
{
    QTemporaryDir folder;
    EXPECT_THROW(Presentation::open(folder.path()), DeckError);
}

TEST(PackageBadInput, NotAZip)
{
    EXPECT_EQ(openError("plain text", QString()), QStringLiteral("The file is not a presentation file."));
    EXPECT_EQ(openError("this is plain text, not a presentation"), QStringLiteral("plan.pptx is not a presentation file."));
    EXPECT_EQ(openError(QByteArray()), QStringLiteral("plan.pptx is not a presentation file."));
    EXPECT_EQ(openError(QByteArray("PK\x03\x04 truncated")), QStringLiteral("plan.pptx is not a presentation file."));
}

TEST(PackageBadInput, ALegacyBinaryPresentationMustBeSavedAsPptx)
{
    QByteArray ole("\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1", 8);
    ole.append(QByteArray(512, '\0'));
    const QString message = openError(ole, QStringLiteral("marketing_plan.ppt"));
    EXPECT_TRUE(message.startsWith(QLatin1String("marketing_plan.ppt is a PowerPoint 97-2003 presentation")));
    EXPECT_TRUE(message.contains(QLatin1String(".pptx"))) << qPrintable(message);
}

TEST(PackageBadInput, AZipWithoutAPresentation)
{
    EXPECT_EQ(openError(zipOf({{QStringLiteral("readme.txt"), "hello"}})), QStringLiteral("plan.pptx holds no presentation."));

    // A word-processing document: the main part is there but is not a presentation.
    const QByteArray word = zipOf(
        {{QStringLiteral("[Content_Types].xml"),
          "<Types xmlns=\"http://schemas.openxmlformats.org/package/2006/content-types\"><Override PartName=\"/word/document.xml\" "
          "ContentType=\"application/vnd.openxmlformats-officedocument.wordprocessingml.document.main+xml\"/></Types>"},
         {QStringLiteral("_rels/.rels"),
          "<Relationships xmlns=\"http://schemas.openxmlformats.org/package/2006/relationships\"><Relationship Id=\"rId1\" "
          "Type=\"http://schemas.openxmlformats.org/officeDocument/2006/relationships/officeDocument\" Target=\"word/document.xml\"/>"
          "</Relationships>"},
         {QStringLiteral("word/document.xml"), "<w:document xmlns:w=\"urn:w\"/>"}});
    EXPECT_EQ(openError(word), QStringLiteral("plan.pptx holds no presentation."));
}

TEST(PackageBadInput, MalformedXmlNamesThePart)
{
    QByteArray deck = testing::makeDeck({{testing::textShape(2, QStringLiteral("Body"))}, {}, {}});
    // Rebuild with a broken slide part.
    QList<QPair<QString, QByteArray>> entries;
    for (const QString& name : partNames(deck))
        entries.append({name, name == QLatin1String("ppt/slides/slide1.xml") ? QByteArray("<p:sld><unclosed></p:sld>")
                                                                              : partOf(deck, name)});
    const QString message = openError(zipOf(entries));
    EXPECT_TRUE(message.contains(QLatin1String("ppt/slides/slide1.xml"))) << qPrintable(message);
    EXPECT_TRUE(message.contains(QLatin1String("not well-formed"))) << qPrintable(message);
}

TEST(PackageBadInput, AMissingSlidePartIsNamed)
{
    QByteArray deck = testing::makeDeck({{testing::textShape(2, QStringLiteral("Body"))}, {}, {}});
    QList<QPair<QString, QByteArray>> entries;
    for (const QString& name : partNames(deck))
        if (name != QLatin1String("ppt/slides/slide1.xml"))
            entries.append({name, partOf(deck, name)});
    const QString message = openError(zipOf(entries));
    EXPECT_TRUE(message.contains(QLatin1String("ppt/slides/slide1.xml is missing"))) << qPrintable(message);
}

TEST(PackageBadInput, OversizedEntriesAreRefusedWhileInflating)
{
    const QByteArray big(4000, 'a');
    const QByteArray zip = zipOf({{QStringLiteral("big.xml"), big}});
    detail::ZipLimits limits;
    limits.maxEntryBytes = 1000;
    EXPECT_THROW(detail::readZip(zip, QStringLiteral("x"), limits), DeckError);

    limits = {};
    limits.maxTotalBytes = 6000;
    EXPECT_THROW(detail::readZip(zipOf({{QStringLiteral("a"), big}, {QStringLiteral("b"), big}}), QStringLiteral("x"), limits),
                 DeckError);
    EXPECT_EQ(detail::readZip(zip, QStringLiteral("x")).front().data, big);
}

TEST(PackageBadInput, AHeaderThatUnderstatesTheSizeDoesNotGetPastTheLimit)
{
    // Make both headers claim 10 bytes for an entry that inflates to 4000.
    QByteArray zip = zipOf({{QStringLiteral("big.xml"), QByteArray(4000, 'a')}});
    const auto patchSize = [&](const char* signature, int sizeOffset) {
        const qsizetype at = zip.indexOf(QByteArray(signature, 4));
        ASSERT_GE(at, 0);
        zip[at + sizeOffset] = 10;
        zip[at + sizeOffset + 1] = 0;
    };
    patchSize("PK\x03\x04", 22); // local header: uncompressed size
    patchSize("PK\x01\x02", 24); // central directory: uncompressed size
    detail::ZipLimits limits;
    limits.maxEntryBytes = 1000;
    try {
        const auto entries = detail::readZip(zip, QStringLiteral("x"), limits);
        // If the reader stops at the claimed size, it must not hand out more.
        ASSERT_EQ(entries.size(), 1u);
        EXPECT_LE(entries.front().data.size(), 1000);
    } catch (const DeckError&) {
        SUCCEED();
    }
}

} // namespace
} // namespace quillora::deck
