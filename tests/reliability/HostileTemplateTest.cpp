// Template decks that anyone could put beside the program: zip bombs, entry
// names that climb out of the package, XML entity tricks, truncated and
// damaged zips, dangling slide lists, duplicate shape names and a very long
// deck. Each must be refused with a clear error or work; none may crash,
// hang or eat the memory. The files are built here, not kept as binaries.

#include "deck/Deck.h"
#include "tests/support/DeckBuilder.h"

#include <gtest/gtest.h>


#include <sys/resource.h>

#include <memory>

using namespace quillora;
using namespace quillora::testing;
using deck::DeckError;
using deck::Presentation;

namespace {

struct Outcome {
    std::unique_ptr<Presentation> deck;
    QString refusal;
};

Outcome openBytes(const QByteArray& bytes)
{
    Outcome outcome;
    try {
        outcome.deck = Presentation::fromBytes(bytes, QStringLiteral("marketing_plan.ppt"));
    } catch (const DeckError& error) {
        outcome.refusal = error.description();
    }
    return outcome;
}

// A clear error: one short sentence for a person, not a dump.
void expectClearRefusal(const Outcome& outcome)
{
    EXPECT_FALSE(outcome.deck) << "opened although it should have been refused";
    EXPECT_FALSE(outcome.refusal.trimmed().isEmpty());
    EXPECT_LT(outcome.refusal.size(), 300) << outcome.refusal.toStdString();
    EXPECT_FALSE(outcome.refusal.contains(QLatin1Char('\n'))) << outcome.refusal.toStdString();
}

// Reads every shape's text, writes one, and checks the saved package opens
// again with that text.
void expectUsable(Presentation& deck)
{
    for (int s = 1; s <= deck.slideCount(); ++s) {
        deck::Slide& slide = deck.slide(s);
        for (int n = 1; n <= slide.shapeCount(); ++n) {
            if (slide.shape(n).hasTextFrame())
                (void)slide.shape(n).textRange().text();
        }
    }
    deck::Shape* target = nullptr;
    for (int s = 1; s <= deck.slideCount() && !target; ++s) {
        for (int n = 1; n <= deck.slide(s).shapeCount() && !target; ++n) {
            if (deck.slide(s).shape(n).hasTextFrame())
                target = &deck.slide(s).shape(n);
        }
    }
    if (!target)
        return;
    const int slideNumber = target->slide().number();
    const int shapeNumber = target->number();
    target->textRange().setText(QStringLiteral("Written"));
    std::unique_ptr<Presentation> reopened = Presentation::fromBytes(deck.toBytes());
    EXPECT_EQ(reopened->slide(slideNumber).shape(shapeNumber).textRange().text(), QStringLiteral("Written"));
}

void expectClearRefusalOrUsable(const Outcome& outcome)
{
    if (outcome.deck)
        expectUsable(*outcome.deck);
    else
        expectClearRefusal(outcome);
}

// The process's peak resident memory so far, in MB.
long peakMegabytes()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss / 1024;
}

// Generous: the sanitizers' own overhead included. A bomb that is actually
// inflated needs far more.
constexpr long kMemoryAllowanceMb = 768;

const QString kSlide1 = QStringLiteral("ppt/slides/slide1.xml");
const QString kSlide2 = QStringLiteral("ppt/slides/slide2.xml");

QString textOf(Presentation& deck, int slide, const QString& shape)
{
    return deck.slide(slide).shape(shape).textRange().text();
}

} // namespace

// ---------------------------------------------------------------------------
// Zip bombs

TEST(HostileZip, AnEntryClaimingAnAbsurdSizeIsRefusedWithoutReservingIt)
{
    const long before = peakMegabytes();
    const QByteArray zip = withClaimedSize(PackageParts::minimalDeck(3).zip(), kSlide1, 0xFFFFFFF0u);
    const Outcome outcome = openBytes(zip);
    expectClearRefusal(outcome);
    EXPECT_LT(peakMegabytes() - before, kMemoryAllowanceMb);
}

