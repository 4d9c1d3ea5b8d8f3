// Reading a plan from a JSON file: what a good file gives and how each kind
// of bad file is turned away; writing the stored plan to one, setting it
// aside and storing one.

#include "cli/PlanTools.h"
#include "core/DataFiles.h"
#include "core/Quoted.h"
#include "plan/JsonRepeatedKeys.h"
#include "plan/Plan.h"
#include "plan/PlanFile.h"
#include "plan/PlanFileWriter.h"
#include "plan/PlanHistory.h"
#include "plan/SectionCatalogue.h"
#include "plan/StoredPlan.h"
#include "core/RuntimeError.h"
#include "tests/cli/HostilePlan.h"
#include "tests/support/MemorySettings.h"
#include "tests/support/TestFiles.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

using namespace quillora;

namespace {

PlanDocument parse(const char* json)
{
    return parsePlanJson(QByteArray(json), QStringLiteral("plan.json"));
}

// The sentence a bad file produces; fails the test when the file is accepted.
QString rejection(const char* json)
{
    try {
        parse(json);
    } catch (const RuntimeError& e) {
        return e.description();
    }
    ADD_FAILURE() << "accepted: " << json;
    return QString();
}

} // namespace

TEST(PlanFileParsing, ReadsTitlesAndSectionsByCaptionOrKey)
{
    const PlanDocument plan = parse(R"({
        "productName": "Acme Marketing Plan",
        "planTitle": "Launch 2027",
        "sections": {
            "Market Summary": ["Market: growing", "- Review the last three years"],
            "SecondStatementMkt_7": "Q1\n- Beta"
        }
    })");
    EXPECT_EQ(plan.productName, QStringLiteral("Acme Marketing Plan"));
    EXPECT_EQ(plan.planTitle, QStringLiteral("Launch 2027"));
    ASSERT_EQ(plan.statements.size(), 2u);
    EXPECT_EQ(plan.statements.at("FirstStatementMkt_0"), QStringLiteral("Market: growing\r\n- Review the last three years"));
    EXPECT_EQ(plan.statements.at("SecondStatementMkt_7"), QStringLiteral("Q1\r\n- Beta"));
}

TEST(PlanFileParsing, EveryCaptionOfTheCatalogueIsAccepted)
{
    for (const Section& section : allSections()) {
        const QByteArray json = "{\"sections\": {\"" + QByteArray(section.caption) + "\": \"x\"}}";
        const PlanDocument plan = parsePlanJson(json, QStringLiteral("plan.json"));
        ASSERT_EQ(plan.statements.count(section.key()), 1u) << section.caption;
    }
}

TEST(PlanFileParsing, EverythingIsOptional)
{
    const PlanDocument plan = parse("{}");
    EXPECT_TRUE(plan.productName.isEmpty());
    EXPECT_TRUE(plan.planTitle.isEmpty());
    EXPECT_TRUE(plan.statements.empty());
}

TEST(PlanFileParsing, LineBreaksOfEveryKindBecomeCrLf)
{
    EXPECT_EQ(normaliseLineBreaks(QStringLiteral("a\nb\r\nc\rd")), QStringLiteral("a\r\nb\r\nc\r\nd"));
    EXPECT_EQ(normaliseLineBreaks(QStringLiteral("a\n\nb\n")), QStringLiteral("a\r\n\r\nb\r\n"));
    const PlanDocument plan = parse(R"({"sections": {"Pricing": ["one\ntwo", "three"]}})");
    EXPECT_EQ(plan.statements.at("SecondStatementMkt_2"), QStringLiteral("one\r\ntwo\r\nthree"));
}

TEST(PlanFileParsing, TextIsKeptExactly)
{
    // Spaces, tabs, the typographic apostrophe, an empty line and an empty
    // statement all reach the store unchanged.
    const PlanDocument plan = parse("{\"productName\": \"  Caf\\u00e9 \",\"sections\": {"
                                    "\"Competition\": [\"\\tTab\", \"- It\\u2019s ours\", \"\"],"
                                    "\"Launch  Strategies\": \"\"}}");
    EXPECT_EQ(plan.productName, QStringLiteral("  Caf\u00e9 "));
    EXPECT_EQ(plan.statements.at("FirstStatementMkt_2"), QStringLiteral("\tTab\r\n- It\u2019s ours\r\n"));
    EXPECT_EQ(plan.statements.at("FirstStatementMkt_6"), QString());
    EXPECT_EQ(parse(R"({"sections": {"Pricing": []}})").statements.at("SecondStatementMkt_2"), QString());
}

