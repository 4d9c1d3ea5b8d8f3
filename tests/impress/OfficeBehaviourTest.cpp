// The Impress server around the text: the running check, stale and foreign
// pipes, an office killed in the middle of a run, templates Impress opens
// that the engine refuses, and templates nobody opens.

#include "builder/DeckHandOff.h"
#include "automation/EngineApplication.h"
#include "builder/MarketingPlanGenerator.h"
#include "automation/OfficeServerChoice.h"
#include "builder/PresentationAppChecks.h"
#include "builder/WorkingCopy.h"
#include "core/FileNames.h"
#include "core/ReportLocations.h"
#include "plan/PlanStore.h"
#include "tests/builder/BuilderTestSupport.h"
#include "tests/impress/OfficeFixture.h"
#include "tests/support/MemorySettings.h"
#include "tests/support/BuiltTemplate.h"

#include <com/sun/star/frame/XComponentLoader.hpp>
#include <com/sun/star/frame/XStorable.hpp>

#include <QDir>
#include <QFile>
#include <QUrl>
#include <cstring>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

using namespace quillora;
using namespace quillora::automation;
using namespace quillora::testing;
using css::uno::Reference;

namespace {

QString socketPath(const office::OfficeOptions& options)
{
    return QStringLiteral("/tmp/OSL_PIPE_%1_%2").arg(::getuid()).arg(options.pipeName);
}

// Binds a socket at path; listening, it takes connections and never answers.
int bindSocket(const QString& path)
{
    const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    const QByteArray bytes = path.toLocal8Bit();
    std::memcpy(address.sun_path, bytes.constData(), std::min(sizeof(address.sun_path) - 1, static_cast<size_t>(bytes.size())));
    if (fd < 0 || ::bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof(address)) != 0) {
        if (fd >= 0)
            ::close(fd);
        return -1;
    }
    return fd;
}

struct SilentListener {
    explicit SilentListener(QString where) : path(std::move(where)), fd(bindSocket(path))
    {
        if (fd >= 0 && ::listen(fd, 8) != 0) {
            ::close(fd);
            fd = -1;
        }
    }
    ~SilentListener()
    {
        if (fd >= 0)
            ::close(fd);
        QFile::remove(path);
    }
    QString path;
    int fd;
};

// What a killed office leaves: the socket file, with nobody listening.
void leaveStaleSocket(const QString& path)
{
    const int fd = bindSocket(path);
    ASSERT_GE(fd, 0);
    ::close(fd);
    ASSERT_TRUE(QFile::exists(path));
}

struct Behaviour : ::testing::Test {
    void SetUp() override
    {
        SKIP_WITHOUT_OFFICE();
        fake.environment.program = QStringLiteral(QUILLORA_BIN_DIR);
        fake.environment.vars[QStringLiteral("TEMP")] = temp.path();
        plan->write(QStringLiteral("FirstStatementMkt_0"), QStringLiteral("Alpha market\r\n- beta detail\r\nGamma point"));
        plan->write(QStringLiteral("SecondStatementMkt_7"), QStringLiteral("Launch in May"));
        plan.value.productName = QStringLiteral("Acme");
        plan.value.planTitle = QStringLiteral("Growth Plan");
    }
    void TearDown() override
    {
        if (skipReason().isEmpty())
            closeDocuments(temp.path());
    }
    QString workingCopy() const { return temp.path() + QLatin1Char('/') + QLatin1String(kWorkingCopyFileName); }
    void generate(AutomationRuntime& runtime)
    {
        const WindowRun run(fake, runtime);
        generateMarketPlan(run, plan);
    }
    std::vector<int> reported() const { return reportedLines(fake.messages, kGenerateMarketPlanLocation); }

    FakePlatform fake;
    QTemporaryDir temp;
    TestPlan plan;
};

} // namespace

TEST_F(Behaviour, AnOfficeOfThisProfileCountsAsRunningAndAStaleSocketDoesNot)
{
    AutomationRuntime runtime;
    registerOffice(runtime, sharedOffice());
    EXPECT_TRUE(isPresentationAppRunning(runtime));
    fake.messages.answers = {MessageAnswer::Yes};
    office::ServerChoice choice;
    choice.impress = sharedOffice().server;
    EXPECT_FALSE(warnIfPresentationAppOpen(fake.platform, runtime, office::presentationAppWords(choice)));
    ASSERT_EQ(fake.messages.shown.size(), 1u);
    EXPECT_TRUE(fake.messages.shown[0].text.startsWith(QStringLiteral("LibreOffice Impress may be open.")));

    PrivateOffice idle(QStringLiteral("idle"));
    leaveStaleSocket(socketPath(idle.options));
    AutomationRuntime idleRuntime;
    registerOffice(idleRuntime, idle);
    EXPECT_FALSE(isPresentationAppRunning(idleRuntime));
    EXPECT_TRUE(idle.processes().isEmpty()) << "the check started an office";
    QFile::remove(socketPath(idle.options));
}

