// The Impress server's costs against a headless office with a private
// profile and pipe: cold start to connected, attaching to the running
// office, opening the working copy, one whole generation with the pauses
// made free, and the shape text writer's calls.

#include "builder/MarketingPlanGenerator.h"
#include "automation/OfficeServerChoice.h"
#include "builder/WorkingCopy.h"
#include "impress/ImpressOffice.h"
#include "plan/SectionCatalogue.h"
#include "tests/builder/BuilderTestSupport.h"
#include "tests/support/FakePlatform.h"
#include "tests/support/BuiltTemplate.h"

#include <com/sun/star/container/XEnumeration.hpp>
#include <com/sun/star/container/XEnumerationAccess.hpp>
#include <com/sun/star/frame/XModel.hpp>
#include <com/sun/star/util/XCloseable.hpp>

#include <QFile>
#include <QTemporaryDir>
#include <QUrl>
#include <benchmark/benchmark.h>
#include <csignal>
#include <cstdlib>
#include <thread>
#include <unistd.h>

namespace {

using namespace quillora;
using namespace quillora::automation;

const QString kTemplate = quillora::testing::builtTemplatePath();
const QString kPlugin = QStringLiteral(QUILLORA_BIN_DIR "/") + QLatin1String(office::kPluginFileName);

// A headless office of the benchmark's own, stopped at the end.
struct BenchOffice {
    explicit BenchOffice(const QString& tag)
    {
        options.pipeName = QStringLiteral("quillora-bench-%1-%2").arg(::getpid()).arg(tag);
        options.profileUrl = QUrl::fromLocalFile(profile.path()).toString(QUrl::FullyEncoded);
        options.headless = true;
        server = office::loadPluginFile(kPlugin, options, &why);
    }
    ~BenchOffice() { stop(); }
    void stop()
    {
        for (qint64 pid : impress::officeProcesses(options.profileUrl))
            ::kill(static_cast<pid_t>(pid), SIGTERM);
        for (int i = 0; i < 200 && !impress::officeProcesses(options.profileUrl).isEmpty(); ++i)
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
        for (qint64 pid : impress::officeProcesses(options.profileUrl))
            ::kill(static_cast<pid_t>(pid), SIGKILL);
        QFile::remove(QStringLiteral("/tmp/OSL_PIPE_%1_%2").arg(::getuid()).arg(options.pipeName));
    }
    // Closes every document the office has open.
    void closeAll()
    {
        if (!reader.desktop.is())
            reader = impress::connectOffice(options, 60000);
        using namespace com::sun::star;
        std::vector<uno::Reference<util::XCloseable>> open;
        auto each = reader.desktop->getComponents()->createEnumeration();
        while (each->hasMoreElements())
            open.emplace_back(each->nextElement(), uno::UNO_QUERY);
        for (const auto& document : open)
            if (document.is())
                document->close(true);
    }

    QTemporaryDir profile;
    office::OfficeOptions options;
    std::shared_ptr<office::OfficeServer> server;
    impress::Connection reader;
    QString why;
};

// Made once and never destroyed: releasing its UNO references while the
// program's statics are torn down crashes in the UNO bridge. Its office is
// stopped at exit all the same (stopping needs no UNO call).
BenchOffice& warmOffice()
{
    static BenchOffice* office = [] {
        auto* made = new BenchOffice(QStringLiteral("warm"));
        std::atexit([] { warmOffice().stop(); });
        return made;
    }();
    return *office;
}

struct Run {
    Run()
    {
        fake.environment.program = QStringLiteral(QUILLORA_BIN_DIR);
        fake.environment.vars[QStringLiteral("TEMP")] = folder.path();
        for (const Section& section : allSections())
            plan->write(section.key(), section.hint());
        plan.value.productName = QStringLiteral("Acme Widgets Marketing Plan");
        plan.value.planTitle = QStringLiteral("Growth Plan 2027");
        office::ServerChoice choice;
        choice.impress = warmOffice().server;
        choice.forced = true;
        office::registerChosenServer(runtime, engine, choice, 60000);
    }
    QString workingCopy() const { return folder.path() + QStringLiteral("/marketing_plan_temp.ppt"); }

    testing::TestPlan plan;
    testing::FakePlatform fake;
    ErrorReport report{fake.messages};
    EngineServer engine; // forced Impress: never asked
    AutomationRuntime runtime;
    QTemporaryDir folder;
};

bool officeMissing(benchmark::State& state)
{
    if (!warmOffice().server || !warmOffice().server->installed()) {
        state.SkipWithError("LibreOffice or the Impress plugin is missing");
        return true;
    }
    return false;
}

void BM_ColdStartToConnected(benchmark::State& state)
{
    if (officeMissing(state))
        return;
    int n = 0;
    for (auto _ : state) {
        state.PauseTiming();
        BenchOffice cold(QStringLiteral("cold%1").arg(n++));
        state.ResumeTiming();
        cold.server->createApplication()->connect(60000);
        state.PauseTiming();
        cold.stop();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_ColdStartToConnected)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);

void BM_AttachToRunningOffice(benchmark::State& state)
{
    if (officeMissing(state))
        return;
    warmOffice().server->createApplication()->connect(60000);
    for (auto _ : state)
        warmOffice().server->createApplication()->connect(60000);
}
BENCHMARK(BM_AttachToRunningOffice)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_OpenWorkingCopy(benchmark::State& state)
{
    if (officeMissing(state))
        return;
    Run run;
    copyReplacing(kTemplate, run.workingCopy());
    Ref<Application> app = run.runtime.CreateObject(QLatin1String(kPowerPointClass));
    app->setVisible(true);
    for (auto _ : state) {
        benchmark::DoNotOptimize(app->presentations()->open(run.workingCopy()));
        state.PauseTiming();
        warmOffice().closeAll();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_OpenWorkingCopy)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(10);

void BM_WholeRun(benchmark::State& state)
{
    if (officeMissing(state))
        return;
    Run run;
    // No clock: the pauses cost nothing.
    const BuilderContext context{run.runtime, run.report};
    const GenerationRequest request{kTemplate, run.workingCopy()};
    for (auto _ : state) {
        generateMarketPlan(context, request, run.plan);
        state.PauseTiming();
        warmOffice().closeAll();
        state.ResumeTiming();
    }
    if (!run.fake.messages.shown.empty())
        state.SkipWithError(run.fake.messages.shown[0].text.toUtf8().constData());
}
BENCHMARK(BM_WholeRun)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(10);

// A range in slide 3's body, in a deck opened once.
struct OpenShape {
    explicit OpenShape(Run& run)
    {
        copyReplacing(kTemplate, run.workingCopy());
        app = run.runtime.CreateObject(QLatin1String(kPowerPointClass));
        app->setVisible(true);
        range = app->presentations()->open(run.workingCopy())->slides()->item(3)->shapes()->item(QStringLiteral("Rectangle 3"))
                    ->textFrame()->textRange();
    }
    ~OpenShape()
    {
        range.release();
        app.release();
        warmOffice().closeAll();
    }
    Ref<Application> app;
    Ref<TextRange> range;
};

void BM_CharactersFontSize(benchmark::State& state)
{
    if (officeMissing(state))
        return;
    Run run;
    OpenShape shape(run);
    shape.range->setText(allSections()[0].hint());
    for (auto _ : state)
        shape.range->characters(3, 10)->font()->setSize(22.0f);
}
BENCHMARK(BM_CharactersFontSize)->Unit(benchmark::kMicrosecond)->UseRealTime();

void BM_UpdateText(benchmark::State& state)
{
    if (officeMissing(state))
        return;
    Run run;
    OpenShape shape(run);
    const QStringList lines = allSections()[0].hint().split(QStringLiteral("\r\n"));
    const BuilderContext context{run.runtime, run.report};
    for (auto _ : state)
        updateText(context, lines, shape.range);
    state.counters["lines"] = double(lines.size());
}
BENCHMARK(BM_UpdateText)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace
