// One run of the command-line tool around a stand-in filler that keeps the
// real one's contract: it reads the template it is given, adds what it read
// from the plan and returns the bytes, with the steps that failed. What is
// checked here is everything around the generator: which plan and template
// it sees, how failures end the run and that the output appears whole or not
// at all.

#include "cli/DeckJob.h"
#include "plan/Plan.h"
#include "cli/PdfExport.h"
#include "plan/PlanStore.h"
#include "plan/SectionCatalogue.h"
#include "core/ErrorReport.h"
#include "core/RuntimeError.h"
#include "tests/support/TestFiles.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QSettings>
#include <QTemporaryDir>
#include <QUrl>

#include <cerrno>

#include <sys/stat.h>
#include <unistd.h>

using namespace quillora;
using quillora::testing::readFile;
using quillora::testing::writeFile;

namespace {

const QByteArray kTemplate("PK\x03\x04 template bytes", 19);

struct StandInGenerator {
    std::vector<StepFailure> failuresToReport; // as the failing steps of a run
    bool produceDeck = true;
    int runs = 0;
    QString seenTemplate;

    FilledDeck operator()(const QString& templatePath, const Plan& plan)
    {
        ++runs;
        seenTemplate = templatePath;
        FilledDeck filled;
        filled.failures = failuresToReport;
        if (!produceDeck)
            return filled;
        QFile deck(templatePath);
        if (!deck.open(QIODevice::ReadOnly))
            throw RuntimeError(QStringLiteral("stand-in could not read the template"));
        filled.bytes = deck.readAll() + ("|" + plan.productName + "|" + plan.planTitle).toUtf8();
        for (const Section& section : allSections())
            filled.bytes += ("|" + plan.statement(section)).toUtf8();
        return filled;
    }
};

// What the stand-in writes for a plan with these slide-1 texts and statements.
QByteArray expectedDeck(const QString& product, const QString& title, const std::map<QString, QString>& statements)
{
    QByteArray bytes = kTemplate + ("|" + product + "|" + title).toUtf8();
    for (const Section& section : allSections()) {
        auto it = statements.find(section.key());
        bytes += ("|" + (it == statements.end() ? QString() : it->second)).toUtf8();
    }
    return bytes;
}

class DeckJobTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        templatePath = dir.filePath(QStringLiteral("template.pptx"));
        writeFile(templatePath, kTemplate);
        outFolder = dir.filePath(QStringLiteral("out"));
        ASSERT_TRUE(QDir().mkpath(outFolder));
        job.templatePath = templatePath;
        job.outputPath = outFolder + QStringLiteral("/deck.pptx");
        tools.filler = [this](const QString& path, const Plan& plan, bool) { return generator(path, plan); };
        tools.storedPlan = storedPlan.get();
    }

    QString planFile(const QByteArray& json)
    {
        const QString path = dir.filePath(QStringLiteral("plan.json"));
        writeFile(path, json);
        return path;
    }

    QString failure()
    {
        try {
            runDeckJob(job, tools);
        } catch (const RuntimeError& e) {
            return e.description();
        }
        ADD_FAILURE() << "the run succeeded";
        return QString();
    }

    QStringList outFolderEntries() const
    {
        return QDir(outFolder).entryList(QDir::Files | QDir::Hidden | QDir::NoDotAndDotDot, QDir::Name);
    }

    QTemporaryDir dir;
    QString templatePath, outFolder;
    StandInGenerator generator;
    // This process has a private settings home: the user's store is its own.
    const std::unique_ptr<PlanStore> storedPlan = openUserPlanStore();
    DeckJob job;
    DeckJobTools tools;
};

} // namespace

TEST_F(DeckJobTest, PlanFileFeedsTheGeneratorAndTheDeckLandsAtOut)
{
    job.planPath = planFile(R"({"productName": "Acme", "planTitle": "Launch",
                                "sections": {"Pricing": ["Premium", "- above rivals"]}})");
    runDeckJob(job, tools);
    EXPECT_EQ(readFile(job.outputPath),
              expectedDeck("Acme", "Launch", {{"SecondStatementMkt_2", QStringLiteral("Premium\r\n- above rivals")}}));
    EXPECT_EQ(outFolderEntries(), QStringList{QStringLiteral("deck.pptx")});
}

TEST_F(DeckJobTest, TheGeneratorFillsTheGivenTemplateAndLeavesNoScratchFiles)
{
    QTemporaryDir scratch;
    qputenv("TMPDIR", QFile::encodeName(scratch.path()));
    runDeckJob(job, tools);
    qunsetenv("TMPDIR");
    ASSERT_EQ(generator.runs, 1);
    EXPECT_EQ(generator.seenTemplate, templatePath);
    EXPECT_EQ(readFile(templatePath), kTemplate);
    EXPECT_TRUE(QDir(scratch.path()).isEmpty());
}

TEST_F(DeckJobTest, StoredPlanIsReadWhenNoFileIsGivenAndAFilePlanNeverTouchesIt)
{
    storedPlan->write(QStringLiteral("Company Name"), QStringLiteral("Stored Co"));
    storedPlan->write(QStringLiteral("Marketing Plan"), QStringLiteral("Stored title"));
    storedPlan->write(QStringLiteral("FirstStatementMkt_3"), QStringLiteral("Stored\r\n- point"));

    runDeckJob(job, tools);
    EXPECT_EQ(readFile(job.outputPath),
              expectedDeck("Stored Co", "Stored title", {{"FirstStatementMkt_3", QStringLiteral("Stored\r\n- point")}}));

    job.planPath = planFile(R"({"planTitle": "From file"})");
    runDeckJob(job, tools);
    EXPECT_EQ(readFile(job.outputPath), expectedDeck("", "From file", {}));
    // The stored plan is back in place and unchanged.
    EXPECT_EQ(storedPlan->value(QStringLiteral("FirstStatementMkt_3")), QStringLiteral("Stored\r\n- point"));
    EXPECT_EQ(storedPlan->value(QStringLiteral("Marketing Plan")), QStringLiteral("Stored title"));
}

TEST_F(DeckJobTest, AnUnreadableStoredPlanEndsTheRunWithTheSystemsReason)
{
    const QString settingsFile = QSettings(QSettings::NativeFormat, QSettings::UserScope, QStringLiteral("Tarnvale"),
                                           QStringLiteral("Quillora")).fileName();
    QFile::remove(settingsFile);
    ASSERT_TRUE(QDir().mkpath(settingsFile));
    EXPECT_EQ(failure(), QStringLiteral("the stored plan cannot be read from \"%1\": %2")
                             .arg(settingsFile, qt_error_string(EISDIR)));
    EXPECT_EQ(generator.runs, 0);
    EXPECT_TRUE(outFolderEntries().isEmpty());
    ASSERT_TRUE(QDir(settingsFile).removeRecursively());
}

TEST_F(DeckJobTest, AnErrorReportFailsTheRunAndLeavesAnEarlierOutputAlone)
{
    writeFile(job.outputPath, "earlier deck");
    generator.failuresToReport = {{QStringLiteral("GenerateMarketPlan"), 108, QStringLiteral("Slide not found")},
                                  {QStringLiteral("GenerateMarketPlan"), 110, QStringLiteral("Shape not found")},
                                  {QStringLiteral("updateText"), 126, QStringLiteral("Shape not found")}};
    EXPECT_EQ(failure(), QStringLiteral("the deck could not be filled: Slide not found "
                                        "(GenerateMarketPlan, step 108), and 2 more errors"));
    EXPECT_EQ(readFile(job.outputPath), QByteArray("earlier deck"));
    EXPECT_EQ(outFolderEntries(), QStringList{QStringLiteral("deck.pptx")});

    generator.failuresToReport = {{QStringLiteral("GenerateMarketPlan"), 108, QStringLiteral("File not found")}};
    EXPECT_EQ(failure(), QStringLiteral("the deck could not be filled: File not found (GenerateMarketPlan, step 108)"));
}

TEST_F(DeckJobTest, OutputGetsTheModeOfANewFileOrKeepsTheOneItHad)
{
    job.planPath = planFile("{}");
    const mode_t mask = ::umask(0022);
    runDeckJob(job, tools);
    struct stat info{};
    ASSERT_EQ(::stat(QFile::encodeName(job.outputPath).constData(), &info), 0);
    EXPECT_EQ(info.st_mode & 07777, 0644u);

    ASSERT_EQ(::chmod(QFile::encodeName(job.outputPath).constData(), 0600), 0);
    runDeckJob(job, tools);
    ASSERT_EQ(::stat(QFile::encodeName(job.outputPath).constData(), &info), 0);
    EXPECT_EQ(info.st_mode & 07777, 0600u);
    ::umask(mask);
    EXPECT_EQ(outFolderEntries(), QStringList{QStringLiteral("deck.pptx")});
}

TEST_F(DeckJobTest, AnOutputThatIsALinkIsWrittenThrough)
{
    job.planPath = planFile(R"({"planTitle": "Linked"})");
    const QString target = dir.filePath(QStringLiteral("real-deck.pptx"));
    writeFile(target, "old");
    ASSERT_TRUE(QFile::link(target, job.outputPath));
    runDeckJob(job, tools);
    EXPECT_TRUE(QFileInfo(job.outputPath).isSymLink());
    EXPECT_EQ(readFile(target), expectedDeck("", "Linked", {}));
}

TEST_F(DeckJobTest, NoDeckProducedIsAFailure)
{
    generator.produceDeck = false;
    EXPECT_EQ(failure(), QStringLiteral("the deck generator finished without producing a deck"));
    EXPECT_TRUE(outFolderEntries().isEmpty());
}

TEST_F(DeckJobTest, BadTemplatesAreTurnedAwayBeforeTheRun)
{
    job.templatePath = dir.filePath(QStringLiteral("missing.pptx"));
    EXPECT_EQ(failure(), QStringLiteral("the template \"%1\" does not exist").arg(job.templatePath));
    job.templatePath = dir.path();
    EXPECT_EQ(failure(), QStringLiteral("the template \"%1\" is a folder, not a file").arg(dir.path()));
    job.templatePath = dir.filePath(QStringLiteral("notes.txt"));
    writeFile(job.templatePath, "just text");
    EXPECT_EQ(failure(), QStringLiteral("the template \"%1\" is not a presentation (.pptx) file").arg(job.templatePath));
    EXPECT_EQ(generator.runs, 0);
    EXPECT_TRUE(outFolderEntries().isEmpty());
}

TEST_F(DeckJobTest, BadOutputPathsAreTurnedAwayBeforeTheRun)
{
    job.outputPath = dir.filePath(QStringLiteral("no-such-folder/deck.pptx"));
    EXPECT_TRUE(failure().startsWith(QStringLiteral("the output folder \""))) ;
    job.outputPath = outFolder;
    EXPECT_EQ(failure(), QStringLiteral("the output \"%1\" is a folder, not a file").arg(outFolder));
    // A path through a file cannot be written either.
    job.outputPath = templatePath + QStringLiteral("/deck.pptx");
    EXPECT_FALSE(failure().isEmpty());
    EXPECT_EQ(generator.runs, 0);
}

TEST_F(DeckJobTest, AnExistingOutputIsReplacedOnlyWhenTheSystemLetsTheUserWriteIt)
{
    writeFile(job.outputPath, "earlier deck");
    QStringList asked;
    tools.mayWrite = [&](const QString& path) {
        asked << path;
        return false;
    };
    EXPECT_EQ(failure(), outputNotWritableSentence(job.outputPath));
    EXPECT_EQ(asked, QStringList{job.outputPath});
    EXPECT_EQ(readFile(job.outputPath), QByteArray("earlier deck"));
    EXPECT_EQ(outFolderEntries(), QStringList{QStringLiteral("deck.pptx")});
    EXPECT_EQ(generator.runs, 0);

    // The system's answer, not the bits: root may write a read-only file.
    ASSERT_TRUE(QFile::setPermissions(job.outputPath, QFileDevice::ReadOwner));
    EXPECT_EQ(userMayWrite(job.outputPath), ::geteuid() == 0);
    tools.mayWrite = {};
    if (::geteuid() == 0) {
        runDeckJob(job, tools);
        EXPECT_NE(readFile(job.outputPath), QByteArray("earlier deck"));
    } else {
        EXPECT_EQ(failure(), outputNotWritableSentence(job.outputPath));
    }
}

TEST_F(DeckJobTest, BadPlanFileFailsBeforeTheRun)
{
    job.planPath = planFile("{\"sections\": {\"Budget\": \"x\"}}");
    EXPECT_TRUE(failure().contains(QStringLiteral("names an unknown section \"Budget\"")));
    EXPECT_EQ(generator.runs, 0);
}

TEST_F(DeckJobTest, OutputsWithOtherEndingsGetAPdfBesideThem)
{
    EXPECT_EQ(pdfPathFor(QStringLiteral("/x/plan.pptx")), QStringLiteral("/x/plan.pdf"));
    EXPECT_EQ(pdfPathFor(QStringLiteral("/x/plan.PPTX")), QStringLiteral("/x/plan.pdf"));
    EXPECT_EQ(pdfPathFor(QStringLiteral("/x/plan.deck")), QStringLiteral("/x/plan.deck.pdf"));
}

// --- PDF -----------------------------------------------------------------

namespace {

// Plays LibreOffice: notes the command line and writes (or not) the PDF.
class FakeOffice final : public ProcessRunner {
public:
    ProcessOutcome run(const QString& program, const QStringList& arguments, int, const Tick& tick) override
    {
        this->program = program;
        this->arguments = arguments;
        const QString profile = QUrl(arguments.at(2).section(QLatin1Char('='), 1)).toLocalFile();
        profileSettings = readFile(profile + QStringLiteral("/user/registrymodifications.xcu"));
        if (tick)
            tick(1500);
        if (writePdf) {
            const QString outdir = arguments.at(arguments.indexOf(QStringLiteral("--outdir")) + 1);
            QFile pdf(outdir + QStringLiteral("/deck.pdf"));
            if (pdf.open(QIODevice::WriteOnly))
                pdf.write("%PDF-1.7 fake");
        }
        return outcome;
    }
    QString findProgram(const QString&) override { return QStringLiteral("/usr/bin/soffice"); }
    bool writePdf = true;
    ProcessOutcome outcome{true, false, 0, QString()};
    QString program;
    QStringList arguments;
    QByteArray profileSettings; // as LibreOffice would find them on start
};

} // namespace

TEST_F(DeckJobTest, PdfIsConvertedWithAPrivateProfileAndPublishedBesideTheDeck)
{
    FakeOffice office;
    ProgressLine progress(false);
    tools.processes = &office;
    tools.progress = &progress;
    tools.libreOffice = QStringLiteral("/usr/bin/soffice");
    job.pdf = true;
    job.planPath = planFile("{}");
    runDeckJob(job, tools);

    EXPECT_EQ(office.program, QStringLiteral("/usr/bin/soffice"));
    ASSERT_GE(office.arguments.size(), 8);
    EXPECT_EQ(office.arguments.mid(0, 2), (QStringList{"--headless", "--norestore"}));
    EXPECT_TRUE(office.arguments[2].startsWith(QStringLiteral("-env:UserInstallation=file:///")));
    EXPECT_FALSE(office.arguments[2].contains(QDir::homePath() + "/.config")) << "must not use the user's profile";
    EXPECT_EQ(office.arguments.mid(3, 2), (QStringList{"--convert-to", "pdf"}));
    EXPECT_TRUE(office.arguments.last().endsWith(QStringLiteral("/deck.pptx")));
    // Nothing a deck carries may run while it is converted.
    for (const char* setting : {"<prop oor:name=\"MacroSecurityLevel\" oor:op=\"fuse\"><value>3</value>",
                                "<prop oor:name=\"DisableMacrosExecution\" oor:op=\"fuse\"><value>true</value>"})
        EXPECT_TRUE(office.profileSettings.contains(setting)) << office.profileSettings.toStdString();
    EXPECT_TRUE(office.profileSettings.contains("oor:path=\"/org.openoffice.Office.Common/Security/Scripting\""));

    EXPECT_EQ(readFile(outFolder + "/deck.pdf"), QByteArray("%PDF-1.7 fake"));
    EXPECT_EQ(readFile(job.outputPath), expectedDeck("", "", {}));
}