TEST(HostileZip, AHighlyCompressedPartIsRefusedBeforeItFillsTheMemory)
{
    // 1 GiB of spaces inside a slide's text compresses to a few MB.
    constexpr qint64 kInflatedSize = qint64(1) << 30;
    const QByteArray slide = slideXml({{QStringLiteral("Rectangle 3"), QStringLiteral("@@")}});
    const qsizetype split = slide.indexOf("@@");
    const QByteArray zip = PackageParts::minimalDeck(3).zipWithStreamedPart(kSlide1, slide.left(split), ' ',
                                                                            slide.mid(split + 2), kInflatedSize);
    ASSERT_LT(zip.size(), 8 * 1024 * 1024);

    const long before = peakMegabytes();
    const Outcome outcome = openBytes(zip);
    expectClearRefusal(outcome);
    EXPECT_LT(peakMegabytes() - before, kMemoryAllowanceMb);
}

// ---------------------------------------------------------------------------
// Names that climb out of the package

TEST(HostileZip, AnEntryNamedOutsideThePackageIsRefused)
{
    // Kept, it would travel into every deck saved from this template, where
    // a careless unzip writes it outside its folder.
    for (const QString name : {QStringLiteral("../../evil.xml"), QStringLiteral("ppt/../../evil.xml"),
                               QStringLiteral("/etc/evil.xml"), QStringLiteral("ppt\\..\\..\\evil.xml")}) {
        SCOPED_TRACE(name.toStdString());
        PackageParts parts = PackageParts::minimalDeck(2);
        parts.set(name, "<evil/>");
        const Outcome outcome = openBytes(parts.zip());
        expectClearRefusal(outcome);
        EXPECT_TRUE(outcome.refusal.contains(name)) << outcome.refusal.toStdString();
    }
}

TEST(HostileZip, ARelationshipThatClimbsOutOfThePackageIsNotFollowedToTheDisk)
{
    for (const QByteArray target : {QByteArray("../../../../../../etc/passwd"), QByteArray("/etc/passwd"),
                                    QByteArray("file:///etc/passwd")}) {
        SCOPED_TRACE(target.toStdString());
        PackageParts parts = PackageParts::minimalDeck(2);
        QByteArray rels = parts.part(QStringLiteral("ppt/_rels/presentation.xml.rels"));
        rels.replace("slides/slide1.xml", target);
        parts.set(QStringLiteral("ppt/_rels/presentation.xml.rels"), rels);

        const Outcome outcome = openBytes(parts.zip());
        if (outcome.deck) {
            for (int s = 1; s <= outcome.deck->slideCount(); ++s) {
                deck::Slide& slide = outcome.deck->slide(s);
                for (int n = 1; n <= slide.shapeCount(); ++n) {
                    if (slide.shape(n).hasTextFrame())
                        EXPECT_FALSE(slide.shape(n).textRange().text().contains(QStringLiteral("root:")));
                }
            }
        } else {
            expectClearRefusal(outcome);
        }
    }
}

TEST(HostileZip, TwoEntriesWithOneNameAreRefused)
{
    // Readers differ in which of the two they take; the engine's own tests
    // check the sentence, and the fuzz finding of this kind.
    const QByteArray zip = withRenamedEntry(PackageParts::minimalDeck(3).zip(), "ppt/slides/slide3.xml",
                                            "ppt/slides/slide1.xml");
    const Outcome outcome = openBytes(zip);
    expectClearRefusal(outcome);
    EXPECT_TRUE(outcome.refusal.contains(QLatin1String("ppt/slides/slide1.xml"))) << outcome.refusal.toStdString();
}

// ---------------------------------------------------------------------------
// XML entity tricks

TEST(HostileXml, EntityExpansionIsNeverPerformed)
{
    // "Billion laughs": ten levels of ten references each.
    QByteArray doctype = "<!DOCTYPE p:sld [<!ENTITY lol0 \"lol\">";
    for (int level = 1; level <= 9; ++level) {
        doctype += "<!ENTITY lol" + QByteArray::number(level) + " \"";
        for (int i = 0; i < 10; ++i)
            doctype += "&lol" + QByteArray::number(level - 1) + ";";
        doctype += "\">";
    }
    doctype += "]>\n";
    QByteArray slide = slideXml({{QStringLiteral("Rectangle 3"), QStringLiteral("@@")}});
    slide.replace("@@", "&lol9;");
    slide.insert(slide.indexOf("<p:sld "), doctype);

    PackageParts parts = PackageParts::minimalDeck(2);
    parts.set(kSlide1, slide);
    const long before = peakMegabytes();
    const Outcome outcome = openBytes(parts.zip());
    if (outcome.deck)
        EXPECT_LT(textOf(*outcome.deck, 1, QStringLiteral("Rectangle 3")).size(), 1000);
    else
        expectClearRefusal(outcome);
    EXPECT_LT(peakMegabytes() - before, kMemoryAllowanceMb);
}

TEST(HostileXml, ExternalEntitiesAreNeverRead)
{
    QByteArray slide = slideXml({{QStringLiteral("Rectangle 3"), QStringLiteral("@@")}});
    slide.replace("@@", "&xxe;");
    slide.insert(slide.indexOf("<p:sld "), "<!DOCTYPE p:sld [<!ENTITY xxe SYSTEM \"file:///etc/passwd\">]>\n");

    PackageParts parts = PackageParts::minimalDeck(2);
    parts.set(kSlide1, slide);
    const Outcome outcome = openBytes(parts.zip());
    if (outcome.deck)
        EXPECT_FALSE(textOf(*outcome.deck, 1, QStringLiteral("Rectangle 3")).contains(QStringLiteral("root:")));
    else
        expectClearRefusal(outcome);
}

// ---------------------------------------------------------------------------
// Truncated and damaged files

TEST(HostileZip, EveryTruncationIsRefusedClearly)
{
    const QByteArray whole = PackageParts::minimalDeck(3).zip();
    for (const qsizetype length : {qsizetype(0), qsizetype(1), qsizetype(4), qsizetype(30), whole.size() / 4,
                                   whole.size() / 2, whole.size() - 22, whole.size() - 1}) {
        SCOPED_TRACE(length);
        expectClearRefusal(openBytes(whole.left(length)));
    }
}

TEST(HostileZip, DamagedCompressedDataIsRefusedOrTheDeckStaysUsable)
{
    const QByteArray whole = PackageParts::minimalDeck(3).zip();
    // Overwrite stretches inside the entries' data, headers left alone.
    for (const qsizetype at : {qsizetype(60), whole.size() / 3, whole.size() / 2}) {
        SCOPED_TRACE(at);
        QByteArray damaged = whole;
        for (qsizetype i = at; i < at + 16 && i < damaged.size(); ++i)
            damaged[i] = static_cast<char>(damaged[i] ^ 0x5a);
        expectClearRefusalOrUsable(openBytes(damaged));
    }
}

TEST(HostileZip, FilesThatAreNoPresentationAreRefusedClearly)
{
    const QByteArray ole("\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1", 8);
    PackageParts noPresentation = PackageParts::minimalDeck(1);
    noPresentation.remove(QStringLiteral("ppt/presentation.xml"));
    PackageParts brokenXml = PackageParts::minimalDeck(2);
    brokenXml.set(kSlide2, "<p:sld><p:cSld><p:spTree>");

    for (const QByteArray& bytes : {QByteArray(), QByteArray("PK"), QByteArray(4096, '\xAB'),
                                    ole + QByteArray(504, '\0'), noPresentation.zip(), brokenXml.zip()}) {
        SCOPED_TRACE(bytes.left(8).toHex().toStdString());
        expectClearRefusal(openBytes(bytes));
    }
}

// ---------------------------------------------------------------------------
// Dangling references and odd but valid content

TEST(HostileStructure, ASlideListPointingAtAMissingPartGivesAClearError)
{
    PackageParts parts = PackageParts::minimalDeck(3);
    parts.remove(kSlide2);
    Outcome outcome = openBytes(parts.zip());
    if (outcome.deck) {
        // Opening may defer the slide; reaching it must then fail clearly.
        try {
            (void)outcome.deck->slide(2).shapeCount();
            ADD_FAILURE() << "slide 2 has no part, yet it was reached";
        } catch (const DeckError& error) {
            EXPECT_FALSE(error.description().isEmpty());
        }
    } else {
        expectClearRefusal(outcome);
        EXPECT_TRUE(outcome.refusal.contains(QStringLiteral("slide2"))) << outcome.refusal.toStdString();
    }
}

TEST(HostileStructure, ASlideIdWithoutItsRelationshipGivesAClearError)
{
    PackageParts parts = PackageParts::minimalDeck(3);
    QByteArray presentation = parts.part(QStringLiteral("ppt/presentation.xml"));
    presentation.replace("r:id=\"rId2\"", "r:id=\"rId99\"");
    parts.set(QStringLiteral("ppt/presentation.xml"), presentation);
    const Outcome outcome = openBytes(parts.zip());
    if (outcome.deck) {
        EXPECT_THROW((void)outcome.deck->slide(2).shapeCount(), DeckError);
    } else {
        expectClearRefusal(outcome);
    }
}

TEST(HostileStructure, DuplicateShapeNamesFindTheFirstAndLeaveTheOtherAlone)
{
    PackageParts parts = PackageParts::minimalDeck(2);
    parts.set(kSlide2, slideXml({{QStringLiteral("Title 1"), QStringLiteral("Heading")},
                                 {QStringLiteral("Rectangle 3"), QStringLiteral("first")},
                                 {QStringLiteral("Rectangle 3"), QStringLiteral("second")}}));
    std::unique_ptr<Presentation> deck = Presentation::fromBytes(parts.zip());
    deck::Shape& found = deck->slide(2).shape(QStringLiteral("Rectangle 3"));
    EXPECT_EQ(found.number(), 2);
    EXPECT_EQ(found.textRange().text(), QStringLiteral("first"));
    found.textRange().setText(QStringLiteral("changed"));

    std::unique_ptr<Presentation> reopened = Presentation::fromBytes(deck->toBytes());
    EXPECT_EQ(reopened->slide(2).shape(2).textRange().text(), QStringLiteral("changed"));
    EXPECT_EQ(reopened->slide(2).shape(3).textRange().text(), QStringLiteral("second"));
}

TEST(HostileStructure, DeeplyNestedGroupsNeitherExhaustTheStackNorHideTheShapes)
{
    // 100 000 groups inside one another: any recursive walk would overflow.
    QByteArray open, close;
    for (int i = 0; i < 100000; ++i) {
        open += "<p:grpSp><p:nvGrpSpPr><p:cNvPr id=\"9\" name=\"g\"/><p:cNvGrpSpPr/><p:nvPr/></p:nvGrpSpPr>"
                "<p:grpSpPr/>";
        close += "</p:grpSp>";
    }
    QByteArray slide = slideXml({{QStringLiteral("Rectangle 3"), QStringLiteral("Body")}});
    slide.replace("</p:spTree>", open + close + "</p:spTree>");
    PackageParts parts = PackageParts::minimalDeck(2);
    parts.set(kSlide1, slide);

    const Outcome outcome = openBytes(parts.zip());
    if (!outcome.deck) {
        expectClearRefusal(outcome);
        return;
    }
    EXPECT_EQ(textOf(*outcome.deck, 1, QStringLiteral("Rectangle 3")), QStringLiteral("Body"));
    outcome.deck->slide(1).shape(QStringLiteral("Rectangle 3")).textRange().setText(QStringLiteral("Edited"));
    std::unique_ptr<Presentation> reopened = Presentation::fromBytes(outcome.deck->toBytes());
    EXPECT_EQ(textOf(*reopened, 1, QStringLiteral("Rectangle 3")), QStringLiteral("Edited"));
}

TEST(HostileStructure, TenThousandSlidesOpenEditAndSave)
{
    constexpr int kSlides = 10000;
    // Each slide has its relationships part too, as in any saved deck.
    const QByteArray zip = PackageParts::minimalDeck(kSlides).zip();
    const long before = peakMegabytes();

    std::unique_ptr<Presentation> deck = Presentation::fromBytes(zip);
    ASSERT_EQ(deck->slideCount(), kSlides);
    EXPECT_EQ(textOf(*deck, 5000, QStringLiteral("Rectangle 3")), QStringLiteral("Body 5000"));
    deck->slide(kSlides).shape(QStringLiteral("Rectangle 3")).textRange().setText(QStringLiteral("Last one"));

    std::unique_ptr<Presentation> reopened = Presentation::fromBytes(deck->toBytes());
    ASSERT_EQ(reopened->slideCount(), kSlides);
    EXPECT_EQ(textOf(*reopened, kSlides, QStringLiteral("Rectangle 3")), QStringLiteral("Last one"));
    EXPECT_EQ(textOf(*reopened, 1, QStringLiteral("Title 1")), QStringLiteral("Slide 1"));
    EXPECT_LT(peakMegabytes() - before, kMemoryAllowanceMb);
}
