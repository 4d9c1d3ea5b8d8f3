// One whole generation with the real engine and the real template, the
// half-second pauses made free by a clock that only pretends to sleep, and
// the parts of a run on their own: copy, open, save. Filling is what the
// whole run takes beyond those; the hand-off to the desktop is a recorded
// call here (the real one starts the desktop's opener and returns).

#include "builder/DeckHandOff.h"
#include "automation/EngineApplication.h"
#include "builder/MarketingPlanGenerator.h"
#include "builder/WorkingCopy.h"
#include "deck/Deck.h"
#include "plan/SectionCatalogue.h"
#include "tests/builder/BuilderTestSupport.h"
#include "tests/support/FakePlatform.h"
#include "tests/support/BuiltTemplate.h"

#include <QTemporaryDir>
#include <benchmark/benchmark.h>

namespace {

using namespace quillora;

const QString kTemplate = quillora::testing::builtTemplatePath();

struct Bench {
    Bench()
    {
        fake.environment.program = QStringLiteral(QUILLORA_BIN_DIR);
        fake.environment.vars[QStringLiteral("TEMP")] = folder.path();
        engine.registerWith(runtime);
        // Every section holds its hint: several lines, some of them sub-points.
        for (const Section& section : allSections())
            plan->write(section.key(), section.hint());
        plan.value.productName = QStringLiteral("Acme Widgets Marketing Plan");
        plan.value.planTitle = QStringLiteral("Growth Plan 2027");
    }
    QString workingCopy() const { return folder.path() + QStringLiteral("/marketing_plan_temp.ppt"); }

    testing::TestPlan plan;
    testing::FakePlatform fake;
    automation::EngineServer engine;
    automation::AutomationRuntime runtime;
    QTemporaryDir folder;
};

void BM_WholeRun(benchmark::State& state)
{
    Bench bench;
    const testing::WindowRun run{bench.fake, bench.runtime};
    for (auto _ : state) {
        generateMarketPlan(run, bench.plan);
        handOffToDesktop(bench.engine, bench.fake.platform);
    }
    if (!bench.fake.messages.shown.empty())
        state.SkipWithError(bench.fake.messages.shown[0].text.toUtf8().constData());
    state.counters["handoffs"] = double(bench.fake.desktop.files.size());
}
BENCHMARK(BM_WholeRun)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_CopyTemplate(benchmark::State& state)
{
    Bench bench;
    for (auto _ : state)
        copyReplacing(kTemplate, bench.workingCopy());
}
BENCHMARK(BM_CopyTemplate)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_OpenWorkingCopy(benchmark::State& state)
{
    Bench bench;
    copyReplacing(kTemplate, bench.workingCopy());
    for (auto _ : state)
        benchmark::DoNotOptimize(deck::Presentation::open(bench.workingCopy()));
}
BENCHMARK(BM_OpenWorkingCopy)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_SaveWorkingCopy(benchmark::State& state)
{
    Bench bench;
    copyReplacing(kTemplate, bench.workingCopy());
    auto deck = deck::Presentation::open(bench.workingCopy());
    deck->slide(2).shape(QStringLiteral("Rectangle 98")).textRange().setText(allSections()[0].hint());
    for (auto _ : state)
        deck->saveAs(bench.workingCopy());
}
BENCHMARK(BM_SaveWorkingCopy)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace
