// Benchmarks of the window side: a store write at two store sizes, one
// keystroke in a statement box (change handler plus store write), the
// one-window check a start makes, loading the translations, the whole
// program's time from start to its window shown, and, on a real display
// (xvfb-run), its time to the first paint against an empty Qt window's.
//
// Runs on Qt's offscreen platform with a private settings folder.

#include "core/Translations.h"
#include "plan/PlanStore.h"
#include "platform/WindowInstance.h"
#include "ui/FirstPaint.h"
#include "ui/MainWindow.h"
#include "ui/controls/StatementBox.h"
#include "ui/controls/TabStrip.h"
#include "tests/support/FakePlatform.h"

#include <QApplication>
#include <QProcessEnvironment>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <QTranslator>
#include <benchmark/benchmark.h>

#include <algorithm>
#include <optional>
#include <vector>

using namespace quillora;

namespace {

QString g_configHome;

QString statementOf(int bytes)
{
    QString text;
    const QString line = QStringLiteral("- A realistic line of a marketing plan statement, about sixty chars");
    while (text.size() < bytes)
        text += (text.isEmpty() ? QString() : QStringLiteral("\r\n")) + line;
    text.truncate(bytes);
    return text;
}

// Writes the settings file directly: `bytes` of other values besides the plan.
void prepareStore(int bytes)
{
    QDir().mkpath(g_configHome + QStringLiteral("/Tarnvale"));
    QFile file(g_configHome + QStringLiteral("/Tarnvale/Quillora.conf"));
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
    savePlanSetting(QStringLiteral("FirstStatementMkt_3"), statements[1]); // warm
    int next = 0;
    for (auto _ : state) {
        savePlanSetting(QStringLiteral("FirstStatementMkt_3"), statements[next]);
        next ^= 1;
    }
    state.SetLabel(QStringLiteral("store %1 KB").arg(state.range(0) / 1024).toStdString());
}
BENCHMARK(BM_SavePlanSetting1KB)->Arg(20 * 1024)->Arg(1024 * 1024)->Unit(benchmark::kMillisecond);

// A realistic plan: every statement a few hundred characters, then one
// statement of the given size in the upper box; each iteration is one key
// press in that box (a letter, then its removal, alternately).
void BM_KeystrokeInStatementBox(benchmark::State& state)
{
    prepareStore(0);
    for (const Section& section : allSections())
        savePlanSetting(section.key(), section.hint() + QStringLiteral("\r\n") + statementOf(300));
    savePlanSetting(QStringLiteral("Company Name"), QStringLiteral("Harbour Lights Coffee"));
    savePlanSetting(QStringLiteral("FirstStatementMkt_4"), statementOf(int(state.range(0))));

    testing::FakePlatform fake;
    QTemporaryDir program;
    fake.environment.program = program.path();
    MainWindow window(fake.platform, BuilderHooks{[] {}, [] { return false; }, [](const GenerationProgress&) {}});
    window.startUp();
    window.showCentred();
    QApplication::setActiveWindow(&window);
    window.firstStatementBox->setFocus();
    window.firstStatementBox->moveCursor(QTextCursor::End);
    bool type = true;
    for (auto _ : state) {
        QTest::keyClick(window.firstStatementBox, type ? Qt::Key_A : Qt::Key_Backspace);
        type = !type;
    }
    if (!fake.messages.shown.empty())
        state.SkipWithError("the window reported a failure");
    state.SetLabel(QStringLiteral("statement %1 KB").arg(state.range(0) / 1024.0, 0, 'f', 1).toStdString());
}
BENCHMARK(BM_KeystrokeInStatementBox)->Arg(300)->Arg(100 * 1024)->Unit(benchmark::kMillisecond);

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

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
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
        MainWindow window(fake.platform, BuilderHooks{[] {}, [] { return false; }, [](const GenerationProgress&) {}});
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

int main(int argc, char** argv)
{
    QTemporaryDir configHome;
    g_configHome = configHome.path();
    qputenv("XDG_CONFIG_HOME", g_configHome.toLocal8Bit());
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
