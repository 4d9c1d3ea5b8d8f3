// Benchmarks of the window side: a store write at two store sizes, one
// keystroke in a statement box (change handler, spelling marks and store
// write), opening a large section with and without spelling, the one-window
// check a start makes, loading the translations, the whole program's time
// from start to its window shown, and, on a real display (xvfb-run), its time
// to the first paint against an empty Qt window's.
//
// Runs on Qt's offscreen platform with a private settings folder.

#include "core/Translations.h"
#include "plan/PlanStore.h"
#include "platform/EnchantSpelling.h"
#include "platform/WindowInstance.h"
#include "ui/FirstPaint.h"
#include "ui/MainWindow.h"
#include "ui/controls/StatementBox.h"
#include "ui/controls/TabStrip.h"
#include "ui/spelling/Spelling.h"
#include "tests/support/FakePlatform.h"

#include <QApplication>
#include <QProcessEnvironment>
#include <QDir>
#include <QFileInfo>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <QTranslator>
#include <benchmark/benchmark.h>

#include <algorithm>
#include <random>
#include <optional>
#include <vector>

using namespace quillora;

namespace {

QString statementOf(int bytes)
{
    QString text;
    const QString line = QStringLiteral("- A realistic line of a marketing plan statement, about sixty chars");
    while (text.size() < bytes)
        text += (text.isEmpty() ? QString() : QStringLiteral("\r\n")) + line;
    text.truncate(bytes);
    return text;
}

// The user's store (this process's private settings home), as the program
// opens it.
PlanStore& userPlan()
{
    static const std::unique_ptr<PlanStore> store = openUserPlanStore();
    return *store;
}

// Writes the settings file directly: `bytes` of other values besides the plan.
void prepareStore(int bytes)
{
    QDir().mkpath(QFileInfo(planStoreFile()).path());
    QFile file(planStoreFile());
    file.open(QIODevice::WriteOnly | QIODevice::Truncate);
    file.write("[General]\n");
    const QByteArray value(1000, 'v');
    for (int i = 0; i * 1024 < bytes; ++i)
        file.write("Filler_" + QByteArray::number(i) + "=" + value + "\n");
}

void BM_SavePlanSetting1KB(benchmark::State& state)
{
    prepareStore(int(state.range(0)));
    // Two different statements in turn, so every write really changes the file.
    QString statements[2] = {statementOf(1024), statementOf(1024)};
    statements[1][0] = QLatin1Char('+');
    userPlan().write(QStringLiteral("FirstStatementMkt_3"), statements[1]); // warm
    int next = 0;
    for (auto _ : state) {
        userPlan().write(QStringLiteral("FirstStatementMkt_3"), statements[next]);
        next ^= 1;
    }
    state.SetLabel(QStringLiteral("store %1 KB").arg(state.range(0) / 1024).toStdString());
}
BENCHMARK(BM_SavePlanSetting1KB)->Arg(20 * 1024)->Arg(1024 * 1024)->Unit(benchmark::kMillisecond);

// Lines of ten six-letter words made up from the seed (hardly ever real ones).
QString madeUpWords(int bytes, int seed)
{
    std::mt19937 random(seed);
    std::uniform_int_distribution<int> letter('a', 'z');
    QString text;
    while (text.size() < bytes) {
        for (int word = 0; word < 10; ++word) {
            for (int i = 0; i < 6; ++i)
                text += QChar(letter(random));
            text += QLatin1Char(' ');
        }
        text += QStringLiteral("\r\n");
    }
    return text;
}

// A realistic plan: every statement a few hundred characters, then one
// statement of the given size in the upper box.
void prepareLargePlan(int statementBytes)
{
    prepareStore(0);
    for (const Section& section : allSections())
        userPlan().write(section.key(), section.hint() + QStringLiteral("\r\n") + statementOf(300));
    userPlan().write(QStringLiteral("Company Name"), QStringLiteral("Harbour Lights Coffee"));
    userPlan().write(QStringLiteral("FirstStatementMkt_4"), statementOf(statementBytes));
}

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

// The window over the fake doors, spell-checking with the desktop's English
// dictionary when `spelling` is set.
struct BenchWindow {
    explicit BenchWindow(bool spelling) : window(makeWindow(spelling)) {}
    MainWindow& makeWindow(bool spelling)
    {
        fake.environment.program = program.path();
        if (spelling)
            fake.platform.spelling = &dictionaries;
        held = std::make_unique<MainWindow>(fake.platform, userPlan(),
                                            BuilderHooks{[] {}, [] { return false; }, [](const GenerationRun&) {}});
        return *held;
    }
    testing::FakePlatform fake;
    QTemporaryDir program;
    EnchantSpelling dictionaries;
    std::unique_ptr<MainWindow> held;
    MainWindow& window;
};

QString spellingLabel(MainWindow& window)
{
    const QString language = window.spelling().language();
    return language.isEmpty() ? QStringLiteral("no spelling") : QStringLiteral("spelling ") + language;
}

// Each iteration is one key press in the upper box (a letter, then its
// removal, alternately); the second argument switches spelling on.
void BM_KeystrokeInStatementBox(benchmark::State& state)
{
    prepareLargePlan(int(state.range(0)));
    BenchWindow bench(state.range(1) != 0);
    MainWindow& window = bench.window;
    window.startUp();
    window.showCentred();
    QApplication::setActiveWindow(&window);
    while (window.spelling().checking(*window.firstStatementBox))
        QCoreApplication::processEvents();
    window.firstStatementBox->setFocus();
    window.firstStatementBox->moveCursor(QTextCursor::End);
    bool type = true;
    for (auto _ : state) {
        QTest::keyClick(window.firstStatementBox, type ? Qt::Key_A : Qt::Key_Backspace);
        type = !type;
    }
    if (!bench.fake.messages.shown.empty())
        state.SkipWithError("the window reported a failure");
    state.SetLabel(QStringLiteral("statement %1 KB, %2")
                       .arg(state.range(0) / 1024.0, 0, 'f', 1)
                       .arg(spellingLabel(window))
                       .toStdString());
}
BENCHMARK(BM_KeystrokeInStatementBox)->ArgsProduct({{300, 100 * 1024}, {0, 1}})->Unit(benchmark::kMillisecond);

// Choosing the tab of a 100 KB section: the time the window is busy before
// it answers again. The first turn of the event loop after it paints the
// section ("first_turn_ms"); with spelling, the rest of the section is
// checked in the turns after that ("longest_turn_ms" is the longest of them).
// Both are medians over the iterations, so a moment the machine was busy
// elsewhere does not decide them. Argument 0: no spelling; 1: spelling, the
// plan's lines again and again; 2: spelling, every word one the dictionary
// has not been asked about before.
void BM_OpenLargeSection(benchmark::State& state)
{
    prepareLargePlan(100 * 1024);
    BenchWindow bench(state.range(0) != 0);
    const bool newWords = state.range(0) == 2;
    int iteration = 0;
    MainWindow& window = bench.window;
    window.startUp();
    window.showCentred();
    TabStrip& tabs = *window.firstSectionTabs;
    StatementBox& box = *window.firstStatementBox;
    std::vector<double> firstTurns, longestTurns;
    int turns = 0;
    for (auto _ : state) {
        // New words typed into the large section before it is left.
        if (newWords) {
            tabs.setTab(4);
            box.setText(madeUpWords(100 * 1024, ++iteration));
        }
        tabs.setTab(0); // a short section
        while (window.spelling().checking(box))
            QCoreApplication::processEvents();
        QCoreApplication::processEvents();
        QElapsedTimer timer;
        timer.start();
        tabs.setTab(4);
        state.SetIterationTime(timer.nsecsElapsed() / 1e9);
        timer.restart();
        QCoreApplication::processEvents();
        firstTurns.push_back(timer.nsecsElapsed() / 1e6);
        double longest = 0;
        while (window.spelling().checking(box)) {
            timer.restart();
            QCoreApplication::processEvents();
            longest = std::max(longest, timer.nsecsElapsed() / 1e6);
            ++turns;
        }
        longestTurns.push_back(longest);
    }
    state.counters["first_turn_ms"] = median(firstTurns);
    state.counters["longest_turn_ms"] = median(longestTurns);
    state.counters["turns"] = benchmark::Counter(turns, benchmark::Counter::kAvgIterations);
    state.SetLabel(spellingLabel(window).toStdString());
}
BENCHMARK(BM_OpenLargeSection)->Arg(0)->Arg(1)->Arg(2)->UseManualTime()->Unit(benchmark::kMillisecond);

// The check every start makes before it builds a window, as the program
// makes it: naming the store, then claiming the window. Argument 0: no window
// runs, so the start takes the socket (and gives it back at the end of the
// iteration); 1: a window runs, so the start hands it the request.
void BM_OneWindowCheck(benchmark::State& state)
{
    const bool windowRuns = state.range(0) == 1;
    std::optional<WindowInstance> running;
    int requests = 0;
    if (windowRuns) {
        running.emplace(planStoreFile());
        running->claim({}, [&requests](const ActivationRequest&) { ++requests; });
    }
    for (auto _ : state) {
        WindowInstance start(planStoreFile());
        if (start.claim({}, {}) == windowRuns) {
            state.SkipWithError("the start did not find the window state it was set up for");
            break;
        }
        state.PauseTiming();
        QCoreApplication::processEvents(); // the running window takes the request
        state.ResumeTiming();
    }
    state.SetLabel(windowRuns ? "a window runs" : "no window runs");
}
BENCHMARK(BM_OneWindowCheck)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

// What the program does for its language before the window is built: pick
// the catalogue for the desktop's languages and install it with Qt's own.
// English needs nothing; German loads the built-in catalogue and qtbase_de.
void BM_InstallTranslations(benchmark::State& state)
{
    const QStringList languages{state.range(0) ? QStringLiteral("de-DE") : QStringLiteral("en-US")};
    const QString programFolder = QCoreApplication::applicationDirPath();
    for (auto _ : state) {
        benchmark::DoNotOptimize(installTranslations(*QCoreApplication::instance(), programFolder, languages));
        qDeleteAll(QCoreApplication::instance()->findChildren<QTranslator*>(Qt::FindDirectChildrenOnly));
    }
    state.SetLabel(languages.first().toStdString());
}
BENCHMARK(BM_InstallTranslations)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

// The whole program, from process start until its window has been shown and
// its first events handled (QUILLORA_EXIT_AFTER_SHOW).
void BM_StartToWindowShown(benchmark::State& state)
{
    const QString program = QCoreApplication::applicationDirPath() + QStringLiteral("/quillora");
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("QUILLORA_EXIT_AFTER_SHOW"), QStringLiteral("1"));
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    for (auto _ : state) {
        QElapsedTimer timer;
        timer.start();
        QProcess process;
        process.setProcessEnvironment(env);
        process.start(program, {});
        if (!process.waitForFinished(30000) || process.exitCode() != 0) {
            state.SkipWithError("the program did not start and end cleanly");
            break;
        }
        state.SetIterationTime(timer.nsecsElapsed() / 1e9);
    }
}
BENCHMARK(BM_StartToWindowShown)->UseManualTime()->Iterations(15)->Repetitions(1)->Unit(benchmark::kMillisecond);

// Milliseconds from starting the program until it says its window has been
// painted (how long it then takes to end is not counted); -1 when it never
// does, or does not end cleanly.
double msToFirstPaint(const QString& program, const QStringList& args, const QProcessEnvironment& env)
{
    QElapsedTimer timer;
    timer.start();
    QProcess process;
    process.setProcessEnvironment(env);
    process.start(program, args);
    double painted = -1;
    while (painted < 0 && process.waitForReadyRead(30000)) {
        if (process.readAllStandardOutput().contains(kFirstPaintLine))
            painted = timer.nsecsElapsed() / 1e6;
    }
    if (!process.waitForFinished(30000) || process.exitStatus() != QProcess::NormalExit || process.exitCode() != 0)
        return -1;
    return painted;
}


// The real window and an empty window of the same size, started in turn on
// the display (Xvfb), each ended right after its first paint. The iteration
// time is the window's; "empty_ms" is the empty window's median and "ratio"
// the medians' ratio.
void BM_FirstPaintAgainstEmptyWindow(benchmark::State& state)
{
    if (qEnvironmentVariableIsEmpty("DISPLAY")) {
        state.SkipWithError("needs a display: run under xvfb-run");
        return;
    }
    QSize size;
    {
        testing::FakePlatform fake;
        MainWindow window(fake.platform, userPlan(),
                          BuilderHooks{[] {}, [] { return false; }, [](const GenerationRun&) {}});
        size = window.size();
    }
    const QString binDir = QCoreApplication::applicationDirPath();
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("QUILLORA_EXIT_AFTER_SHOW"), QStringLiteral("1"));
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
    std::vector<double> real, empty;
    for (auto _ : state) {
        const double windowMs = msToFirstPaint(binDir + QStringLiteral("/quillora"), {}, env);
        const double emptyMs = msToFirstPaint(binDir + QStringLiteral("/empty_window"),
                                              {QString::number(size.width()), QString::number(size.height())}, env);
        if (windowMs < 0 || emptyMs < 0) {
            state.SkipWithError("a program did not start and end cleanly");
            return;
        }
        real.push_back(windowMs);
        empty.push_back(emptyMs);
        state.SetIterationTime(windowMs / 1000.0);
    }
    state.counters["window_ms"] = median(real);
    state.counters["empty_ms"] = median(empty);
    state.counters["ratio"] = median(real) / median(empty);
}
BENCHMARK(BM_FirstPaintAgainstEmptyWindow)->UseManualTime()->Iterations(21)->Unit(benchmark::kMillisecond);

} // namespace
