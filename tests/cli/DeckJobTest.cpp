// One run of the command-line tool around a stand-in generator that keeps the
// real one's contract: it copies the template from the program folder to the
// working copy in TEMP, writes what it read from the plan into it and hands
// the working copy to the desktop. What is checked here is everything around
// the generator: which plan it sees, where it works, how failures end the
// run and that the output appears whole or not at all.

#include "cli/DeckJob.h"
#include "cli/HeadlessPlatform.h"
#include "cli/PdfExport.h"
#include "plan/PlanStore.h"
#include "plan/SectionCatalogue.h"
#include "core/ErrorReport.h"
#include "core/RuntimeError.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <sys/stat.h>

using namespace quillora;

namespace {

const QByteArray kTemplate("PK\x03\x04 template bytes", 19);

QByteArray readAll(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<unreadable>");
}

void writeFile(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly)) << path.toStdString();
    file.write(bytes);
}

struct StandInGenerator {
    QStringList reportsToShow; // shown through the error report, like failing steps
    bool handOverDeck = true;
    int runs = 0;
    QString seenProgramFolder, seenTemp;

    void operator()(Platform& platform, const TitleTexts& titles)
    {
        ++runs;
        seenProgramFolder = platform.environment->programFolder();
        seenTemp = platform.environment->variable(QStringLiteral("TEMP")).value_or(QString());
        const QString workingCopy = seenTemp + QStringLiteral("/marketing_plan_temp.ppt");
        QFile::remove(workingCopy);
        if (!QFile::copy(seenProgramFolder + QStringLiteral("/marketing_plan.ppt"), workingCopy))
            throw RuntimeError(QStringLiteral("stand-in could not copy the template"));
        QFile deck(workingCopy);
        if (!deck.open(QIODevice::Append))
            throw RuntimeError(QStringLiteral("stand-in could not open the working copy"));
        deck.write(("|" + titles.productName + "|" + titles.planTitle).toUtf8());
        for (const Section& section : allSections())
            deck.write(("|" + planSetting(section.key())).toUtf8());
        deck.close();

        ErrorReport report(*platform.messages);
        for (int i = 0; i < reportsToShow.size(); ++i)
            report.show(reportsToShow[i], QStringLiteral("in Brindlecoe2021/08/31.LessonPlan.GenerateMarketPlan "), 108 + 2 * i);
        if (handOverDeck)
            platform.desktop->openFile(workingCopy);
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
        tools.filler = [this](Platform& p, const TitleTexts& t) { generator(p, t); };
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
    DeckJob job;
    DeckJobTools tools;
};

} // namespace

TEST_F(DeckJobTest, PlanFileFeedsTheGeneratorAndTheDeckLandsAtOut)
{
    job.planPath = planFile(R"({"productName": "Acme", "planTitle": "Launch",
                                "sections": {"Pricing": ["Premium", "- above rivals"]}})");
    runDeckJob(job, tools);
    EXPECT_EQ(readAll(job.outputPath),
              expectedDeck("Acme", "Launch", {{"SecondStatementMkt_2", QStringLiteral("Premium\r\n- above rivals")}}));
    EXPECT_EQ(outFolderEntries(), QStringList{QStringLiteral("deck.pptx")});
}

TEST_F(DeckJobTest, GeneratorWorksInPrivateFoldersThatAreGoneAfterwards)
{
    runDeckJob(job, tools);
    ASSERT_EQ(generator.runs, 1);
    EXPECT_NE(generator.seenTemp, QDir::tempPath());
    EXPECT_TRUE(QFileInfo(generator.seenProgramFolder + "/marketing_plan.ppt").isSymLink()
                || !QFileInfo::exists(generator.seenProgramFolder));
    EXPECT_FALSE(QFileInfo::exists(generator.seenTemp));
    EXPECT_FALSE(QFileInfo::exists(generator.seenProgramFolder));
}

TEST_F(DeckJobTest, StoredPlanIsReadWhenNoFileIsGivenAndAFilePlanNeverTouchesIt)
{
    savePlanSetting(QStringLiteral("Company Name"), QStringLiteral("Stored Co"));
    savePlanSetting(QStringLiteral("Marketing Plan"), QStringLiteral("Stored title"));
    savePlanSetting(QStringLiteral("FirstStatementMkt_3"), QStringLiteral("Stored\r\n- point"));

    runDeckJob(job, tools);
    EXPECT_EQ(readAll(job.outputPath),
              expectedDeck("Stored Co", "Stored title", {{"FirstStatementMkt_3", QStringLiteral("Stored\r\n- point")}}));

    job.planPath = planFile(R"({"planTitle": "From file"})");
    runDeckJob(job, tools);
    EXPECT_EQ(readAll(job.outputPath), expectedDeck("", "From file", {}));
    // The stored plan is back in place and unchanged.
    EXPECT_EQ(planSetting(QStringLiteral("FirstStatementMkt_3")), QStringLiteral("Stored\r\n- point"));
    EXPECT_EQ(planSetting(QStringLiteral("Marketing Plan")), QStringLiteral("Stored title"));
}

TEST_F(DeckJobTest, AnErrorReportFailsTheRunAndLeavesAnEarlierOutputAlone)
{
    writeFile(job.outputPath, "earlier deck");
    generator.reportsToShow = {QStringLiteral("Slide not found"), QStringLiteral("Shape not found"),
                               QStringLiteral("Shape not found")};
    EXPECT_EQ(failure(), QStringLiteral("the deck could not be filled: Slide not found "
                                        "(GenerateMarketPlan, step 108), and 2 more errors"));
    EXPECT_EQ(readAll(job.outputPath), QByteArray("earlier deck"));
    EXPECT_EQ(outFolderEntries(), QStringList{QStringLiteral("deck.pptx")});

    generator.reportsToShow = {QStringLiteral("File not found")};
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
    EXPECT_EQ(readAll(target), expectedDeck("", "Linked", {}));
}

TEST_F(DeckJobTest, NoDeckHandedOverIsAFailure)
{
    generator.handOverDeck = false;
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
    ProcessOutcome run(const QString& program, const QStringList& arguments, int,
                       const std::function<void(qint64)>& tick) override
    {
        this->program = program;
        this->arguments = arguments;
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
    bool writePdf = true;
    ProcessOutcome outcome{true, false, 0, QString()};
    QString program;
    QStringList arguments;
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

    EXPECT_EQ(readAll(outFolder + "/deck.pdf"), QByteArray("%PDF-1.7 fake"));
    EXPECT_EQ(readAll(job.outputPath), expectedDeck("", "", {}));
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
    EXPECT_TRUE(outFolderEntries().isEmpty());
}

TEST_F(DeckJobTest, PdfWithoutLibreOfficeFailsBeforeTheRun)
{
    job.pdf = true;
    EXPECT_TRUE(failure().startsWith(QStringLiteral("LibreOffice is not installed")));
    EXPECT_EQ(generator.runs, 0);
    EXPECT_TRUE(outFolderEntries().isEmpty());
}

// --- the headless doors ----------------------------------------------------

TEST(HeadlessPlatform, WaitsOnItsClockCostNothing)
{
    HeadlessPlatform headless(QStringLiteral("/t"), QStringLiteral("/p"));
    Clock& clock = *headless.platform().clock;
    // A busy wait that polls the time of day ends after one more reading...
    const double end = clock.secondsSinceMidnight() + 0.5;
    int readings = 0;
    while (clock.secondsSinceMidnight() < end && readings < 1000)
        ++readings;
    EXPECT_LT(readings, 2);
    // ...and so does one that sleeps on the monotonic clock.
    const qint64 until = clock.monotonicMs() + 500;
    readings = 0;
    while (clock.monotonicMs() < until && readings < 1000) {
        clock.sleepMs(until - clock.monotonicMs());
        ++readings;
    }
    EXPECT_LT(readings, 2);
}

TEST(HeadlessPlatform, KeepsMessagesAndTheOpenedFileAndNamesItsFolders)
{
    HeadlessPlatform headless(QStringLiteral("/t"), QStringLiteral("/p"));
    Platform& p = headless.platform();
    EXPECT_EQ(p.messages->show("Title", "Proceed?", MessageIcon::None, MessageButtons::YesNo), MessageAnswer::No);
    EXPECT_EQ(headless.messages(), QStringList{QStringLiteral("Proceed?")});
    EXPECT_FALSE(headless.openedFile());
    EXPECT_TRUE(p.desktop->openFile(QStringLiteral("/t/deck.ppt")));
    EXPECT_EQ(headless.openedFile().value_or(QString()), QStringLiteral("/t/deck.ppt"));
    EXPECT_EQ(p.environment->variable(QStringLiteral("TEMP")).value_or(QString()), QStringLiteral("/t"));
    EXPECT_EQ(p.environment->programFolder(), QStringLiteral("/p"));
    EXPECT_FALSE(p.environment->variable(QStringLiteral("HOME")));
    EXPECT_THROW(p.exit->endNow(3), RuntimeError);
}

TEST(HeadlessPlatform, ErrorReportsBecomeOnePlainPhrase)
{
    const QString report = errorReportMessage(QStringLiteral("Object variable not set"),
                                              QStringLiteral("in Brindlecoe2021/08/31.LessonPlan.updateText "), 126);
    EXPECT_EQ(plainMessage(report), QStringLiteral("Object variable not set (updateText, step 126)"));
    EXPECT_EQ(plainMessage(QStringLiteral("Some\r\nother  message")), QStringLiteral("Some other message"));
    // A description's own full stop does not end the phrase early.
    const QString withStop = errorReportMessage(QStringLiteral("Deck holds no presentation."),
                                                QStringLiteral("in Brindlecoe2021/08/31.LessonPlan.GenerateMarketPlan "), 108);
    EXPECT_EQ(plainMessage(withStop), QStringLiteral("Deck holds no presentation (GenerateMarketPlan, step 108)"));
}
