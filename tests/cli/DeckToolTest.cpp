// The built quillora-deck run as a child process, as scripts run it: exit
// statuses, what it prints, and the decks it writes (read back with the
// presentation engine).

#include "builder/SlideFillMap.h"
#include "cli/CommandText.h"
#include "cli/OutputChecks.h"
#include "cli/PdfExport.h"
#include "cli/PlanTools.h"
#include "core/Quoted.h"
#include "deck/Deck.h"
#include "deck/PackageRefusals.h"
#include "platform/WindowInstance.h"
#include "tests/cli/HostilePlan.h"
#include "tests/support/ChildProcess.h"
#include "tests/support/DeckBuilder.h"
#include "tests/support/InstalledTranslations.h"
#include "tests/support/LibreOffice.h"
#include "tests/support/TestFiles.h"
#include "tests/support/BuiltTemplate.h"

#include <gtest/gtest.h>

#include <QDateTime>
#include <QDir>
#include <QDirIterator>
#include <QLocalServer>
#include <QFile>
#include <QProcessEnvironment>
#include <QRegularExpression>
#include <QScopeGuard>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <fcntl.h>
#include <linux/fs.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace quillora;

namespace {

const QString kTool = QStringLiteral(QUILLORA_BIN_DIR "/quillora-deck");
const QString kTemplate = quillora::testing::builtTemplatePath();

struct Outcome {
    int status = -1;
    QString out, err;
};

class DeckToolTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        ASSERT_TRUE(QFileInfo(kTool).isExecutable()) << kTool.toStdString();
        ASSERT_TRUE(QFileInfo(kTemplate).isFile()) << kTemplate.toStdString();
        out = dir.filePath(QStringLiteral("deck.pptx"));
        // The child's stored plan lives here, never in the user's settings.
        settingsHome = dir.filePath(QStringLiteral("config"));
        QDir().mkpath(settingsHome);
        dataHome = dir.filePath(QStringLiteral("data"));
        environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("XDG_CONFIG_HOME"), settingsHome);
        environment.insert(QStringLiteral("XDG_DATA_HOME"), dataHome);
    }

    QString storeFile() const { return settingsHome + QStringLiteral("/Tarnvale/Quillora.conf"); }

    Outcome run(const QStringList& arguments)
    {
        quillora::testing::ChildOptions options;
        options.environment = environment;
        options.workingDirectory = dir.path();
        options.timeoutMs = 240'000;
        const quillora::testing::ChildRun child = quillora::testing::runChild(kTool, arguments, options);
        Outcome outcome;
        if (!child.finished) {
            ADD_FAILURE() << "quillora-deck did not run to its end";
            return outcome;
        }
        outcome.status = child.exitCode;
        outcome.out = QString::fromUtf8(child.out);
        outcome.err = QString::fromUtf8(child.err);
        return outcome;
    }

    QString writePlan(const QByteArray& json)
    {
        const QString path = dir.filePath(QStringLiteral("plan.json"));
        quillora::testing::writeFile(path, json);
        return path;
    }

    QStringList folderEntries() const
    {
        return QDir(dir.path()).entryList(QDir::Files | QDir::Hidden | QDir::NoDotAndDotDot, QDir::Name);
    }

    // A failure: the given status, one line on stderr that starts with the
    // program's name and holds the given words, nothing on stdout.
    void expectFailure(const Outcome& outcome, int status, const QString& words)
    {
        EXPECT_EQ(outcome.status, status) << outcome.err.toStdString();
        EXPECT_TRUE(outcome.out.isEmpty());
        EXPECT_TRUE(outcome.err.startsWith(QStringLiteral("quillora-deck: "))) << outcome.err.toStdString();
        EXPECT_TRUE(outcome.err.endsWith(QStringLiteral(".\n"))) << outcome.err.toStdString();
        EXPECT_EQ(outcome.err.count(QLatin1Char('\n')), 1) << outcome.err.toStdString();
        EXPECT_TRUE(outcome.err.contains(words)) << outcome.err.toStdString();
    }

    QTemporaryDir dir;
    QString out, settingsHome, dataHome;
    QProcessEnvironment environment;
};

// Every file and folder under a folder with each file's bytes and time of
// last change: equal snapshots mean nothing was written, made or left behind.
QStringList snapshot(const QString& folder)
{
    QStringList entries;
    QDirIterator it(folder, QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QFileInfo info(it.next());
        QString entry = QDir(folder).relativeFilePath(info.filePath());
        if (info.isFile())
            entry += QLatin1Char(' ') + info.lastModified().toString(Qt::ISODateWithMs) + QLatin1Char(' ')
                   + QString::fromLatin1(quillora::testing::readFile(info.filePath()).toBase64());
        entries << entry;
    }
    entries.sort();
    return entries;
}

// Makes a file no one may write: read-only for an ordinary user, immutable
// for root, whom the mode bits do not stop. Undone when on is false.
bool setUnwritable(const QString& path, bool on)
{
    if (::geteuid() != 0)
        return QFile::setPermissions(path, on ? QFileDevice::ReadOwner : QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_CLOEXEC);
    int flags = 0;
    bool done = fd >= 0 && ::ioctl(fd, FS_IOC_GETFLAGS, &flags) == 0;
    flags = on ? flags | FS_IMMUTABLE_FL : flags & ~FS_IMMUTABLE_FL;
    done = done && ::ioctl(fd, FS_IOC_SETFLAGS, &flags) == 0;
    if (fd >= 0)
        ::close(fd);
    return done;
}

QString shapeText(deck::Presentation& deck, int slide, const QString& shape)
{
    return deck.slide(slide).shape(shape).textRange().text();
}

// A deck with every place the fill map writes into, less what a test breaks:
// a shape renamed, a shape that is a picture, slides left off the end.
QByteArray fillableDeck(int slideCount, int renamedSlide = 0, int pictureSlide = 0, int titleOnlySlide = 0)
{
    QStringList slides;
    for (int slide = 1; slide <= slideCount; ++slide) {
        QString name = QStringLiteral("Subtitle 2");
        for (const FillRow& row : slideFillMap()) {
            if (row.slide == slide && row.shapeName)
                name = QString::fromUtf8(row.shapeName);
        }
        if (slide == renamedSlide)
            name += QStringLiteral(" renamed");
        slides << quillora::testing::textShape(2, QStringLiteral("Title 1"))
                      + (slide == titleOnlySlide ? QString()
                         : slide == pictureSlide ? quillora::testing::pictureShape(3, name)
                                                 : quillora::testing::textShape(3, name));
    }
    return quillora::testing::makeDeck({slides, {}, {}});
}

std::map<QString, QString> storedValues(const QString& storeFile)
{
    QSettings settings(storeFile, QSettings::IniFormat);
    std::map<QString, QString> values;
    for (const QString& key : settings.allKeys())
        values[key] = settings.value(key).toString();
    return values;
}

QString shapeText(deck::Presentation& deck, int slide, int shape)
{
    return deck.slide(slide).shape(shape).textRange().text();
}

} // namespace

TEST_F(DeckToolTest, HelpAndVersion)
{
    const Outcome help = run({QStringLiteral("--help")});
    EXPECT_EQ(help.status, 0);
    for (const char* option : {"--template", "--plan", "--output", "--pdf", "--version", "--check-template",
                               "--export-plan", "--import-plan"})
        EXPECT_TRUE(help.out.contains(QLatin1String(option))) << option;
    const Outcome version = run({QStringLiteral("--version")});
    EXPECT_EQ(version.status, 0);
    EXPECT_EQ(version.out, QStringLiteral("quillora-deck " QUILLORA_VERSION "\n"));
}

// The desktop's language is LANGUAGE before LANG: English when it asks for
// English, else German, as this process gets it from the same catalogue.
TEST_F(DeckToolTest, HelpAndMessagesFollowTheDesktopsLanguage)
{
    const char* option = "Read the plan from this JSON file instead of the stored plan.";
    const char* noOutput = "no output file given; name one with -o OUT.pptx";
    environment.remove(QStringLiteral("LC_ALL"));
    environment.remove(QStringLiteral("LC_MESSAGES"));
    environment.insert(QStringLiteral("LANG"), QStringLiteral("de_DE.UTF-8"));
    environment.insert(QStringLiteral("LANGUAGE"), QStringLiteral("en"));
    // The help wraps its lines.
    EXPECT_TRUE(run({QStringLiteral("--help")}).out.simplified().contains(QLatin1String(option)));
    expectFailure(run({}), 2, QLatin1String(noOutput));

    environment.insert(QStringLiteral("LANGUAGE"), QStringLiteral("de"));
    const Outcome help = run({QStringLiteral("--help")});
    const Outcome failure = run({});
    const quillora::testing::InstalledTranslations german({QStringLiteral("de")});
    ASSERT_NE(CommandText::tr(option), QLatin1String(option));
    EXPECT_TRUE(help.out.simplified().contains(CommandText::tr(option))) << help.out.toStdString();
    // Qt's own line for --help comes from Qt's catalogue.
    EXPECT_TRUE(help.out.simplified().contains(
        QCoreApplication::translate("QCommandLineParser", "Displays help on commandline options.")));
    expectFailure(failure, 2, CommandText::tr(noOutput));
}

TEST_F(DeckToolTest, CommandLineMistakesExitWithTwo)
{
    expectFailure(run({}), 2, QStringLiteral("no output file given"));
    expectFailure(run({QStringLiteral("--bogus"), QStringLiteral("-o"), out}), 2, QStringLiteral("bogus"));
    expectFailure(run({QStringLiteral("-o"), out, QStringLiteral("extra")}), 2, QStringLiteral("unexpected argument \"extra\""));
    expectFailure(run({QStringLiteral("-o")}), 2, QStringLiteral("-o"));
    EXPECT_TRUE(folderEntries().isEmpty());
}

TEST_F(DeckToolTest, PlanFileFillsTheDeckAndEmptySectionsKeepTheTemplateText)
{
    const QString plan = writePlan(R"({"productName": "Larkspur Marketing Plan", "planTitle": "Spring launch",
        "sections": {"Market Summary": ["Growing market", "- Up 9% a year"], "Schedule": "March\nApril"}})");
    const Outcome outcome = run({QStringLiteral("--template"), kTemplate, QStringLiteral("--plan"), plan,
                                 QStringLiteral("-o"), out});
    ASSERT_EQ(outcome.status, 0) << outcome.err.toStdString();
    EXPECT_TRUE(outcome.err.isEmpty()) << outcome.err.toStdString();
    EXPECT_TRUE(outcome.out.isEmpty());

    // The engine reads paragraph ends back as "\r".
    auto filled = deck::Presentation::open(out);
    auto original = deck::Presentation::open(kTemplate);
    EXPECT_EQ(shapeText(*filled, 1, 1), QStringLiteral("Spring launch"));
    EXPECT_EQ(shapeText(*filled, 1, 2), QStringLiteral("Larkspur \rMarketing Plan"));
    EXPECT_EQ(shapeText(*filled, 2, QStringLiteral("Rectangle 98")), QStringLiteral("Growing market\r\t- Up 9% a year\r"));
    EXPECT_EQ(shapeText(*filled, 17, QStringLiteral("Rectangle 3")), QStringLiteral("March\rApril\r"));
    // Product Definition was left out: slide 3 still says what the template says.
    EXPECT_EQ(shapeText(*filled, 3, QStringLiteral("Rectangle 3")), shapeText(*original, 3, QStringLiteral("Rectangle 3")));
    EXPECT_EQ(folderEntries(), (QStringList{QStringLiteral("deck.pptx"), QStringLiteral("plan.json")}));
}

TEST_F(DeckToolTest, ContinueLongSectionsAddsSlidesRightAfterTheLongSectionOnlyWhenAsked)
{
    const QString points = QStringLiteral("\"Point on the market we are entering\", \"- detail\", ").repeated(14);
    const QString plan = writePlan(QStringLiteral(R"({"sections": {"Market Summary": [%1"end"]}})").arg(points).toUtf8());
    QStringList arguments{QStringLiteral("--template"), kTemplate, QStringLiteral("--plan"), plan, QStringLiteral("-o"), out};
    ASSERT_EQ(run(arguments).status, 0);
    EXPECT_EQ(deck::Presentation::open(out)->slideCount(), 17);
    ASSERT_EQ(run(arguments << QStringLiteral("--continue-long-sections")).status, 0);
    auto filled = deck::Presentation::open(out);
    EXPECT_EQ(shapeText(*filled, 3, 1), QStringLiteral("Market Summary (continued)"));
    EXPECT_EQ(shapeText(*filled, filled->slideCount() - 14, 1), QStringLiteral("Product Definition"));
}

TEST_F(DeckToolTest, StoredPlanIsUsedWithoutAPlanFileAndLeftUnchanged)
{
    const QString store = settingsHome + QStringLiteral("/Tarnvale/Quillora.conf");
    {
        QSettings settings(store, QSettings::IniFormat);
        settings.setValue(QStringLiteral("Company Name"), QStringLiteral("Stored Co"));
        settings.setValue(QStringLiteral("Marketing Plan"), QStringLiteral("Stored title"));
        settings.setValue(QStringLiteral("FirstStatementMkt_1"), QStringLiteral("Stored line\r\n- stored point"));
        settings.setValue(QStringLiteral("FirstStatementMkt_2"), QString());
    }
    QFile storeFile(store);
    ASSERT_TRUE(storeFile.open(QIODevice::ReadOnly));
    const QByteArray before = storeFile.readAll();
    storeFile.close();

    // No --template either: the one beside the program is used.
    const Outcome outcome = run({QStringLiteral("-o"), out});
    ASSERT_EQ(outcome.status, 0) << outcome.err.toStdString();

    auto filled = deck::Presentation::open(out);
    auto original = deck::Presentation::open(kTemplate);
    EXPECT_EQ(shapeText(*filled, 1, 1), QStringLiteral("Stored title"));
    EXPECT_EQ(shapeText(*filled, 1, 2), QStringLiteral("Stored Co\rMarketing Plan"));
    EXPECT_EQ(shapeText(*filled, 3, QStringLiteral("Rectangle 3")), QStringLiteral("Stored line\r\t- stored point\r"));
    // Stored as empty text: the row is skipped like one never stored.
    EXPECT_EQ(shapeText(*filled, 4, QStringLiteral("Rectangle 18")), shapeText(*original, 4, QStringLiteral("Rectangle 18")));

    ASSERT_TRUE(storeFile.open(QIODevice::ReadOnly));
    EXPECT_EQ(storeFile.readAll(), before);
}

