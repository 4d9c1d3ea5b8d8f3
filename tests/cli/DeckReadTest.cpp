// Reading a filled deck back into its plan: hostile plans through the
// engine's deck, decks whose slides moved or whose shapes are gone, and the
// command's exit statuses.

#include "tests/cli/ReadBack.h"
#include "tests/support/ChildProcess.h"
#include "tests/support/DeckBuilder.h"
#include "tests/support/TestFiles.h"

#include <QDir>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <functional>

using namespace quillora;
using namespace quillora::testing;

namespace {

struct HostilePlanRow {
    const char* name;
    Plan plan;
    bool kept = true; // what fillKeepsPlan must say
};

std::vector<HostilePlanRow> hostilePlans()
{
    const QString longLine = QStringLiteral("Quarterly growth \u00e9 \u4e2d \U0001F680 ").repeated(4000);
    QStringList manyLines;
    for (int i = 0; i < 1500; ++i)
        manyLines << (i % 3 ? QStringLiteral("Point %1").arg(i) : QStringLiteral("  - detail %1").arg(i));
    return {
        {"ControlCharacters",
         fullPlan(QStringLiteral("Acme\u0001\u001f"), QStringLiteral("\u0007 bell\ttab"),
                  {{0, QStringLiteral("nul \u0000 and \u001b escape\r\n- \u0008\u007f\uFFFE\uFFFF")},
                   {1, QStringLiteral("_x000D_ written as it looks\r\n\ufeffopens with U+FEFF")}})},
        {"LoneLineBreaks",
         fullPlan(QStringLiteral("Line\nfed"), QStringLiteral("a\nb\n"),
                  {{2, QStringLiteral("lone\nfeed\n\r\nx\n")}, {3, QStringLiteral("\nopens with one\r\n- sub\npoint")}})},
        {"EmptyStatements",
         fullPlan(QString(), QString(),
                  {{4, QString()}, {5, QStringLiteral("\r\n")}, {6, QStringLiteral("\r\n\r\n")},
                   {7, QStringLiteral("   ")}, {8, QStringLiteral("one\r\n")}, {15, QString()}})},
        {"VeryLongLines", fullPlan(longLine, QStringLiteral("Long"), {{9, longLine}, {10, manyLines.join(QStringLiteral("\r\n"))}})},
        {"LinesThatLookLikeSubPoints",
         fullPlan(QStringLiteral("Acme\r\nRocket Skates"), QStringLiteral("marketing plan 2027"),
                  {{11, QStringLiteral("\t- a point led by a tab\r\n-\r\n   -three spaces\r\n\u2013 en dash\r\n- \t- sub")},
                   {12, QStringLiteral("\U0001F680 \u2028 \U0001D518\r\n\u05E9\u05DC\u05D5\u05DD")}})},
        {"LineFeedOpeningALaterLine",
         fullPlan(QStringLiteral("Acme"), QStringLiteral("t"), {{0, QStringLiteral("one\r\n\nfed\r\n\n\r\n\n")}})},
        // What the fill cannot keep is said so, and does come back changed.
        {"LoneCarriageReturn", fullPlan(QStringLiteral("Acme"), QStringLiteral("t"), {{0, QStringLiteral("lone\rreturn")}}), false},
        {"VerticalTab", fullPlan(QStringLiteral("Acme"), QStringLiteral("t\vtab")), false},
        {"ClosingLineInTheName", fullPlan(QStringLiteral("Acme Marketing Plan"), QStringLiteral("t")), false},
    };
}

DeckReading readBack(const QByteArray& deckBytes, const Plan& over)
{
    const std::unique_ptr<deck::Presentation> deck = deck::Presentation::fromBytes(deckBytes);
    const std::unique_ptr<deck::Presentation> templateDeck = deck::Presentation::open(builtTemplatePath());
    return readPlanFromDeck(*deck, templateDeck.get(), over);
}

QString key(int section)
{
    return allSections()[size_t(section)].key();
}

const Plan kOver = fullPlan(QStringLiteral("Old"), QStringLiteral("Old plan"), {{10, QStringLiteral("Old prices")}});

class HostileRoundTrip : public ::testing::TestWithParam<HostilePlanRow> {};

TEST_P(HostileRoundTrip, TheEnginesDeckGivesThePlanBackByteForByte)
{
    const Plan& plan = GetParam().plan;
    EXPECT_EQ(fillKeepsPlan(plan), GetParam().kept);
    const DeckReading reading = readBack(filledDeck(plan), kOver);
    EXPECT_EQ(reading.leftOut, QStringList());
    EXPECT_EQ(reading.missingKeys, QStringList());
    if (GetParam().kept)
        EXPECT_EQ(planText(reading.plan), planText(plan));
    else
        EXPECT_NE(planText(reading.plan), planText(plan));
}

INSTANTIATE_TEST_SUITE_P(Plans, HostileRoundTrip, ::testing::ValuesIn(hostilePlans()),
                         [](const auto& info) { return std::string(info.param.name); });

// Deck edits made on the package the engine wrote.
using Edit = std::function<void(PackageParts&)>;

QByteArray edited(const QByteArray& deck, const Edit& edit)
{
    PackageParts parts = PackageParts::fromZip(deck);
    edit(parts);
    return parts.zip();
}

const QString kPricing = QStringLiteral("ppt/slides/slide12.xml");

// Pricing's slide with `from` in its XML replaced.
Edit pricingSlide(const QString& from, const QString& to)
{
    return [=](PackageParts& parts) { parts.set(kPricing, QString::fromUtf8(parts.part(kPricing)).replace(from, to).toUtf8()); };
}
const Edit kRetitled = pricingSlide(QStringLiteral(">Pricing<"), QStringLiteral(">Our prices<"));
// The statement shape made a plain one under another name, as LibreOffice
// leaves it after a round through .ppt.
const Edit kBodyPlain = [](PackageParts& parts) {
    pricingSlide(QStringLiteral("name=\"Rectangle 3\""), QStringLiteral("name=\"Body\""))(parts);
    pricingSlide(QStringLiteral("<p:ph idx=\"1\"/>"), QString())(parts);
};
// ... beside a second plain one: which of them holds the statement is not said.
const Edit kBodyAmbiguous = [](PackageParts& parts) {
    kBodyPlain(parts);
    QString xml = QString::fromUtf8(parts.part(kPricing));
    const qsizetype start = xml.lastIndexOf(QStringLiteral("<p:sp>"), xml.indexOf(QStringLiteral("name=\"Body\"")));
    const qsizetype end = xml.indexOf(QStringLiteral("</p:sp>"), start) + 7;
    xml.insert(end, xml.mid(start, end - start).replace(QStringLiteral("name=\"Body\""), QStringLiteral("name=\"Notes\"")));
    parts.set(kPricing, xml.toUtf8());
};

// The slide list in presentation order, rewritten by `order`.
Edit slidesReordered(const std::function<void(QStringList&)>& order)
{
    return [=](PackageParts& parts) {
        QString xml = QString::fromUtf8(parts.part(QStringLiteral("ppt/presentation.xml")));
        static const QRegularExpression slideId(QStringLiteral("<p:sldId [^>]*/>"));
        QStringList ids;
        for (const QRegularExpressionMatch& match : slideId.globalMatch(xml))
            ids << match.captured();
        const qsizetype start = xml.indexOf(ids.first());
        const qsizetype end = xml.indexOf(ids.last()) + ids.last().size();
        order(ids);
        parts.set(QStringLiteral("ppt/presentation.xml"), xml.replace(start, end - start, ids.join(QString())).toUtf8());
    };
}

struct StructureRow {
    const char* name;
    Edit edit;
    QString leftOut; // the line naming Pricing's shape as not found, if any
};

class DeckStructure : public ::testing::TestWithParam<StructureRow> {};

TEST_P(DeckStructure, SectionsAreFoundByTitleThenPlaceAndWhatIsMissingIsNamed)
{
    const Plan plan = fullPlan(QStringLiteral("Acme"), QStringLiteral("Plan"), {{10, QStringLiteral("Premium\r\n- above the rest")}});
    const DeckReading reading = readBack(edited(filledDeck(plan), GetParam().edit), kOver);
    const bool lost = !GetParam().leftOut.isEmpty();
    EXPECT_EQ(reading.leftOut, lost ? QStringList{GetParam().leftOut} : QStringList());
    EXPECT_EQ(reading.missingKeys, lost ? QStringList{key(10)} : QStringList());
    // What was not found is left as the plan read over holds it.
    Plan expected = plan;
    if (lost)
        expected.statements[10] = kOver.statements[10];
    EXPECT_EQ(planText(reading.plan), planText(expected));
}

const QString kNoPricingSlide =
    QStringLiteral("\"Pricing\": no slide has that title, and slide 12 is missing or belongs to another section");

INSTANTIATE_TEST_SUITE_P(
    Edits, DeckStructure,
    ::testing::Values(
        StructureRow{"SlidesInReverseOrder", slidesReordered([](QStringList& ids) { std::reverse(ids.begin() + 1, ids.end()); }), {}},
        StructureRow{"RetitledInPlace", kRetitled, {}},
        StructureRow{"ShapeRenamedAndPlain", kBodyPlain, {}},
        StructureRow{"TwoPlainShapes", kBodyAmbiguous, QStringLiteral("slide 12, \"Pricing\": no shape named \"Rectangle 3\" with text")},
        StructureRow{"SlideRemoved", slidesReordered([](QStringList& ids) { ids.removeAt(11); }), kNoPricingSlide},
        StructureRow{"RetitledAndMoved",
                     [](PackageParts& parts) {
                         kRetitled(parts);
                         slidesReordered([](QStringList& ids) { ids.move(11, 16); })(parts);
                     },
                     kNoPricingSlide}),
    [](const auto& info) { return std::string(info.param.name); });

// LibreOffice saves an empty paragraph as a single space: read as empty in
// a deck it saved, and as the space it is in any other.
TEST(DeckSavedBy, ASpaceParagraphIsEmptyOnlyInADeckLibreOfficeSaved)
{
    const Plan plan = fullPlan(QStringLiteral("Acme"), QStringLiteral("Plan"), {{10, QStringLiteral("a\r\n \r\nb")}});
    const Edit savedByLibreOffice = [](PackageParts& parts) {
        const QString app = QStringLiteral("docProps/app.xml");
        parts.set(app, QString::fromUtf8(parts.part(app)).replace(QStringLiteral("Quillora<"), QStringLiteral("LibreOffice/7.4.7.2$Linux_X86_64<")).toUtf8());
    };
    EXPECT_EQ(readBack(filledDeck(plan), kOver).plan.statements[10], QStringLiteral("a\r\n \r\nb"));
    EXPECT_EQ(readBack(edited(filledDeck(plan), savedByLibreOffice), kOver).plan.statements[10], QStringLiteral("a\r\n\r\nb"));
}

struct ExitRow {
    const char* name;
    QStringList arguments; // DIR stands for the test's folder
    int status;
    QString saidOnStderr;
    bool withoutLibreOffice = false;
};

class ReadDeckCommand : public ::testing::TestWithParam<ExitRow> {};

TEST_P(ReadDeckCommand, ExitsWithTheStatusOfWhatItRead)
{
    QTemporaryDir dir;
    const Plan plan = fullPlan(QStringLiteral("Acme"), QStringLiteral("Plan"));
    const QByteArray deck = filledDeck(plan);
    writeFile(dir.filePath(QStringLiteral("deck.pptx")), deck);
    writeFile(dir.filePath(QStringLiteral("damaged.pptx")), edited(deck, kBodyAmbiguous));
    writeFile(dir.filePath(QStringLiteral("notes.txt")), "not a deck");
    writeFile(dir.filePath(QStringLiteral("deck.odp")),
              QByteArray("PK\x03\x04", 4) + QByteArray(26, '\0') + "mimetypeapplication/vnd.oasis.opendocument.presentation");

    ChildOptions options;
    options.workingDirectory = dir.path();
    options.environment.insert(QStringLiteral("XDG_CONFIG_HOME"), dir.filePath(QStringLiteral("config")));
    if (GetParam().withoutLibreOffice)
        options.environment.insert(QStringLiteral("PATH"), dir.path());
    QStringList arguments = GetParam().arguments;
    arguments.replaceInStrings(QStringLiteral("DIR"), dir.path());
    const ChildRun run = runChild(QStringLiteral(QUILLORA_BIN_DIR "/quillora-deck"), arguments, options);
    ASSERT_TRUE(run.finished);
    EXPECT_EQ(run.exitCode, GetParam().status) << run.err.toStdString();
    EXPECT_TRUE(QString::fromUtf8(run.err).contains(QString(GetParam().saidOnStderr).replace(QStringLiteral("DIR"), dir.path())))
        << run.err.toStdString();
    if (GetParam().status == 0)
        EXPECT_EQ(run.out.toStdString(), planText(plan));
    if (GetParam().status == 3) {
        PlanDocument expected = documentOf(plan);
        expected.statements.erase(key(10));
        EXPECT_EQ(readFile(dir.filePath(QStringLiteral("back.json"))).toStdString(), planFileJson(expected).toStdString());
    }
}

INSTANTIATE_TEST_SUITE_P(
    Statuses, ReadDeckCommand,
    ::testing::Values(
        ExitRow{"WholePlanRead", {"--read-deck", "DIR/deck.pptx"}, 0, {}},
        ExitRow{"ShapeMissing", {"--read-deck", "DIR/damaged.pptx", "-o", "DIR/back.json"}, 3,
                QStringLiteral("left out of the plan: slide 12, \"Pricing\": no shape named \"Rectangle 3\" with text")},
        ExitRow{"NotADeck", {"--read-deck", "DIR/notes.txt"}, 1, QStringLiteral("the deck \"DIR/notes.txt\" cannot be read")},
        ExitRow{"OpenDocumentWithoutLibreOffice", {"--read-deck", "DIR/deck.odp"}, 1,
                QStringLiteral("is not a .pptx deck, and LibreOffice, which would convert it, is not installed"), true},
        ExitRow{"OutputOverTheDeck", {"--read-deck", "DIR/deck.pptx", "-o", "DIR/deck.pptx"}, 1,
                QStringLiteral("is the deck being read, which is never written")},
        ExitRow{"WithAnotherOption", {"--read-deck", "DIR/deck.pptx", "--pdf"}, 2,
                QStringLiteral("--pdf does not go with --read-deck")}),
    [](const auto& info) { return std::string(info.param.name); });

} // namespace
