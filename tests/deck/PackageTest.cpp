// The package layer: round trips keep untouched parts byte for byte, and
// every kind of bad input is refused with a clear error.

#include "DeckTestSupport.h"
#include "tests/support/TestFiles.h"

#include "deck/OpcPackage.h"
#include "deck/PackageRefusals.h"
#include "deck/RunnableContent.h"
#include "deck/ZipArchive.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QXmlStreamReader>

#include <functional>

#include <zip.h>

namespace quillora::deck {
namespace {

using testing::partNames;
using testing::partOf;
using testing::zipOf;

using quillora::testing::readFile;
using quillora::testing::writeFile;

// How the named entry of a zip is stored (ZIP_CM_STORE, ZIP_CM_DEFLATE), or
// -1 when it is not there.
int compressionOf(const QByteArray& zip, const char* name)
{
    zip_error_t error;
    zip_error_init(&error);
    zip_source_t* source = zip_source_buffer_create(zip.constData(), static_cast<zip_uint64_t>(zip.size()), 0, &error);
    zip_t* archive = source ? zip_open_from_source(source, ZIP_RDONLY, &error) : nullptr;
    zip_error_fini(&error);
    if (!archive) {
        zip_source_free(source);
        return -1;
    }
    zip_stat_t stat;
    const int method = zip_stat(archive, name, 0, &stat) == 0 ? stat.comp_method : -1;
    zip_discard(archive);
    return method;
}

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
    const QByteArray original = readFile(testing::builtTemplatePath());
    auto deck = Presentation::open(testing::builtTemplatePath());
    const QByteArray saved = deck->toBytes();