TEST(PlanFileRejection, BadJsonNamesFileAndPosition)
{
    const QString message = rejection("{\n  \"planTitle\": \"x\"\n  \"productName\": \"y\"\n}");
    EXPECT_TRUE(message.startsWith(QStringLiteral("the plan file \"plan.json\" is not valid JSON"))) << message.toStdString();
    EXPECT_TRUE(message.contains(QStringLiteral("at line 3, column 4)"))) << message.toStdString();
    // Columns count characters, not bytes: each e-acute is two bytes of UTF-8.
    EXPECT_TRUE(rejection("{\n\"planTitle\": \"\xc3\xa9\xc3\xa9\" \"y\"\n}").contains(QStringLiteral("at line 2, column 20)")));
    // An empty file: the error is at the first column.
    EXPECT_TRUE(rejection("").contains(QStringLiteral("at line 1, column 1)"))) << rejection("").toStdString();
}

TEST(PlanFileRejection, WrongShapes)
{
    EXPECT_TRUE(rejection("[1, 2]").contains(QStringLiteral("must hold one JSON object, not an array")));
    const QString bare = rejection("\"plan\"");
    EXPECT_TRUE(bare.contains(QStringLiteral("must hold one JSON object")) || bare.contains(QStringLiteral("not valid JSON")))
        << bare.toStdString();
    EXPECT_TRUE(rejection(R"({"planTitle": 7})").contains(QStringLiteral("has a number as \"planTitle\" where a string belongs")));
    EXPECT_TRUE(rejection(R"({"productName": null})").contains(QStringLiteral("has null as \"productName\"")));
    EXPECT_TRUE(rejection(R"({"sections": ["Pricing"]})").contains(QStringLiteral("has an array as \"sections\" where an object belongs")));
    EXPECT_TRUE(rejection(R"({"sections": {"Pricing": {"a": 1}}})")
                    .contains(QStringLiteral("has an object for section \"Pricing\" where a string or an array of strings belongs")));
    EXPECT_TRUE(rejection(R"({"sections": {"Pricing": ["a", true]}})")
                    .contains(QStringLiteral("has true or false as line 2 of section \"Pricing\"")));
}

TEST(PlanFileRejection, UnknownNames)
{
    EXPECT_TRUE(rejection(R"({"product": "x"})").contains(QStringLiteral("has an unknown field \"product\"")));
    const QString unknown = rejection(R"({"sections": {"Budget": "x"}})");
    EXPECT_TRUE(unknown.contains(QStringLiteral("names an unknown section \"Budget\""))) << unknown.toStdString();
    // A near miss points at the exact caption, two spaces and all.
    const QString nearMiss = rejection(R"({"sections": {"launch strategies": "x"}})");
    EXPECT_TRUE(nearMiss.contains(QStringLiteral("did you mean \"Launch  Strategies\"?"))) << nearMiss.toStdString();
    EXPECT_TRUE(rejection(R"({"sections": {"FirstStatementMkt_8": "x"}})").contains(QStringLiteral("unknown section")));
}

TEST(PlanFileRejection, SameSectionByCaptionAndKey)
{
    EXPECT_TRUE(rejection(R"({"sections": {"Pricing": "a", "SecondStatementMkt_2": "b"}})")
                    .contains(QStringLiteral("names section \"Pricing\" twice")));
}

TEST(PlanFileReading, MissingFolderAndUnreadable)
{
    QTemporaryDir dir;
    // Missing, and one that opens but fails to read (offset 0 of this
    // process's memory is never mapped).
    for (const QString& unreadable : {dir.filePath(QStringLiteral("none.json")), QStringLiteral("/proc/self/mem")}) {
        try {
            readPlanFile(unreadable);
            ADD_FAILURE() << "read " << unreadable.toStdString();
        } catch (const RuntimeError& e) {
            EXPECT_TRUE(e.description().startsWith(QStringLiteral("cannot read the plan file \"") + unreadable)) << e.what();
        }
    }
    EXPECT_THROW(readPlanFile(dir.path()), RuntimeError);

    const QString good = dir.filePath(QStringLiteral("plan.json"));
    quillora::testing::writeFile(good, R"({"planTitle": "From disk"})");
    EXPECT_EQ(readPlanFile(good).planTitle, QStringLiteral("From disk"));
}

TEST(PlanValue, HoldsAPlanFilesTextsUnderTheirKeysAndGivesThemBack)
{
    PlanDocument document;
    document.productName = QStringLiteral("Acme");
    document.planTitle = QStringLiteral("Title");
    document.statements[QStringLiteral("FirstStatementMkt_1")] = QStringLiteral("a\r\nb");
    Plan plan = planOf(document);
    EXPECT_EQ(plan.value(QStringLiteral("FirstStatementMkt_1")), QStringLiteral("a\r\nb"));
    EXPECT_EQ(plan.value(QStringLiteral("Company Name")), QStringLiteral("Acme"));
    EXPECT_EQ(plan.value(QStringLiteral("FirstStatementMkt_2")), QString());
    EXPECT_FALSE(plan.set(QStringLiteral("FirstStatementMkt_8"), QStringLiteral("no such section")));
    EXPECT_TRUE(plan.set(QStringLiteral("FirstStatementMkt_2"), QStringLiteral("new")));
    EXPECT_EQ(plan.statement(*findSection(Strip::First, 2)), QStringLiteral("new"));
    // Back as a plan file: both titles, and only the statements with text.
    const PlanDocument back = documentOf(plan);
    EXPECT_TRUE(back.hasProductName && back.hasPlanTitle);
    EXPECT_EQ(back.statements.size(), 2u);
    EXPECT_EQ(planOf(back), plan);
}

TEST(PlanFileReading, TheShippedExampleFillsEverySection)
{
    const PlanDocument plan = readPlanFile(QStringLiteral(QUILLORA_SOURCE_DIR "/examples/plan.json"));
    EXPECT_FALSE(plan.productName.isEmpty());
    EXPECT_FALSE(plan.planTitle.isEmpty());
    for (const Section& section : allSections()) {
        auto it = plan.statements.find(section.key());
        ASSERT_NE(it, plan.statements.end()) << section.caption;
        EXPECT_FALSE(it->second.isEmpty()) << section.caption;
    }
}

TEST(PlanFileReading, OversizedFilesAreRefusedWithoutReadingThemWhole)
{
    QTemporaryDir dir;
    QFile big(dir.filePath(QStringLiteral("big.json")));
    ASSERT_TRUE(big.open(QIODevice::WriteOnly));
    ASSERT_TRUE(big.resize(kPlanFileLimitBytes + 1)); // sparse: costs no disk
    big.close();
    try {
        readPlanFile(big.fileName());
        FAIL() << "an oversized plan file was read";
    } catch (const RuntimeError& e) {
        EXPECT_TRUE(e.description().contains(QStringLiteral("is larger than 64 MiB"))) << e.what();
    }
    // At the limit the file is read (and, being zeros, refused as JSON).
    ASSERT_TRUE(QFile::resize(big.fileName(), kPlanFileLimitBytes));
    try {
        readPlanFile(big.fileName());
        FAIL() << "zeros were read as a plan";
    } catch (const RuntimeError& e) {
        EXPECT_FALSE(e.description().contains(QStringLiteral("is larger than"))) << e.what();
    }
}

// Plan files written by the program: what the stored plan becomes and how it
// comes back.

TEST(PlanFileExact, TheHostilePlanComesBackExactlyThroughTheFile)
{
    quillora::testing::MemorySettings store;
    store->values = quillora::testing::hostilePlanValues();
    const QByteArray json = planFileJson(readStoredPlan(store));

    quillora::testing::MemorySettings other;
    storePlan(other, parsePlanJson(json, QStringLiteral("plan.json")));
    EXPECT_EQ(other->values, quillora::testing::hostilePlanValues());
    // Written again, the file is the same to the byte.
    EXPECT_EQ(planFileJson(readStoredPlan(other)), json);
}