TEST_F(DeckToolTest, FailuresExitWithOneAndLeaveAnEarlierOutputAsItWas)
{
    quillora::testing::writeFile(out, "earlier deck");

    const QString badPlan = writePlan("{\"sections\": {\"Budget\": \"x\"}}");
    expectFailure(run({QStringLiteral("--plan"), badPlan, QStringLiteral("-o"), out}), 1,
                  QStringLiteral("names an unknown section \"Budget\""));
    expectFailure(run({QStringLiteral("--plan"), dir.filePath(QStringLiteral("none.json")), QStringLiteral("-o"), out}), 1,
                  QStringLiteral("cannot read the plan file"));
    expectFailure(run({QStringLiteral("--template"), dir.filePath(QStringLiteral("none.pptx")), QStringLiteral("-o"), out}), 1,
                  QStringLiteral("does not exist"));
    // A zip that is not a presentation passes the quick check and fails in the generator.
    const QString notADeck = dir.filePath(QStringLiteral("not-a-deck.pptx"));
    quillora::testing::writeFile(notADeck, QByteArray("PK\x05\x06", 4) + QByteArray(18, '\0')); // an empty zip archive
    expectFailure(run({QStringLiteral("--template"), notADeck, QStringLiteral("-o"), out}), 1,
                  QStringLiteral("the deck could not be filled: the template \"%1\"").arg(notADeck));
    // Found by fuzzing: readers disagree about which parts it holds, so the
    // engine's refusal, naming the part, is the command's.
    const QString ambiguous = QStringLiteral(QUILLORA_SOURCE_DIR "/fuzz/corpus/deck_open/entry-named-twice.pptx");
    expectFailure(run({QStringLiteral("--template"), ambiguous, QStringLiteral("-o"), out}), 1,
                  deck::detail::partStoredUnderAnotherName(QStringLiteral("@"), QStringLiteral("ppt/slides/_rels/slide4.xml.rels"),
                                                           QStringLiteral("ppt/slides/_rels/slide8.xml.rels"))
                      .mid(1)
                      .chopped(1)); // the command words the sentence's end its own way

    QFile check(out);
    ASSERT_TRUE(check.open(QIODevice::ReadOnly));
    EXPECT_EQ(check.readAll(), QByteArray("earlier deck"));
    EXPECT_EQ(folderEntries(),
              (QStringList{QStringLiteral("deck.pptx"), QStringLiteral("not-a-deck.pptx"), QStringLiteral("plan.json")}));
}

TEST_F(DeckToolTest, UnwritableOutputExitsWithOne)
{
    expectFailure(run({QStringLiteral("-o"), dir.filePath(QStringLiteral("missing/deck.pptx"))}), 1,
                  QStringLiteral("does not exist"));
    expectFailure(run({QStringLiteral("-o"), dir.path()}), 1, QStringLiteral("is a folder"));
}

TEST_F(DeckToolTest, OutputsThatWouldReplaceAFileItReadsOrMayNotWriteAreRefused)
{
    const QString templ = dir.filePath(QStringLiteral("template.pptx"));
    ASSERT_TRUE(QFile::copy(kTemplate, templ));
    const QString plan = writePlan(R"({"planTitle": "Refused"})");
    const QString planNamedPdf = dir.filePath(QStringLiteral("notes.pdf"));
    quillora::testing::writeFile(planNamedPdf, R"({"planTitle": "Refused"})");
    const QString locked = dir.filePath(QStringLiteral("locked.pptx"));
    quillora::testing::writeFile(locked, "someone else's deck");
    const bool lockedMade = setUnwritable(locked, true);
    const auto unlock = qScopeGuard([&] { setUnwritable(locked, false); }); // else the folder stays behind
    const QString folder = dir.filePath(QStringLiteral("folder.pptx"));
    ASSERT_TRUE(QDir().mkpath(folder));
    // The user's settings as a window leaves them, and their folder once more through a link.
    const QString settings = settingsHome + QStringLiteral("/Tarnvale");
    ASSERT_TRUE(QDir().mkpath(settings));
    quillora::testing::writeFile(storeFile(), "[General]\nCompany%20Name=Acme\n");
    quillora::testing::writeFile(settings + QStringLiteral("/Quillora-window.conf"), "[Window]\n");
    quillora::testing::writeFile(storeFile() + QStringLiteral(".window-lock"), "");
    ASSERT_TRUE(QFile::link(settings, dir.filePath(QStringLiteral("linked"))));

    // Each file no output may land on, with the sentence that refuses it;
    // the lock and the temporary copy do not exist between writes.
    const std::vector<std::pair<QString, QString>> protectedFiles{
        {templ, QStringLiteral("%1 is the template in use, which is read and never written; write to another file")},
        {plan, QStringLiteral("%1 is the plan file being read, which is never written; write to another file")},
        {storeFile(), QStringLiteral("%1 is the settings file that keeps your plan; write to another file")},
        {storeFile() + QStringLiteral(".lock"),
         QStringLiteral("%1 is the lock of the settings file that keeps your plan; write to another file")},
        {storeFile() + QStringLiteral(".a1B2c3"),
         QStringLiteral("%1 is kept for the temporary copies and the backups of the settings file that keeps your "
                        "plan; write to another file")},
        {storeFile() + QStringLiteral(".window-lock"),
         QStringLiteral("%1 is the lock that keeps a second window off your plan; write to another file")},
        {settings + QStringLiteral("/Quillora-window.conf"),
         QStringLiteral("%1 is the settings file that keeps the window's size and place; write to another file")},
        {settings + QStringLiteral("/Quillora-window.conf.lock"),
         QStringLiteral("%1 is kept for the lock and the temporary copies of the settings file that keeps the "
                        "window's size and place; write to another file")},
    };
    struct Case {
        QString what;
        QStringList arguments;
        QString sentence;
    };
    const QStringList fromTemplate{QStringLiteral("--template"), templ, QStringLiteral("--plan"), plan};
    std::vector<Case> cases{
        {"the plan file as the PDF beside the deck",
         QStringList{"--template", templ, "--plan", planNamedPdf, "-o", dir.filePath("notes.pptx"), "--pdf"},
         QStringLiteral("%1 is the plan file being read, which is never written; write to another file")
             .arg(quoted(planNamedPdf))},
        {"a folder", fromTemplate + QStringList{"-o", folder}, outputIsFolderSentence(folder)},
    };
    int made = 0;
    for (const auto& [target, sentence] : protectedFiles) {
        const QString name = QFileInfo(target).fileName();
        const QString folderName = QFileInfo(QFileInfo(target).absolutePath()).fileName();
        // Relative to the command's folder, through "..", through a linked
        // folder, a symbolic link (to nothing yet, for the lock) and a hard link.
        QStringList spellings{target, QDir(dir.path()).relativeFilePath(QFileInfo(target).absolutePath())
                                          + QStringLiteral("/../") + folderName + u'/' + name};
        if (target.startsWith(settings))
            spellings << dir.filePath(QStringLiteral("linked/") + name);
        const QString symlink = dir.filePath(QStringLiteral("link%1.pptx").arg(++made));
        ASSERT_TRUE(QFile::link(target, symlink));
        spellings << symlink;
        if (QFileInfo::exists(target)) {
            spellings << dir.filePath(QStringLiteral("hard%1.pptx").arg(made));
            ASSERT_EQ(::link(QFile::encodeName(target).constData(), QFile::encodeName(spellings.last()).constData()), 0);
        }
        for (const QString& spelling : spellings) {
            cases.push_back({"-o " + spelling, fromTemplate + QStringList{"-o", spelling}, sentence.arg(quoted(spelling))});
            if (target.startsWith(settings)) // --export-plan reads neither the template nor a plan file
                cases.push_back({"--export-plan " + spelling, {"--export-plan", spelling}, sentence.arg(quoted(spelling))});
        }
        // The PDF beside a deck: its name follows the deck's.
        const QString pdf = dir.filePath(QStringLiteral("beside%1.pdf").arg(made));
        ASSERT_TRUE(QFile::link(target, pdf));
        cases.push_back({"--pdf " + pdf, fromTemplate + QStringList{"-o", pdf.chopped(4) + ".pptx", "--pdf"},
                         sentence.arg(quoted(pdf))});
    }
    if (lockedMade)
        cases.push_back({"an existing file no one may write", fromTemplate + QStringList{"-o", locked},
                         outputNotWritableSentence(locked)});

    const QStringList before = snapshot(dir.path());
    for (const Case& refused : cases) {
        SCOPED_TRACE(refused.what.toStdString());
        const Outcome outcome = run(refused.arguments);
        EXPECT_EQ(outcome.status, 1);
        EXPECT_EQ(outcome.err.toStdString(), ("quillora-deck: " + refused.sentence + ".\n").toStdString());
        EXPECT_TRUE(outcome.out.isEmpty());
        EXPECT_EQ(snapshot(dir.path()).join('\n').toStdString(), before.join('\n').toStdString());
    }
    if (!lockedMade)
        GTEST_SKIP() << "no file this user may not write could be made here (neither read-only bits nor the "
                        "immutable attribute); the unwritable output was not tried";
}

// Only regular files are read: a named pipe nobody writes to (which would
// block a plain open for good), a device that never ends, a folder and a
// socket are each refused at once, by every reader of the command.
TEST_F(DeckToolTest, AnInputThatIsNotARegularFileIsRefusedAtOnce)
{
    const QString pipe = dir.filePath(QStringLiteral("pipe"));
    ASSERT_EQ(::mkfifo(QFile::encodeName(pipe).constData(), 0600), 0);
    const QString folder = dir.filePath(QStringLiteral("folder"));
    ASSERT_TRUE(QDir().mkpath(folder));
    QLocalServer socket;
    ASSERT_TRUE(socket.listen(dir.filePath(QStringLiteral("socket"))));
    const QString plan = writePlan(R"({"planTitle": "Read"})");
    const std::pair<QString, const char*> inputs[] = {
        {pipe, "a named pipe"}, {QStringLiteral("/dev/zero"), "a device"}, {folder, "a folder"}, {socket.fullServerName(), "a socket"}};
    for (const auto& [input, kind] : inputs) {
        SCOPED_TRACE(kind);
        const QString template_ = QStringLiteral("the template \"%1\" ").arg(input);
        const QString planFile = QStringLiteral("the plan file \"%1\" is %2, not a file").arg(input, kind);
        expectFailure(run({QStringLiteral("--check-template"), input}), 1,
                      template_ + QStringLiteral("cannot be read as a presentation: it is %1, not a presentation file.").arg(kind));
        expectFailure(run({QStringLiteral("-t"), input, QStringLiteral("--plan"), plan, QStringLiteral("-o"), out}), 1,
                      template_ + QStringLiteral("is %1, not a file.").arg(kind));
        expectFailure(run({QStringLiteral("--plan"), input, QStringLiteral("-o"), out}), 1, planFile + u'.');
        expectFailure(run({QStringLiteral("--import-plan"), input}), 1, planFile + u'.');
    }
    EXPECT_FALSE(QFileInfo::exists(out));
}

TEST_F(DeckToolTest, PdfWithoutLibreOfficeIsAClearError)
{
    const QString emptyBin = dir.filePath(QStringLiteral("bin"));
    QDir().mkpath(emptyBin);
    environment.insert(QStringLiteral("PATH"), emptyBin);
    expectFailure(run({QStringLiteral("-o"), out, QStringLiteral("--pdf")}), 1,
                  QStringLiteral("LibreOffice is not installed"));
    EXPECT_FALSE(QFileInfo::exists(out));
}

TEST_F(DeckToolTest, PdfIsWrittenBesideTheDeckWhenLibreOfficeIsInstalled)
{
    if (quillora::testing::findOfficeTools().soffice.isEmpty())
        GTEST_SKIP() << "LibreOffice (soffice) is not installed; scripts/install-deps --test installs it";
    const QString plan = writePlan(R"({"planTitle": "Quarterly plan for PDF", "sections": {"Pricing": "Premium pricing"}})");
    const Outcome outcome = run({QStringLiteral("--plan"), plan, QStringLiteral("-o"), out, QStringLiteral("--pdf")});
    ASSERT_EQ(outcome.status, 0) << outcome.err.toStdString();
    // Not a terminal: no progress line.
    EXPECT_TRUE(outcome.err.isEmpty()) << outcome.err.toStdString();
    const QString pdf = dir.filePath(QStringLiteral("deck.pdf"));
    QFile file(pdf);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_TRUE(file.read(5) == "%PDF-");

    const quillora::testing::OfficeTools office = quillora::testing::findOfficeTools();
    if (office.pdftotext.isEmpty())
        return;
    QString error;
    const QString words = quillora::testing::pdfText(office, pdf, &error);
    ASSERT_TRUE(error.isEmpty()) << error.toStdString();
    EXPECT_TRUE(words.contains(QStringLiteral("Quarterly plan for PDF"))) << words.left(400).toStdString();
    EXPECT_TRUE(words.contains(QStringLiteral("Premium pricing")));
}

TEST_F(DeckToolTest, AnOutputNamedPdfIsARealPdfAndNothingElseIsWritten)
{
    if (quillora::testing::findOfficeTools().soffice.isEmpty())
        GTEST_SKIP() << "LibreOffice (soffice) is not installed; scripts/install-deps --test installs it";
    const QString plan = writePlan(R"({"planTitle": "Straight to PDF"})");
    // --pdf beside an OUT that is already a PDF adds nothing.
    for (const QStringList& extra : {QStringList{}, QStringList{QStringLiteral("--pdf")}}) {
        const QString pdf = dir.filePath(extra.isEmpty() ? QStringLiteral("deck.pdf") : QStringLiteral("Deck.PDF"));
        const Outcome outcome = run(QStringList{QStringLiteral("--plan"), plan, QStringLiteral("-o"), pdf} + extra);
        ASSERT_EQ(outcome.status, 0) << outcome.err.toStdString();
        EXPECT_TRUE(quillora::testing::readFile(pdf).startsWith("%PDF-")) << pdf.toStdString();
    }
    EXPECT_EQ(folderEntries(),
              (QStringList{QStringLiteral("Deck.PDF"), QStringLiteral("deck.pdf"), QStringLiteral("plan.json")}));
}

TEST_F(DeckToolTest, OnATerminalTheConversionShowsAProgressLineAndClearsIt)
{
    if (quillora::testing::findOfficeTools().soffice.isEmpty())
        GTEST_SKIP() << "LibreOffice (soffice) is not installed; scripts/install-deps --test installs it";
    const QString script = QStandardPaths::findExecutable(QStringLiteral("script"));
    if (script.isEmpty())
        GTEST_SKIP() << "util-linux's script, which gives the command a terminal, is not installed";
    const QString plan = writePlan(R"({"planTitle": "Terminal"})");
    auto onTerminal = [&](const QString& extra) {
        quillora::testing::ChildOptions options;
        options.environment = environment;
        options.timeoutMs = 240'000;
        // script runs the command on a pseudo-terminal and copies what it shows.
        const QString command = QStringLiteral("'%1' --plan '%2' -o '%3' %4").arg(kTool, plan, out, extra);
        const quillora::testing::ChildRun child = quillora::testing::runChild(script, {QStringLiteral("-qec"), command, QStringLiteral("/dev/null")}, options);
        EXPECT_TRUE(child.finished);
        EXPECT_EQ(child.exitCode, 0);
        return QString::fromUtf8(child.out);
    };
    const QString withPdf = onTerminal(QStringLiteral("--pdf"));
    EXPECT_TRUE(withPdf.contains(QStringLiteral("Converting to PDF with LibreOffice..."))) << withPdf.toStdString();
    EXPECT_TRUE(withPdf.endsWith(QStringLiteral("\r\033[K"))) << "the line is cleared at the end";
    EXPECT_TRUE(QFileInfo(dir.filePath(QStringLiteral("deck.pdf"))).isFile());
    // Without a conversion there is nothing to show.
    EXPECT_EQ(onTerminal(QString()), QString());
}

TEST_F(DeckToolTest, ATemplateInTheUsersDataFolderIsTheOneFilled)
{
    auto own = deck::Presentation::open(kTemplate);
    own->slide(3).shape(QStringLiteral("Rectangle 3")).textRange().setText(QStringLiteral("Our own branded deck"));
    ASSERT_TRUE(QDir().mkpath(dataHome + QStringLiteral("/quillora")));
    own->saveAs(dataHome + QStringLiteral("/quillora/marketing_plan.ppt"));

    const Outcome outcome = run({QStringLiteral("-o"), out});
    ASSERT_EQ(outcome.status, 0) << outcome.err.toStdString();
    auto filled = deck::Presentation::open(out);
    EXPECT_EQ(shapeText(*filled, 3, QStringLiteral("Rectangle 3")), QStringLiteral("Our own branded deck"));
}

TEST_F(DeckToolTest, TheTemplateCheckListsEachMissingPiece)
{
    const Outcome shipped = run({QStringLiteral("--check-template"), kTemplate});
    EXPECT_EQ(shipped.status, 0) << shipped.err.toStdString();
    EXPECT_EQ(shipped.out, QStringLiteral("all 17 slides and 18 shapes the plan is written into are there\n"));

    const struct {
        QByteArray deck;
        QString lines;
    } cases[] = {
        {fillableDeck(17), QString()},
        {fillableDeck(17, 4), QStringLiteral("slide 4: no shape named \"Rectangle 18\"\n")},
        {fillableDeck(16), QStringLiteral("slide 17: no such slide (the template has 16)\n")},
        {fillableDeck(17, 0, 9), QStringLiteral("slide 9: the shape named \"Rectangle 3\" has no text frame to write into\n")},
        {fillableDeck(17, 0, 0, 1), QStringLiteral("slide 1: no shape number 2\n")},
        {fillableDeck(15, 2, 1),
         QStringLiteral("slide 1: shape number 2 has no text frame to write into\nslide 2: no shape named \"Rectangle 98\"\n"
                        "slide 16: no such slide (the template has 15)\nslide 17: no such slide (the template has 15)\n")},
    };
    const QString deck = dir.filePath(QStringLiteral("check.pptx"));
    for (const auto& test : cases) {
        quillora::testing::writeFile(deck, test.deck);
        const Outcome checked = run({QStringLiteral("--check-template"), deck});
        const qsizetype missing = test.lines.count(QLatin1Char('\n'));
        EXPECT_EQ(checked.status, missing ? 2 : 0) << test.lines.toStdString();
        EXPECT_TRUE(checked.out.startsWith(test.lines)) << checked.out.toStdString();
        EXPECT_EQ(checked.out.count(QLatin1Char('\n')), missing + 1) << checked.out.toStdString();
        if (missing > 1)
            EXPECT_TRUE(checked.out.endsWith(QStringLiteral("%1 pieces the plan is written into are missing\n").arg(missing)));
        EXPECT_TRUE(checked.err.isEmpty()) << checked.err.toStdString();
    }

    // Without FILE, the template a run would fill: here the user's own.
    ASSERT_TRUE(QDir().mkpath(dataHome + QStringLiteral("/quillora")));
    quillora::testing::writeFile(dataHome + QStringLiteral("/quillora/marketing_plan.ppt"), fillableDeck(17, 4));
    EXPECT_EQ(run({QStringLiteral("--check-template")}).out,
              QStringLiteral("slide 4: no shape named \"Rectangle 18\"\n1 piece the plan is written into is missing\n"));

    // The engine's reason, the file it names said as "it".
    const QString missingDeck = dir.filePath(QStringLiteral("gone.pptx"));
    expectFailure(run({QStringLiteral("--check-template"), missingDeck}), 1,
                  QStringLiteral("the template \"%1\" cannot be read as a presentation: it cannot be opened: ").arg(missingDeck));
    quillora::testing::writeFile(deck, "not a presentation");
    expectFailure(run({QStringLiteral("--check-template"), deck}), 1,
                  QStringLiteral("the template \"%1\" cannot be read as a presentation: it is not a presentation file.\n").arg(deck));
    expectFailure(run({QStringLiteral("--check-template"), deck, QStringLiteral("-o"), out}), 2,
                  QStringLiteral("-o cannot be combined"));
}

