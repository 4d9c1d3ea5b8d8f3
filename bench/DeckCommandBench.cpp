// In-process cost of one quillora-deck run (read the plan file, fill the
// template through the generator, save, publish the deck) for plans of
// 16 sections x 5, 100 and 10 000 lines, with the process's peak resident
// memory after the runs.
//
// Peak memory is per process, so measure one plan size per process:
//   deck_command_bench --benchmark_filter='FillAndSave/5$'
// (bench/fill-scaling does exactly that for all three sizes).

#include "cli/DeckJob.h"
#include "cli/GeneratorFiller.h"
#include "tests/support/BuiltTemplate.h"

#include <benchmark/benchmark.h>

#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <sys/resource.h>

using namespace quillora;

namespace {

const char* const kCaptions[] = {"Market Summary", "Product Definition", "Competition", "Positioning",
                                 "Communication Strategies", "Packaging and Fulfillment", "Launch  Strategies",
                                 "Public Relations", "Advertising", "Other Promotion", "Pricing", "Distribution",
                                 "Vertical Markets/Segments", "International", "Success Metrics", "Schedule"};

// The same text bench/make-plan writes: every second line a sub-point.
QByteArray syntheticPlan(int linesPerSection, qint64& characters)
{
    QByteArray json = "{\"productName\": \"Larkspur Trail Lamp\", \"planTitle\": \"Spring launch, Nordic markets\", "
                      "\"sections\": {";
    characters = 0;
    for (int s = 0; s < 16; ++s) {
        json += (s ? ", \"" : "\"") + QByteArray(kCaptions[s]) + "\": [";
        for (int i = 1; i <= linesPerSection; ++i) {
            const QByteArray line = i % 2 == 0
                ? "- Point " + QByteArray::number(i) + " of section " + QByteArray::number(s + 1)
                      + ": the detail that supports the line above"
                : "Line " + QByteArray::number(i) + " of section " + QByteArray::number(s + 1)
                      + ": a statement about the plan";
            characters += line.size() + 2;
            json += (i > 1 ? ", \"" : "\"") + line + "\"";
        }
        json += "]";
    }
    return json + "}}";
}

double peakResidentMiB()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return double(usage.ru_maxrss) / 1024.0; // Linux reports KiB
}

void FillAndSave(benchmark::State& state)
{
    QTemporaryDir dir;
    qint64 characters = 0;
    const QString planPath = dir.filePath(QStringLiteral("plan.json"));
    {
        QFile plan(planPath);
        if (!plan.open(QIODevice::WriteOnly) || plan.write(syntheticPlan(int(state.range(0)), characters)) < 0) {
            state.SkipWithError("cannot write the plan file");
            return;
        }
    }
    DeckJob job;
    job.templatePath = quillora::testing::builtTemplatePath();
    job.planPath = planPath;
    job.outputPath = dir.filePath(QStringLiteral("deck.pptx"));
    DeckJobTools tools;
    tools.filler = generatorFiller();

    for (auto _ : state) {
        try {
            runDeckJob(job, tools);
        } catch (const std::exception& e) {
            state.SkipWithError(e.what());
            return;
        }
    }
    state.SetComplexityN(characters);
    state.SetBytesProcessed(state.iterations() * characters * 2);
    state.counters["text_chars"] = double(characters);
    state.counters["deck_KiB"] = double(QFileInfo(job.outputPath).size()) / 1024.0;
    state.counters["peak_rss_MiB"] = peakResidentMiB();
}

} // namespace

BENCHMARK(FillAndSave)->Arg(5)->Arg(100)->Arg(10000)->Unit(benchmark::kMillisecond)->Complexity();