TEST_F(Behaviour, EachRunMakesAnUntitledDeckBesideTheUsersEarlierOnesAndTheWorkingCopyStaysTheTemplates)
{
    AutomationRuntime runtime;
    registerOffice(runtime, sharedOffice());
    generate(runtime);
    const auto first = onlyDeck();
    ASSERT_TRUE(first.is()) << "one untitled deck";
    EXPECT_TRUE(first->getURL().isEmpty());
    EXPECT_FALSE(Reference<css::frame::XStorable>(first, css::uno::UNO_QUERY_THROW)->hasLocation()) << "Save would ask where";
    EXPECT_TRUE(titleOf(first).startsWith(QStringLiteral("Untitled"))) << titleOf(first).toStdString();
    EXPECT_TRUE(isModified(first));

    // The user edits the first deck; the next run must leave it as it is.
    addShape(first, QStringLiteral("User's note"));
    const auto edited = readSlides(first);
    generate(runtime);
    EXPECT_TRUE(fake.messages.shown.empty()) << descriptionOf(fake.messages.shown.front()).toStdString();
    const auto decks = untitledDocuments();
    ASSERT_EQ(decks.size(), 2u);
    EXPECT_EQ(readSlides(first), edited);
    const auto second = decks[0] == first ? decks[1] : decks[0];
    EXPECT_NE(titleOf(second), titleOf(first));
    EXPECT_EQ(readSlides(second).at(0).size() + 1, edited.at(0).size()) << "the second deck has no user's note";
    EXPECT_EQ(readSlides(second).at(1), readSlides(first).at(1));

    QFile copy(workingCopy()), original(quillora::testing::builtTemplatePath());
    ASSERT_TRUE(copy.open(QIODevice::ReadOnly) && original.open(QIODevice::ReadOnly));
    EXPECT_TRUE(copy.readAll() == original.readAll());
    EXPECT_EQ(QDir(temp.path()).entryList(QDir::Files | QDir::Hidden), QStringList(QLatin1String(kWorkingCopyFileName)))
        << "no lock file beside the working copy";
}

TEST_F(Behaviour, NothingATemplateCarriesRunsWhateverTheMacroSecurity)
{
    // A headless office runs no macro unless told to: this takes a desktop
    // user's office of its own, on its own display, that lets them run.
    if (!PrivateDisplay::installed())
        GTEST_SKIP() << "Xvfb is not installed";
    PrivateDisplay display;
    ASSERT_FALSE(display.name.isEmpty()) << display.why.toStdString();
    PrivateOffice office(QStringLiteral("macros"));
    ASSERT_EQ(office.startVisible(display.name), QString());
    const impress::Connection own = impress::connectOffice(office.options, 60000);
    const QString template_ = temp.path() + QStringLiteral("/macros.odp"), marker = temp.path() + QStringLiteral("/ran");
    const QString control = temp.path() + QStringLiteral("/control.odp"), controlMarker = marker + QStringLiteral("-control");
    writeMacroPresentations(own, {{template_, marker}, {control, controlMarker}});

    AutomationRuntime runtime;
    registerOffice(runtime, office);
    runtime.CreateObject(QLatin1String(kPowerPointClass))->presentations()->open(template_);
    // Loaded after it, in the same office, by a loader that leaves macros to
    // the profile: its macro runs.
    Reference<css::frame::XComponentLoader>(own.desktop, css::uno::UNO_QUERY_THROW)
        ->loadComponentFromURL(impress::toUno(QUrl::fromLocalFile(control).toString()), "_blank", 0, {});
    ASSERT_TRUE(QFile::exists(controlMarker)) << "no macro runs in this office: the check below proves nothing";
    EXPECT_FALSE(QFile::exists(marker)) << "the template's macro ran";
}

TEST_F(Behaviour, AnOfficeKilledMidRunFailsTheRestAtOnceAndTheNextRunStartsANewOne)
{
    PrivateOffice office(QStringLiteral("killed"));
    AutomationRuntime runtime;
    registerOffice(runtime, office);
    fake.events.onProcess = [&] {
        if (fake.events.count == 3)
            office.kill();
    };
    generate(runtime);

    const std::vector<int> lines = reported();
    ASSERT_FALSE(lines.empty());
    EXPECT_EQ(lines.back(), 226); // selecting slide 1 failed too
    for (const ShownMessage& m : fake.messages.shown)
        EXPECT_EQ(descriptionOf(m), QLatin1String(impress::kOfficeGone));
    EXPECT_TRUE(office.processes().isEmpty());

    // The next run finds the socket the killed office left and starts another.
    fake.messages.shown.clear();
    fake.events.onProcess = {};
    generate(runtime);
    EXPECT_TRUE(reported().empty()) << descriptionOf(fake.messages.shown.front()).toStdString();
    EXPECT_FALSE(office.processes().isEmpty());
}

TEST_F(Behaviour, APipeHeldByAnotherProgramFailsClearlyAndTheRunFallsBackToTheEngine)
{
    PrivateOffice office(QStringLiteral("taken"));
    const SilentListener impostor(socketPath(office.options));
    ASSERT_GE(impostor.fd, 0);

    // Forced: the failure says what holds the pipe, within the time given.
    const QString failure = office.start(1500);
    EXPECT_EQ(failure, QStringLiteral("Nothing answered on the pipe \"%1\" in time").arg(office.options.pipeName));

    // Chosen: the run goes to the engine without a report.
    office::ServerChoice choice;
    choice.impress = office.server;
    AutomationRuntime runtime;
    EngineServer engine;
    office::registerChosenServer(runtime, engine, choice, 1500);
    generate(runtime);
    handOffToDesktop(engine, fake.platform);
    EXPECT_TRUE(fake.messages.shown.empty()) << descriptionOf(fake.messages.shown.front()).toStdString();
    EXPECT_EQ(fake.desktop.files, QStringList(workingCopy()));
    EXPECT_TRUE(office.processes().isEmpty()) << "an office was started on a taken pipe";
}

TEST_F(Behaviour, AnOfficeThatEndsWithoutAnsweringFailsWithoutWaitingOutTheTimeout)
{
    // As soffice does where it cannot open a window.
    PrivateOffice office(QStringLiteral("ends"), QStringLiteral("/bin/false"));
    EXPECT_EQ(office.start(120000),
              QStringLiteral("LibreOffice ended without answering on the pipe \"%1\"").arg(office.options.pipeName));
}

TEST_F(Behaviour, ALegacyBinaryTemplateOpensInImpressWhereTheEngineRefusesIt)
{
    QTemporaryDir program;
    const QString legacy = program.path() + QLatin1Char('/') + QLatin1String(kTemplateFileName);
    storeAsLegacyBinary(quillora::testing::builtTemplatePath(), legacy);
    QFile file(legacy);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    ASSERT_EQ(file.read(4), QByteArray("\xD0\xCF\x11\xE0", 4)) << "not a legacy binary file";
    fake.environment.program = program.path();

    EngineServer engineServer;
    AutomationRuntime engine;
    engineServer.registerWith(engine);
    EXPECT_THROW(engine.CreateObject(QLatin1String(kPowerPointClass))->presentations()->open(legacy), RuntimeError);

    AutomationRuntime runtime;
    registerOffice(runtime, sharedOffice());
    generate(runtime);
    // LibreOffice's own legacy export drops shape names, so the statements
    // (found by name) are not found in this copy; everything else works.
    EXPECT_EQ(reported(), (std::vector<int>{124, 214}));
    ASSERT_EQ(fake.messages.shown.size(), 2u);
    EXPECT_EQ(descriptionOf(fake.messages.shown[0]), QStringLiteral("Item Rectangle 98 not found in the Shapes collection."));
    EXPECT_EQ(descriptionOf(fake.messages.shown[1]), QStringLiteral("Item Rectangle 3 not found in the Shapes collection."));
    const auto document = onlyDeck();
    ASSERT_TRUE(document.is());
    const auto slides = readSlides(document);
    ASSERT_GE(slides.size(), 3u);
    QStringList slideOneTexts;
    for (const OfficeShape& shape : slides[0]) {
        for (const OfficeParagraph& p : shape.paragraphs)
            slideOneTexts << p.text;
    }
    EXPECT_EQ(slideOneTexts, (QStringList{QStringLiteral("Growth Plan"), QStringLiteral("Acme"), QStringLiteral("Marketing Plan")})) << slideOneTexts.join(QLatin1Char('|')).toStdString();
}

TEST_F(Behaviour, ATemplateNeitherServerOpensIsReportedAtTheSameLines)
{
    QTemporaryDir program;
    QFile broken(program.path() + QLatin1Char('/') + QLatin1String(kTemplateFileName));
    ASSERT_TRUE(broken.open(QIODevice::WriteOnly));
    broken.write(QByteArray(4096, '\x7f'));
    broken.close();
    fake.environment.program = program.path();

    EngineServer engineServer;
    AutomationRuntime engine;
    engineServer.registerWith(engine);
    generate(engine);
    const std::vector<int> engineLines = reported();
    ASSERT_FALSE(engineLines.empty());
    EXPECT_EQ(engineLines.front(), 108);

    fake.messages.shown.clear();
    AutomationRuntime runtime;
    registerOffice(runtime, sharedOffice());
    generate(runtime);
    EXPECT_EQ(reported(), engineLines);
}