TEST(PlanFileExact, WithoutTheMarkerLineBreaksAreNormalisedAsBefore)
{
    EXPECT_EQ(parse(R"({"sections": {"Pricing": ["a\nb", "c\r"]}})").statements.at("SecondStatementMkt_2"),
              QStringLiteral("a\r\nb\r\nc\r\n"));
    EXPECT_EQ(parse(R"({"lineBreaks": "exact", "sections": {"Pricing": ["a\nb", "c\r"]}})")
                  .statements.at("SecondStatementMkt_2"),
              QStringLiteral("a\nb\r\nc\r"));
    EXPECT_TRUE(rejection(R"({"lineBreaks": "unix"})").contains(QStringLiteral("only \"exact\" belongs")));
    // Qt's reader takes a U+FEFF that opens a string for a byte order mark.
    PlanDocument marked;
    marked.statements[QStringLiteral("FirstStatementMkt_0")] = QStringLiteral("\uFEFFx\r\n\uFEFF");
    EXPECT_EQ(parsePlanJson(planFileJson(marked), QStringLiteral("p.json")).statements, marked.statements);
    // Titles the file leaves out are told apart from empty ones.
    const PlanDocument titles = parse(R"({"planTitle": ""})");
    EXPECT_TRUE(titles.hasPlanTitle);
    EXPECT_FALSE(titles.hasProductName);
}

TEST(PlanFileRejection, AKeyGivenTwiceIsNamed)
{
    EXPECT_TRUE(rejection(R"({"planTitle": "a", "planTitle": "b"})").contains(QStringLiteral("has the field \"planTitle\" twice")));
    const QString section = rejection(R"({"sections": {"Pricing": "a", "Schedule": "", "Pricing": "b"}})");
    EXPECT_TRUE(section.contains(QStringLiteral("has \"Pricing\" twice in \"sections\""))) << section.toStdString();
    // The same key spelt with an escape, and a quote or brace inside a value, change nothing.
    EXPECT_TRUE(rejection(R"({"sections": {"Pricing": "a", "Pric\u0069ng": "b"}})").contains(QStringLiteral("\"Pricing\" twice")));
    EXPECT_NO_THROW(parse(R"({"planTitle": "\"planTitle\": {", "productName": "}, \"planTitle\"", "sections": {}})"));
}

TEST(PlanFileRejection, ARepeatedKeyIsFoundOnlyWithinOneObject)
{
    const struct {
        const char* json;
        const char* key; // nullptr: none is repeated
        const char* object;
    } rows[] = {
        {R"({"a": 1, "a": 2})", "a", ""},
        {R"({"a": "x", "b": "x"})", nullptr, ""},
        {R"({"a": "b", "b": 1})", nullptr, ""},
        {R"({"s": {"k": 1, "j": [2, {"k": 0}], "k": 3}})", "k", "s"},
        {R"({"s": {"k": 1}, "t": {"k": 1}})", nullptr, ""},
        {R"({"s": [{"k": 1}, {"k": 2}]})", nullptr, ""},
        {R"({"s": [{"k": 1, "k": 2}]})", "k", "s"},
        {R"({"s": {"x": 1}, "s": 2})", "s", ""},
        {R"({"a\"b": 1, "a\u0022b": 2})", "a\"b", ""},
        {R"({"v": "x\\", "v": 1})", "v", ""},
        {R"(["a", "a", {"a": "a"}])", nullptr, ""},
        {R"({"a": 1, "b": "unterminated)", nullptr, ""},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.json);
        const std::optional<RepeatedKey> repeated = firstRepeatedKey(QByteArray(row.json));
        ASSERT_EQ(repeated.has_value(), row.key != nullptr);
        if (repeated) {
            EXPECT_EQ(repeated->key, QString::fromUtf8(row.key));
            EXPECT_EQ(repeated->object, QString::fromUtf8(row.object));
        }
    }
    EXPECT_EQ(parse(R"({"planTitle": "Same", "productName": "Same"})").planTitle, QStringLiteral("Same"));
}

TEST(PlanFileWriting, ReplacesInOneStepAndRefusesWhatMayNotBeWritten)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("plan.json"));
    PlanDocument plan;
    plan.productName = QStringLiteral("Acme");
    plan.hasProductName = true;
    writePlanFile(path, plan);
    EXPECT_EQ(readPlanFile(path).productName, QStringLiteral("Acme"));

    QFile::setPermissions(path, QFileDevice::ReadOwner);
    plan.productName = QStringLiteral("Other");
    EXPECT_THROW(writePlanFile(path, plan), RuntimeError);
    try {
        writePlanFile(dir.path(), plan);
        ADD_FAILURE() << "a folder was taken for a plan file";
    } catch (const RuntimeError& e) {
        EXPECT_EQ(e.description(), QStringLiteral("the plan file %1 is a folder, not a file").arg(quoted(dir.path())));
    }
    EXPECT_EQ(readPlanFile(path).productName, QStringLiteral("Acme"));
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{QStringLiteral("plan.json")});
}

TEST(PlanBackup, NamedByTimeAndProductAndNeverOverwritten)
{
    const QDateTime time(QDate(2026, 12, 8), QTime(10, 15, 0));
    EXPECT_EQ(planBackupFileName(time, QStringLiteral("Acme Rocket Skates")),
              QStringLiteral("2026-12-08 101500 Acme Rocket Skates.json"));
    EXPECT_EQ(planBackupFileName(time, QStringLiteral("..a/b: \"c\"\r\n*d\001e\177. ")),
              QStringLiteral("2026-12-08 101500 a b c d e.json"));
    EXPECT_EQ(planBackupFileName(time, QStringLiteral(" ../ ")), QStringLiteral("2026-12-08 101500.json"));
    // Format characters go: U+202E would show the rest of the name reversed.
    EXPECT_EQ(planBackupFileName(time, QStringLiteral("Acme\u202Eslleks\u200B\U000E0041")),
              QStringLiteral("2026-12-08 101500 Acmeslleks.json"));

    quillora::testing::MemorySettings store;
    QTemporaryDir dir;
    const QString folder = dir.filePath(QStringLiteral("plans"));
    EXPECT_EQ(backupStoredPlan(store, folder, time), QString()); // nothing stored, nothing kept

    store->values = quillora::testing::hostilePlanValues();
    const QString first = backupStoredPlan(store, folder, time);
    const QString second = backupStoredPlan(store, folder, time);
    EXPECT_EQ(QFileInfo(first).fileName(), QStringLiteral("2026-12-08 101500 Acme \U0001F680 Rocket Skates \"Pro\".json").remove(u'"'));
    EXPECT_EQ(QFileInfo(second).fileName(), QFileInfo(first).completeBaseName() + QStringLiteral(" (2).json"));
    EXPECT_EQ(quillora::testing::readFile(first), planFileJson(readStoredPlan(store)));
    EXPECT_EQ(quillora::testing::readFile(second), quillora::testing::readFile(first));
}

TEST(PlanBackup, APlanKeptAtSessionEndIsToldOnceAtTheNextStart)
{
    quillora::testing::MemorySettings store;
    store->values = quillora::testing::hostilePlanValues();
    const PlanDocument plan = readStoredPlan(store);
    EXPECT_EQ(takeUnsavedPlanNote(), QString()); // no session has ended yet
    const QString kept = keepUnsavedPlan(plan);
    ASSERT_FALSE(kept.isEmpty());
    EXPECT_EQ(quillora::testing::readFile(kept), planFileJson(plan));
    EXPECT_EQ(takeUnsavedPlanNote(), kept);
    EXPECT_EQ(takeUnsavedPlanNote(), QString()); // told once
    EXPECT_TRUE(QFileInfo::exists(kept));
}

TEST(PlanImport, RefusedWhileTheWindowIsOpenOrTheFileIsBadWithNothingTouched)
{
    quillora::testing::MemorySettings store;
    store->values = {{QStringLiteral("Company Name"), QStringLiteral("Old Co")}};
    QTemporaryDir dir;
    const QString good = dir.filePath(QStringLiteral("good.json")), twice = dir.filePath(QStringLiteral("twice.json"));
    quillora::testing::writeFile(good, R"({"productName": "New Co"})");
    quillora::testing::writeFile(twice, R"({"productName": "a", "productName": "b"})");
    PlanHistory history{dir.filePath(QStringLiteral("history"))};
    const QDateTime now = QDateTime::currentDateTime();
    // Earlier imports in this process may have kept backups already.
    const QStringList backups = QDir(planBackupFolder()).entryList(QDir::Files);
    EXPECT_THROW(importPlanFile(store, history, twice, [] { return false; }, now), RuntimeError);
    try {
        importPlanFile(store, history, good, [] { return true; }, now);
        ADD_FAILURE() << "imported while the window is open";
    } catch (const RuntimeError& e) {
        EXPECT_EQ(e.description(), QString::fromLatin1(kCloseWindowFirst));
    }
    EXPECT_EQ(store->writes.size(), 0u);
    EXPECT_EQ(QDir(planBackupFolder()).entryList(QDir::Files), backups);
    EXPECT_TRUE(history.snapshots().empty());
}