TEST_F(DeckToolTest, AHostilePlanGoesOutAndBackInByteForByteAndTheReplacedPlanIsKept)
{
    {
        QSettings settings(storeFile(), QSettings::IniFormat);
        for (const auto& [key, value] : quillora::testing::hostilePlanValues())
            settings.setValue(key, value);
    }
    const QString planFile = dir.filePath(QStringLiteral("exported.json"));
    const Outcome exported = run({QStringLiteral("--export-plan"), planFile});
    ASSERT_EQ(exported.status, 0) << exported.err.toStdString();
    EXPECT_TRUE(exported.out.isEmpty() && exported.err.isEmpty());
    // Pretty-printed, sections by caption, statements as arrays of lines.
    EXPECT_TRUE(quillora::testing::readFile(planFile).contains("\n    \"sections\": {\n        \"Market Summary\": [\n            \""));

    // Another user's store, holding a plan of its own.
    settingsHome = dir.filePath(QStringLiteral("config2"));
    environment.insert(QStringLiteral("XDG_CONFIG_HOME"), settingsHome);
    {
        QSettings settings(storeFile(), QSettings::IniFormat);
        settings.setValue(QStringLiteral("Company Name"), QStringLiteral("Old Co"));
        settings.setValue(QStringLiteral("FirstStatementMkt_1"), QStringLiteral("old\r\nplan"));
    }
    const QString oldPlan = dir.filePath(QStringLiteral("old.json"));
    ASSERT_EQ(run({QStringLiteral("--export-plan"), oldPlan}).status, 0);

    const QString twice = writePlan(R"({"sections": {"Pricing": "a", "Pricing": "b"}})");
    expectFailure(run({QStringLiteral("--import-plan"), twice}), 1, QStringLiteral("has \"Pricing\" twice in \"sections\""));
    {
        // While a window holds this store, the import is refused and nothing is kept or stored.
        WindowInstance window(storeFile());
        ASSERT_TRUE(window.claim({}, [](const ActivationRequest&) {}));
        expectFailure(run({QStringLiteral("--import-plan"), planFile}), 1, QString::fromLatin1(kCloseWindowFirst));
        // Also when the settings folder is named through a link, without a runtime folder.
        ASSERT_TRUE(QFile::link(settingsHome, dir.filePath(QStringLiteral("config2-link"))));
        environment.insert(QStringLiteral("XDG_CONFIG_HOME"), dir.filePath(QStringLiteral("config2-link")));
        environment.remove(QStringLiteral("XDG_RUNTIME_DIR"));
        expectFailure(run({QStringLiteral("--import-plan"), planFile}), 1, QString::fromLatin1(kCloseWindowFirst));
        environment.insert(QStringLiteral("XDG_CONFIG_HOME"), settingsHome);
        EXPECT_FALSE(QFileInfo::exists(dataHome + QStringLiteral("/quillora/plans")));
    }
    const Outcome imported = run({QStringLiteral("--import-plan"), planFile});
    ASSERT_EQ(imported.status, 0) << imported.err.toStdString();
    const QStringList kept = QDir(dataHome + QStringLiteral("/quillora/plans")).entryList(QDir::Files);
    ASSERT_EQ(kept.size(), 1);
    EXPECT_TRUE(kept[0].endsWith(QStringLiteral(" Old Co.json"))) << kept[0].toStdString();
    EXPECT_TRUE(imported.out.contains(kept[0])) << imported.out.toStdString();
    EXPECT_EQ(quillora::testing::readFile(dataHome + QStringLiteral("/quillora/plans/") + kept[0]),
              quillora::testing::readFile(oldPlan));

    // This process keeps what it wrote there in memory: read a copy.
    const QString copy = dir.filePath(QStringLiteral("store-copy.conf"));
    ASSERT_TRUE(QFile::copy(storeFile(), copy));
    EXPECT_EQ(storedValues(copy), quillora::testing::hostilePlanValues());
    const QString again = dir.filePath(QStringLiteral("again.json"));
    ASSERT_EQ(run({QStringLiteral("--export-plan"), again}).status, 0);
    EXPECT_EQ(quillora::testing::readFile(again), quillora::testing::readFile(planFile));
}

// The plan an import replaces is kept in the history; --history lists it and
// --restore brings it back, keeping the plan it replaces in turn.
TEST_F(DeckToolTest, HistoryListsAndRestoresReplacedPlans)
{
    {
        QSettings settings(storeFile(), QSettings::IniFormat);
        settings.setValue(QStringLiteral("Company Name"), QStringLiteral("Old\nCo"));
        settings.setValue(QStringLiteral("FirstStatementMkt_0"), QStringLiteral("old summary"));
    }
    const QString oldPlan = dir.filePath(QStringLiteral("old.json"));
    ASSERT_EQ(run({QStringLiteral("--export-plan"), oldPlan}).status, 0);
    const Outcome empty = run({QStringLiteral("--history")});
    EXPECT_EQ(empty.status, 0);
    EXPECT_TRUE(empty.out.isEmpty()) << empty.out.toStdString();

    const QString newPlan = writePlan(R"({"productName": "New Co", "sections": {"Market Summary": "new"}})");
    ASSERT_EQ(run({QStringLiteral("--import-plan"), newPlan}).status, 0);
    const Outcome listed = run({QStringLiteral("--history")});
    EXPECT_EQ(listed.status, 0);
    EXPECT_TRUE(QRegularExpression(QStringLiteral("^1  \\d{4}-\\d\\d-\\d\\d \\d\\d:\\d\\d:\\d\\d  Old Co  the oldest kept\n$"))
                    .match(listed.out).hasMatch())
        << listed.out.toStdString();

    for (const char* number : {"2", "0", "one"})
        expectFailure(run({QStringLiteral("--restore"), QLatin1String(number)}), 1, QStringLiteral("no plan numbered"));
    {
        WindowInstance window(storeFile());
        ASSERT_TRUE(window.claim({}, [](const ActivationRequest&) {}));
        expectFailure(run({QStringLiteral("--restore"), QStringLiteral("1")}), 1, QString::fromLatin1(kCloseWindowFirst));
    }
    EXPECT_EQ(run({QStringLiteral("--history")}).out.count(QLatin1Char('\n')), 1);

    const Outcome restored = run({QStringLiteral("--restore"), QStringLiteral("1")});
    ASSERT_EQ(restored.status, 0) << restored.err.toStdString();
    const QString now = dir.filePath(QStringLiteral("now.json"));
    ASSERT_EQ(run({QStringLiteral("--export-plan"), now}).status, 0);
    EXPECT_EQ(quillora::testing::readFile(now), quillora::testing::readFile(oldPlan));
    const QStringList lines = run({QStringLiteral("--history")}).out.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    ASSERT_EQ(lines.size(), 2);
    EXPECT_TRUE(lines[0].startsWith(QStringLiteral("1  ")) && lines[0].endsWith(QStringLiteral("  New Co  changed: product name, Market Summary")))
        << lines[0].toStdString();
}
