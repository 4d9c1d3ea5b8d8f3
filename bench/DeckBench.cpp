// Filling the template deck: open it through the engine server, write
// sixteen statements with the real shape text writer (updateText), pack the
// package. The *ToDisk variant writes it back to its file instead, through a
// temporary file that is synced and renamed, so it adds the disk's own latency.
//
//   build/test/bin/deck_bench --benchmark_repetitions=9 --benchmark_report_aggregates_only=true

#include "deck/Deck.h"
#include "tests/support/EngineDeck.h"
#include "tests/support/BuiltTemplate.h"

#include <benchmark/benchmark.h>

#include <QFile>
#include <QStringList>
#include <QTemporaryDir>

namespace {

using quillora::deck::Presentation;
using quillora::testing::EngineDeck;

const QString kTemplate = quillora::testing::builtTemplatePath();

QString bodyShapeName(int slide)
{
    return slide == 2 ? QStringLiteral("Rectangle 98") : slide == 4 ? QStringLiteral("Rectangle 18") : QStringLiteral("Rectangle 3");
}

// A statement of the given number of lines: headings and "- " sub-points in turn.
QStringList statement(int section, int lines)
{
    QStringList result;
    for (int i = 0; i < lines; ++i) {
        if (i % 2 == 0)
            result.append(QStringLiteral("Section %1 heading %2: what we will do").arg(section).arg(i));
        else
            result.append(QStringLiteral("- Supporting point %1 with enough words to wrap onto a second line in the deck").arg(i));
    }
    return result;
}

// Writes the statements into slides 2 to 17 of the deck opened from `path`.
void fill(EngineDeck& deck, const std::vector<QStringList>& statements, benchmark::State& state)
{
    for (int k = 0; k < 16; ++k)
        deck.write(2 + k, bodyShapeName(2 + k), statements[static_cast<size_t>(k)]);
    if (!deck.failures.failures.empty())
        state.SkipWithError("the writer reported a failed step");
}

QByteArray filled(const std::vector<QStringList>& statements, benchmark::State& state)
{
    EngineDeck deck(kTemplate);
    fill(deck, statements, state);
    return deck.pack();
}

std::vector<QStringList> planStatements()
{
    std::vector<QStringList> statements;
    for (int k = 0; k < 16; ++k)
        statements.push_back(statement(k, 3 + k % 5));
    return statements;
}

// Sixteen statements of 3 to 7 lines, as a filled-in plan has them.
void BM_FillTemplate(benchmark::State& state)
{
    const std::vector<QStringList> statements = planStatements();
    for (auto _ : state)
        benchmark::DoNotOptimize(filled(statements, state));
}
BENCHMARK(BM_FillTemplate)->Unit(benchmark::kMillisecond);

void BM_FillTemplateToDisk(benchmark::State& state)
{
    const std::vector<QStringList> statements = planStatements();
    QTemporaryDir folder;
    const QString target = folder.filePath(QStringLiteral("filled.pptx"));
    if (!QFile::copy(kTemplate, target))
        state.SkipWithError("cannot copy the template");
    for (auto _ : state) {
        EngineDeck deck(target);
        fill(deck, statements, state);
        deck.save();
    }
}
BENCHMARK(BM_FillTemplateToDisk)->Unit(benchmark::kMillisecond);

// How the cost grows with the length of each statement.
void BM_FillTemplateStatementLines(benchmark::State& state)
{
    const std::vector<QStringList> statements(16, statement(0, static_cast<int>(state.range(0))));
    for (auto _ : state)
        benchmark::DoNotOptimize(filled(statements, state));
    state.counters["lines"] = static_cast<double>(state.range(0));
}
BENCHMARK(BM_FillTemplateStatementLines)->Arg(1)->Arg(10)->Arg(100)->Unit(benchmark::kMillisecond);

// Opening and packing alone, for comparison.
void BM_OpenAndPack(benchmark::State& state)
{
    for (auto _ : state)
        benchmark::DoNotOptimize(Presentation::open(kTemplate)->toBytes());
}
BENCHMARK(BM_OpenAndPack)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