    const QStringList names = partNames(original);
    ASSERT_EQ(partNames(saved).size(), names.size());
    EXPECT_EQ(partNames(saved).first(), QStringLiteral("[Content_Types].xml"));
    for (const QString& name : names)
        EXPECT_EQ(partOf(saved, name), partOf(original, name)) << qPrintable(name);
}

TEST(PackageRoundTrip, OnlyTheEditedSlideIsRewritten)
{
    const QByteArray original = readFile(testing::builtTemplatePath());
    auto deck = Presentation::open(testing::builtTemplatePath());
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
    // (Its slides' layout relationships and layout were added later.)
    auto deck = Presentation::open(QStringLiteral(QUILLORA_SOURCE_DIR "/tests/deck/data/compressed-size-past-end.pptx"));
    ASSERT_EQ(deck->slideCount(), 2);
    const QByteArray saved = deck->toBytes();
    auto reopened = Presentation::fromBytes(saved);
    EXPECT_EQ(reopened->slideCount(), 2);
    EXPECT_EQ(partOf(saved, QStringLiteral("ppt/slides/slide2.xml")),
              partOf(readFile(QStringLiteral(QUILLORA_SOURCE_DIR "/tests/deck/data/compressed-size-past-end.pptx")),
                     QStringLiteral("ppt/slides/slide2.xml")));
    // Only that part is packed afresh (small parts are stored); the sound
    // ones are still copied compressed as they were.
    EXPECT_EQ(compressionOf(saved, "ppt/slides/slide2.xml"), ZIP_CM_STORE);
    EXPECT_EQ(compressionOf(saved, "ppt/slides/slide1.xml"), ZIP_CM_DEFLATE);
    EXPECT_EQ(compressionOf(saved, "[Content_Types].xml"), ZIP_CM_DEFLATE);
}

TEST(PackageRoundTrip, PartsBelowThirtyTwoKibibytesAreStoredAndLargerOnesDeflated)
{
    const QByteArray zip = zipOf({{QStringLiteral("small"), QByteArray(32 * 1024 - 1, 'x')},
                                  {QStringLiteral("large"), QByteArray(32 * 1024, 'x')}});
    EXPECT_EQ(compressionOf(zip, "small"), ZIP_CM_STORE);
    EXPECT_EQ(compressionOf(zip, "large"), ZIP_CM_DEFLATE);
}

TEST(PackageRoundTrip, APartWhoseHeaderMisstatesItsSizeIsRepackedFromItsText)
{
    // A deflated slide whose central directory claims one byte more than it
    // inflates to: copied as it stands, the saved deck would carry the lie.
    const QByteArray slide(40 * 1024, 'x'); // large enough to be deflated
    QByteArray zip = zipOf({{QStringLiteral("ppt/slides/slide1.xml"), slide}, {QStringLiteral("b.xml"), "<b/>"}});
    const qsizetype central = zip.indexOf(QByteArray("PK\x01\x02", 4));
    ASSERT_GE(central, 0);
    ASSERT_EQ(compressionOf(zip, "ppt/slides/slide1.xml"), ZIP_CM_DEFLATE);
    zip[central + 24] = static_cast<char>(zip[central + 24] + 1);

    std::vector<detail::ZipEntry> entries;
    try {
        entries = detail::readZip(zip, QStringLiteral("x"));
    } catch (const DeckError& error) {
        GTEST_SKIP() << "this libzip refuses the size mismatch when reading: " << error.what();
    }
    ASSERT_EQ(entries.size(), 2u);
    EXPECT_EQ(entries[0].sourceIndex, -1) << "the misdescribed entry is packed afresh";
    EXPECT_EQ(entries[1].sourceIndex, 1) << "a sound entry is copied";
    const QByteArray saved = detail::writeZip(entries, zip);
    EXPECT_EQ(partOf(saved, QStringLiteral("ppt/slides/slide1.xml")), slide);
    EXPECT_EQ(partOf(saved, QStringLiteral("b.xml")), QByteArray("<b/>"));
}

TEST(PackageSave, PackingErrorsGiveLibzipsReasonAndThePart)
{
    try {
        detail::writeZip({{QStringLiteral("a.xml"), "<a/>"}, {QStringLiteral("a.xml"), "<b/>"}});
        FAIL() << "two entries with one name were packed";
    } catch (const DeckError& error) {
        EXPECT_EQ(error.description(),
                  QStringLiteral("The presentation could not be packed: the part a.xml cannot be added "
                                 "(libzip: File already exists)."));
    }
    // Parts to copy from a source that is not an archive.
    EXPECT_THROW(detail::writeZip({{QStringLiteral("a.xml"), "<a/>", 0}}, "not a zip"), DeckError);
}

TEST(PackageSave, SaveAsReplacesTheTargetAndLeavesNothingElseBehind)
{
    QTemporaryDir folder;
    const QString target = folder.filePath(QStringLiteral("out.pptx"));
    writeFile(target, "old content");
    auto deck = Presentation::open(testing::builtTemplatePath());
    deck->slide(1).shape(1).textRange().setText(QStringLiteral("Saved title"));
    deck->saveAs(target);

    EXPECT_EQ(QDir(folder.path()).entryList(QDir::Files | QDir::Hidden), QStringList{QStringLiteral("out.pptx")});
    auto reopened = Presentation::open(target);
    EXPECT_EQ(reopened->slide(1).shape(1).textRange().text(), QStringLiteral("Saved title"));
    EXPECT_EQ(reopened->path(), target);
    EXPECT_EQ(deck->path(), testing::builtTemplatePath());
}

TEST(PackageSave, AFailedSaveReportsAndWritesNothing)
{
    QTemporaryDir folder;
    const QString target = folder.filePath(QStringLiteral("missing/out.pptx"));
    auto deck = Presentation::open(testing::builtTemplatePath());
    try {
        deck->saveAs(target);
        FAIL() << "saving into a missing folder succeeded";
    } catch (const DeckError& error) {
        EXPECT_TRUE(error.description().contains(target)) << error.what();
    }
    EXPECT_TRUE(QDir(folder.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden).isEmpty());
}

// A template's VBA project never reaches a saved deck, and what is left is a
// consistent plain presentation.
struct MacroTemplate {
    const char* what;
    QByteArray mainContentType;
    QByteArray binDefault; // empty: the project goes by the "bin" Default
};

TEST(PackageMacros, AFilledMacroTemplateIsSavedAsAPlainPresentation)
{
    const std::vector<MacroTemplate> cases{
        {".potm, project typed by the bin Default", "application/vnd.ms-powerpoint.template.macroEnabled.main+xml", {}},
        {".pptm, an embedded object keeps the bin Default",
         "application/vnd.ms-powerpoint.presentation.macroEnabled.main+xml",
         "application/vnd.openxmlformats-officedocument.oleObject"},
    };
    for (const MacroTemplate& macro : cases) {
        SCOPED_TRACE(macro.what);
        quillora::testing::PackageParts parts = quillora::testing::PackageParts::minimalDeck(1);
        parts.addVbaProject(macro.mainContentType, macro.binDefault);
        // A remote project's address is no part of the package, even one
        // spelled as a part's name; an element no reader knows is passed
        // over and kept.
        QByteArray rels = parts.part(QStringLiteral("ppt/_rels/presentation.xml.rels"));
        rels.replace("</Relationships>", "<Relationship Id=\"rIdRemote\" TargetMode=\"External\" Target=\"ppt/embeddings/"
                                         "oleObject1.bin\" Type=\"" + detail::kMacroRelationshipTypes[0].toUtf8()
                                             + "\"/><x:Unknown xmlns:x=\"urn:x\" Target=\"vbaProject.bin\"/></Relationships>");
        parts.set(QStringLiteral("ppt/_rels/presentation.xml.rels"), rels);
        auto deck = Presentation::fromBytes(parts.zip(), QStringLiteral("plan.potm"));
        deck->slide(1).shape(QStringLiteral("Title 1")).textRange().setText(QStringLiteral("Filled"));
        const QByteArray saved = deck->toBytes();

        const QStringList names = partNames(saved);
        EXPECT_TRUE(names.filter(QStringLiteral("vbaProject"), Qt::CaseInsensitive).isEmpty()) << qPrintable(names.join(' '));
        EXPECT_EQ(names.contains(QStringLiteral("ppt/embeddings/oleObject1.bin")), !macro.binDefault.isEmpty());
        detail::OpcPackage package(saved, QStringLiteral("saved"));
        for (const QString& source : {QString(), QStringLiteral("ppt/presentation.xml")}) {
            for (const detail::Relationship& relationship : package.relationships(source)) {
                EXPECT_FALSE(detail::kMacroRelationshipTypes.contains(relationship.type));
                EXPECT_NE(package.find(relationship.target), nullptr) << qPrintable(relationship.target) << " dangles";
            }
        }
        EXPECT_TRUE(partOf(saved, QStringLiteral("ppt/_rels/presentation.xml.rels")).contains("<x:Unknown"));
        const QByteArray types = partOf(saved, QStringLiteral("[Content_Types].xml"));
        EXPECT_FALSE(types.contains("vbaProject")) << types.constData();
        EXPECT_EQ(types.contains("Extension=\"bin\""), !macro.binDefault.isEmpty()) << types.constData();
        EXPECT_EQ(package.contentType(QStringLiteral("ppt/presentation.xml")),
                  QString::fromLatin1(detail::kPresentationMainContentType));

        const auto reopened = Presentation::fromBytes(saved);
        EXPECT_EQ(reopened->slide(1).shape(QStringLiteral("Title 1")).textRange().text(), QStringLiteral("Filled"));
    }
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
    // An archive of no entries at all.
    EXPECT_EQ(openError(QByteArray("PK\x05\x06", 4) + QByteArray(18, '\0')), QStringLiteral("plan.pptx holds no presentation."));
    // A zip that libzip cannot make sense of: its own reason is given.
    EXPECT_EQ(openError(QByteArray("PK\x03\x04 truncated")),
              QStringLiteral("plan.pptx is not a presentation file (libzip: Not a zip archive)."));
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
    // pugixml's own description and the offset where it stopped.
    EXPECT_EQ(openError(zipOf(entries)),
              QStringLiteral("plan.pptx is damaged: the part ppt/slides/slide1.xml is not well-formed XML "
                             "(Start-end tags mismatch at byte 19)."));
}

TEST(PackageBadInput, DamagedDataGivesLibzipsReasonAndThePart)
{
    QByteArray deck = testing::makeDeck({{testing::textShape(2, QStringLiteral("Body"))}, {}});
    QList<QPair<QString, QByteArray>> entries;
    for (const QString& name : partNames(deck))
        entries.append({name, partOf(deck, name)});
    QByteArray zip = zipOf(entries); // small parts are stored, so the text is in the file as it is
    const qsizetype at = zip.indexOf("<p:sld ");
    ASSERT_GE(at, 0);
    zip[at + 1] = 'q';
    EXPECT_EQ(openError(zip),
              QStringLiteral("plan.pptx is damaged: the part ppt/slides/slide1.xml cannot be read (libzip: CRC error)."));
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

// Packages that readers could take for different decks, or that lack what
// every reader needs, each refused with the sentence that names the part.
struct Refused {
    const char* what;
    QByteArray bytes;
    QString sentence;
};

QByteArray minimalZip()
{
    return quillora::testing::PackageParts::minimalDeck(3).zip();
}

TEST(PackageBadInput, AmbiguousOrIncompletePackagesAreRefusedNamingThePart)
{
    using quillora::testing::withLocalHeaderName;
    using quillora::testing::withRenamedEntry;
    const QString name = QStringLiteral("plan.pptx");
    const QString fuzzFinding = QStringLiteral(QUILLORA_SOURCE_DIR "/fuzz/corpus/deck_open/entry-named-twice.pptx");
    quillora::testing::PackageParts noLayout = quillora::testing::PackageParts::minimalDeck(3);
    noLayout.remove(QStringLiteral("ppt/slides/_rels/slide2.xml.rels"));
    quillora::testing::PackageParts missingLayout = quillora::testing::PackageParts::minimalDeck(3);
    missingLayout.remove(QStringLiteral("ppt/slideLayouts/slideLayout1.xml"));

    const std::vector<Refused> cases{
        {"the central directory names one part twice",
         withRenamedEntry(minimalZip(), "ppt/slides/slide3.xml", "ppt/slides/slide1.xml"),
         detail::partStoredTwice(name, QStringLiteral("ppt/slides/slide1.xml"))},
        {"two names for one part, differing in case",
         withRenamedEntry(minimalZip(), "ppt/slides/slide3.xml", "PPT/Slides/slide1.xml"),
         detail::partStoredTwice(name, QStringLiteral("PPT/Slides/slide1.xml"))},
        {"a backslash for a slash",
         withRenamedEntry(minimalZip(), "ppt/slides/slide3.xml", "ppt\\slides\\slide1.xml"),
         detail::partStoredTwice(name, QStringLiteral("ppt\\slides\\slide1.xml"))},
        {"a local header naming another part",
         withLocalHeaderName(minimalZip(), "ppt/slides/_rels/slide1.xml.rels", "ppt/slides/_rels/slide9.xml.rels"),
         detail::partStoredUnderAnotherName(name, QStringLiteral("ppt/slides/_rels/slide1.xml.rels"),
                                            QStringLiteral("ppt/slides/_rels/slide9.xml.rels"))},
        {"a slide without its layout relationship", noLayout.zip(),
         detail::slideWithoutLayout(name, 2, QStringLiteral("ppt/slides/slide2.xml"))},
        {"a layout relationship to a missing part", missingLayout.zip(),
         detail::slideWithoutLayout(name, 1, QStringLiteral("ppt/slides/slide1.xml"))},
        // Found by fuzzing: the built template with one central-directory
        // name changed; it opened, filled and saved a deck whose eighth
        // slide had lost its layout.
        {"the fuzz finding", readFile(fuzzFinding),
         detail::partStoredUnderAnotherName(name, QStringLiteral("ppt/slides/_rels/slide4.xml.rels"),
                                            QStringLiteral("ppt/slides/_rels/slide8.xml.rels"))},
    };
    for (const Refused& refused : cases) {
        SCOPED_TRACE(refused.what);
        ASSERT_FALSE(refused.bytes.isEmpty());
        EXPECT_EQ(openError(refused.bytes, name).toStdString(), refused.sentence.toStdString());
    }
    EXPECT_EQ(openError(minimalZip(), name), QString()) << "the untouched package opens";
}

// A stored zip of two entries written field by field, so that a row can bend
// one field. libzip reads the directory the first end record names; most
// other readers take the last end record, which a row may hide in the first
// one's comment together with a directory of its own.
struct CraftedZip {
    QByteArray bytes; // local headers and data, then the directory
    QList<quint32> locals;
    qsizetype directory = 0;
};

void putLe(QByteArray& out, quint64 value, int width)
{
    for (int i = 0; i < width; ++i)
        out.append(static_cast<char>((value >> (8 * i)) & 0xFF));
}

quint32 crc32Of(const QByteArray& data)
{
    quint32 crc = 0xFFFFFFFF;
    for (const char c : data) {
        crc ^= static_cast<unsigned char>(c);
        for (int k = 0; k < 8; ++k)
            crc = (crc >> 1) ^ (0xEDB88320 & (0 - (crc & 1)));
    }
    return ~crc;
}

const QList<QPair<QByteArray, QByteArray>> kCraftedEntries{{"a.xml", "<a/>"}, {"b/c.xml", "<c/>"}};

// How a central record gives its sizes and local header offset: plainly, or
// as 0xFFFFFFFF with the value in a Zip64 extra field (which holds only the
// overflowed values, uncompressed size first), after an unrelated field.
struct Zip64Fields {
    bool sizes = false;
    bool offset = false;
    bool compressedOnly = false; // of the sizes, only the compressed one overflowed
};

QByteArray centralRecord(const QByteArray& name, const QByteArray& data, quint32 local, Zip64Fields zip64 = {},
                         const QByteArray& extra = {}, const QByteArray& comment = {})
{
    QByteArray field = extra;
    if (zip64.sizes || zip64.offset) {
        QByteArray values;
        if (zip64.sizes) {
            putLe(values, quint64(data.size()), zip64.compressedOnly ? 0 : 8);
            putLe(values, quint64(data.size()), 8);
        }
        if (zip64.offset)
            putLe(values, local, 8);
        field = QByteArray("\x55\x54\x05\x00\x01\x00\x00\x00\x00", 9); // a timestamp field first
        putLe(field, 1, 2);
        putLe(field, quint64(values.size()), 2);
        field += values;
    }
    QByteArray out("PK\x01\x02\x14\x00\x14\x00\x00\x00\x00\x00\x00\x00\x00\x00", 16);
    putLe(out, crc32Of(data), 4);
    putLe(out, zip64.sizes ? 0xFFFFFFFF : quint64(data.size()), 4);
    putLe(out, zip64.sizes && !zip64.compressedOnly ? 0xFFFFFFFF : quint64(data.size()), 4);
    putLe(out, quint64(name.size()), 2);
    putLe(out, quint64(field.size()), 2);
    putLe(out, quint64(comment.size()), 2);
    out += QByteArray(8, '\0'); // disk, attributes
    putLe(out, zip64.offset ? 0xFFFFFFFF : local, 4);
    return out + name + field + comment;
}

QByteArray endRecord(quint64 entries, quint64 size, quint64 offset, qsizetype commentLength)
{
    QByteArray out("PK\x05\x06\0\0\0\0", 8);
    putLe(out, entries, 2);
    putLe(out, entries, 2);
    putLe(out, size, 4);
    putLe(out, offset, 4);
    putLe(out, quint64(commentLength), 2);
    return out;
}

// The Zip64 end record at `at` and its locator, which stands just before
// the plain end record.
QByteArray zip64End(quint64 entries, quint64 size, quint64 offset, quint64 at)
{
    QByteArray out("PK\x06\x06", 4);
    putLe(out, 44, 8);
    out += QByteArray("\x2D\x00\x2D\x00\0\0\0\0\0\0\0\0", 12);
    putLe(out, entries, 8);
    putLe(out, entries, 8);
    putLe(out, size, 8);
    putLe(out, offset, 8);
    out += QByteArray("PK\x06\x07\0\0\0\0", 8);
    putLe(out, at, 8);
    putLe(out, 1, 4);
    return out;
}

CraftedZip craftedEntries(Zip64Fields zip64 = {})
{
    CraftedZip zip;
    for (const auto& [name, data] : kCraftedEntries) {
        zip.locals.append(quint32(zip.bytes.size()));
        zip.bytes += QByteArray("PK\x03\x04\x14\x00\x00\x00\x00\x00\x00\x00\x00\x00", 14);
        putLe(zip.bytes, crc32Of(data), 4);
        putLe(zip.bytes, quint64(data.size()), 4);
        putLe(zip.bytes, quint64(data.size()), 4);
        putLe(zip.bytes, quint64(name.size()), 2);
        putLe(zip.bytes, 0, 2);
        zip.bytes += name + data;
    }
    zip.directory = zip.bytes.size();
    for (int i = 0; i < kCraftedEntries.size(); ++i)
        zip.bytes += centralRecord(kCraftedEntries[i].first, kCraftedEntries[i].second, zip.locals[i], zip64);
    return zip;
}

// The crafted entries closed by a plain end record, or by a Zip64 one.
QByteArray craftedZip(Zip64Fields fields = {}, bool zip64EndRecord = false)
{
    CraftedZip zip = craftedEntries(fields);
    const quint64 size = zip.bytes.size() - zip.directory;
    if (zip64EndRecord) {
        zip.bytes += zip64End(2, size, zip.directory, zip.bytes.size());
        return zip.bytes + endRecord(0xFFFF, 0xFFFFFFFF, 0xFFFFFFFF, 0);
    }
    return zip.bytes + endRecord(2, size, zip.directory, 0);
}

// The crafted entries whose end record's comment is `hidden(at)`: what a
// reader of the last end record sees, built for the offset it starts at.
QByteArray withHiddenEnd(const std::function<QByteArray(const CraftedZip&, quint64)>& hidden)
{
    const CraftedZip zip = craftedEntries();
    const quint64 size = zip.bytes.size() - zip.directory;
    const quint64 at = zip.bytes.size() + 22;
    const QByteArray comment = hidden(zip, at);
    return zip.bytes + endRecord(2, size, zip.directory, comment.size()) + comment;
}

// A second directory in the comment: the two records as `records` writes
// them, closed by its own end record.
QByteArray hiddenDirectory(const CraftedZip& zip, quint64 at, const std::function<QByteArray(const CraftedZip&)>& records,
                           qsizetype entries = 2)
{
    const QByteArray directory = records(zip);
    return directory + endRecord(entries, directory.size(), at, 0);
}

QByteArray offsetBytes(quint64 offset)
{
    QByteArray out;
    putLe(out, offset, 8);
    return out;
}

TEST(PackageBadInput, AZipThatReadsTwoWaysIsRefusedAndItsNearMissesOpen)
{
    const QString refused = detail::directoryReadsTwoWays(QStringLiteral("x"));
    const auto plainRecords = [](const CraftedZip& zip) {
        return centralRecord("a.xml", "<a/>", zip.locals[0]) + centralRecord("b/c.xml", "<c/>", zip.locals[1]);
    };
    // The hidden end record in Zip64 form, its locator's offset field
    // pointing at a Zip64 end record for the real directory; `locator`
    // is the locator's signature.
    const auto zip64Hidden = [](const QByteArray& locator) {
        return withHiddenEnd([locator](const CraftedZip& zip, quint64 at) {
            QByteArray out = zip64End(2, zip.bytes.size() - zip.directory, zip.directory, at);
            out.replace(56, 4, locator);
            return out + endRecord(0xFFFF, 0xFFFFFFFF, 0xFFFFFFFF, 0);
        });
    };
    // A hidden directory whose second record takes its offset from the
    // extra data `extra` (the offset put in after it when `filled`), the
    // offset also standing in the record's comment just after.
    const auto zip64Extra = [](const QByteArray& extra, bool filled = false) {
        return withHiddenEnd([extra, filled](const CraftedZip& zip, quint64 at) {
            return hiddenDirectory(zip, at, [&](const CraftedZip& zip) {
                const QByteArray offset = offsetBytes(zip.locals[1]);
                return centralRecord("a.xml", "<a/>", zip.locals[0])
                     + centralRecord("b/c.xml", "<c/>", 0xFFFFFFFF, {}, filled ? extra + offset : extra, offset);
            });
        });
    };
    // A Zip64 end record that the plain one defers to for its count alone.
    const auto zip64Count = [] {
        QByteArray zip = craftedZip({}, true);
        QByteArray offset;
        putLe(offset, quint64(craftedEntries().directory), 4);
        return zip.replace(zip.size() - 6, 4, offset);
    };
    const struct {
        const char* what;
        QByteArray zip;
        bool opens;
    } rows[] = {
        {"plain", craftedZip(), true},
        {"Zip64 end record", craftedZip({}, true), true},
        {"Zip64 offsets", craftedZip({false, true}), true},
        {"Zip64 sizes and offsets", craftedZip({true, true}, true), true},
        {"Zip64 compressed size and offsets", craftedZip({true, true, true}), true},
        {"Zip64 end record for the count alone", zip64Count(), true},
        {"a hidden end record naming the same directory",
         withHiddenEnd([&](const CraftedZip& zip, quint64) { return endRecord(2, zip.bytes.size() - zip.directory, zip.directory, 0); }),
         true},
        {"a hidden end record listing one entry fewer",
         withHiddenEnd([&](const CraftedZip& zip, quint64) { return endRecord(1, zip.bytes.size() - zip.directory, zip.directory, 0); }),
         false},
        {"a hidden directory of the same entries",
         withHiddenEnd([&](const CraftedZip& zip, quint64 at) { return hiddenDirectory(zip, at, plainRecords); }), true},
        {"a hidden directory whose record lacks its signature",
         withHiddenEnd([&](const CraftedZip& zip, quint64 at) {
             return hiddenDirectory(zip, at, [&](const CraftedZip& zip) { return plainRecords(zip).replace(0, 4, "PK\x01\x03"); });
         }),
         false},
        {"a hidden directory whose record is cut short by the file's end",
         withHiddenEnd([&](const CraftedZip& zip, quint64 at) {
             return endRecord(2, 30, at + 22, 0) + plainRecords(zip).left(30);
         }),
         false},
        {"a hidden directory whose name runs past the file's end",
         withHiddenEnd([&](const CraftedZip& zip, quint64 at) {
             return endRecord(2, 51, at + 22, 0) + centralRecord("a.xml", "<a/>", zip.locals[0]).left(49);
         }),
         false},
        {"a hidden directory pointing past the file's end for a local header",
         withHiddenEnd([&](const CraftedZip& zip, quint64 at) {
             return hiddenDirectory(zip, at, [&](const CraftedZip& zip) {
                 return centralRecord("a.xml", "<a/>", zip.locals[0]) + centralRecord("b/c.xml", "<c/>", at + 200);
             });
         }),
         false},
        {"a hidden Zip64 end record behind its locator", zip64Hidden("PK\x06\x07"), true},
        {"a hidden Zip64 end record without a locator", zip64Hidden("PK\x06\x08"), false},
        {"a hidden Zip64 offset in a field of eight bytes", zip64Extra(QByteArray("\x01\x00\x08\x00", 4), true), true},
        {"a hidden Zip64 offset field too short for it", zip64Extra(QByteArray("\x01\x00\x00\x00", 4)), false},
        {"a hidden Zip64 field longer than the extra data", zip64Extra(QByteArray("\x01\x00\x10\x00", 4)), false},
        {"a hidden Zip64 offset without a Zip64 field", zip64Extra(QByteArray("\x02\x00\x00\x00", 4)), false},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.what);
        try {
            const std::vector<detail::ZipEntry> entries = detail::readZip(row.zip, QStringLiteral("x"));
            ASSERT_TRUE(row.opens) << "opened";
            ASSERT_EQ(entries.size(), 2u);
            EXPECT_EQ(entries[0].name, QStringLiteral("a.xml"));
            EXPECT_EQ(entries[1].data, QByteArray("<c/>"));
        } catch (const DeckError& error) {
            EXPECT_FALSE(row.opens) << error.what();
            EXPECT_EQ(error.description(), refused);
        }
    }
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

    // Exactly at both limits is allowed.
    limits = {4000, 8000};
    EXPECT_EQ(detail::readZip(zipOf({{QStringLiteral("a"), big}, {QStringLiteral("b"), big}}), QStringLiteral("x"), limits)
                  .size(),
              2u);
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