TEST_F(DeckJobTest, AnOutputNamedPdfIsThePdfAlone)
{
    FakeOffice office;
    tools.processes = &office;
    tools.libreOffice = QStringLiteral("/usr/bin/soffice");
    for (const bool pdfFlag : {false, true}) {
        job.outputPath = outFolder + (pdfFlag ? QStringLiteral("/Deck.PDF") : QStringLiteral("/deck.pdf"));
        job.pdf = pdfFlag;
        runDeckJob(job, tools);
        EXPECT_EQ(readFile(job.outputPath), QByteArray("%PDF-1.7 fake"));
    }
    EXPECT_EQ(outFolderEntries(), (QStringList{QStringLiteral("Deck.PDF"), QStringLiteral("deck.pdf")}));

    // Without LibreOffice there is no way to write it.
    tools.libreOffice.clear();
    job.outputPath = outFolder + QStringLiteral("/other.pdf");
    job.pdf = false;
    EXPECT_TRUE(failure().endsWith(QStringLiteral("or name an output ending in .pptx")));
    EXPECT_EQ(outFolderEntries().size(), 2);
}

TEST_F(DeckJobTest, FailedConversionWritesNeitherFile)
{
    FakeOffice office;
    office.writePdf = false; // LibreOffice sometimes says 0 and writes nothing
    tools.processes = &office;
    tools.libreOffice = QStringLiteral("/usr/bin/soffice");
    job.pdf = true;
    EXPECT_EQ(failure(), QStringLiteral("LibreOffice could not convert the deck to PDF (exit status 0)"));

    office.outcome = {true, false, 81, QStringLiteral("noise\nError: source file could not be loaded\n")};
    EXPECT_EQ(failure(), QStringLiteral("LibreOffice could not convert the deck to PDF (exit status 81: "
                                        "Error: source file could not be loaded)"));
    office.outcome = {true, true, -1, QString()};
    EXPECT_TRUE(failure().startsWith(QStringLiteral("LibreOffice did not finish the PDF within")));
    office.outcome = {false, false, -1, QStringLiteral("No such file or directory")};
    EXPECT_TRUE(failure().contains(QStringLiteral("could not be started")));
    qputenv("TMPDIR", QFile::encodeName(outFolder + QStringLiteral("/missing")));
    EXPECT_TRUE(failure().startsWith(QStringLiteral("cannot create a temporary folder: "))) << failure().toStdString();
    qunsetenv("TMPDIR");
    EXPECT_TRUE(outFolderEntries().isEmpty());
}

TEST_F(DeckJobTest, PdfWithoutLibreOfficeFailsBeforeTheRun)
{
    job.pdf = true;
    EXPECT_TRUE(failure().startsWith(QStringLiteral("LibreOffice is not installed")));
    EXPECT_EQ(generator.runs, 0);
    EXPECT_TRUE(outFolderEntries().isEmpty());
}

// --- failures as one sentence ----------------------------------------------

TEST(FailureSentence, NamesTheFirstStepAndCountsTheRest)
{
    const QString templatePath = QStringLiteral("/decks/my template.pptx");
    EXPECT_EQ(failureSentence({{QStringLiteral("updateText"), 126, QStringLiteral("Object variable not set")}},
                              templatePath),
              QStringLiteral("the deck could not be filled: Object variable not set (updateText, step 126)"));
    // A description's own full stop does not end the phrase early, and the
    // template's path is named as the template.
    const std::vector<StepFailure> two{
        {QStringLiteral("GenerateMarketPlan"), 108,
         QStringLiteral("\"/decks/my template.pptx\" is not a presentation file.")},
        {QStringLiteral("GenerateMarketPlan"), 110, QStringLiteral("Object variable not set")}};
    const QString sentence = QStringLiteral("the deck could not be filled: the template \"/decks/my template.pptx\" is "
                                            "not a presentation file (GenerateMarketPlan, step 108), and 1 more error");
    EXPECT_EQ(failureSentence(two, templatePath), sentence);
    // The engine names the file by its name alone.
    const std::vector<StepFailure> byName{
        {QStringLiteral("GenerateMarketPlan"), 108, QStringLiteral("my template.pptx is not a presentation file.")},
        {QStringLiteral("GenerateMarketPlan"), 110, QStringLiteral("Object variable not set")}};
    EXPECT_EQ(failureSentence(byName, templatePath), sentence);
}
