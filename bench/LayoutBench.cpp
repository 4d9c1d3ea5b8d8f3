// What a fit meter costs at each keystroke: one section's statement, of about
// 2 KB and of about 100 KB, laid out against the shipped template and fitted
// (StatementText makes its paragraphs, TextLayouter fits them). The meter's
// budget is 2 ms at 2 KB and 10 ms at 100 KB.
//   Keystroke    the layouter laid out the statement one keystroke earlier:
//                each run changes the last line, as typing does
//   FirstLayout  a fresh layouter: the first keystroke in a section
//   ReadAndFitFilledShape  what fitting one written shape costs a deck:
//                reading its inherited text through the engine, and the fit

#include "builder/StatementText.h"
#include "deck/Deck.h"
#include "layout/ShapeText.h"
#include "layout/TextLayouter.h"
#include "tests/layout/LayoutSamples.h"
#include "tests/support/BuiltTemplate.h"
#include "tests/support/EngineDeck.h"

#include <benchmark/benchmark.h>

#include <QFile>
#include <QTemporaryDir>

using namespace quillora;

namespace {

const QString kSection = QStringLiteral("FirstStatementMkt_1");

const StatementText& statement()
{
    static const StatementText text(testing::builtTemplatePath(), kSection);
    return text;
}

void Keystroke(benchmark::State& state)
{
    QStringList lines = testing::statementOfSize(state.range(0));
    const QString last = lines.last();
    layout::TextLayouter layouter;
    layouter.fit(statement().shapeText(lines));
    int typed = 0;
    for (auto _ : state) {
        lines.last() = last + QString::number(++typed);
        benchmark::DoNotOptimize(layouter.fit(statement().shapeText(lines)));
    }
    state.counters["lines"] = double(lines.size());
}
BENCHMARK(Keystroke)->Arg(2'000)->Arg(100'000)->Unit(benchmark::kMillisecond);

void FirstLayout(benchmark::State& state)
{
    const QStringList lines = testing::statementOfSize(state.range(0));
    for (auto _ : state) {
        layout::TextLayouter layouter;
        benchmark::DoNotOptimize(layouter.fit(statement().shapeText(lines)));
    }
}
BENCHMARK(FirstLayout)->Arg(2'000)->Arg(100'000)->Unit(benchmark::kMillisecond);

void ReadAndFitFilledShape(benchmark::State& state)
{
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("deck.pptx"));
    QFile::copy(testing::builtTemplatePath(), path);
    QByteArray bytes;
    {
        testing::EngineDeck engine(path);
        engine.write(3, QStringLiteral("Rectangle 3"), testing::statementOfSize(state.range(0)));
        bytes = engine.pack();
    }
    const auto deck = deck::Presentation::fromBytes(bytes);
    deck::Shape& shape = deck->slide(3).shape(QStringLiteral("Rectangle 3"));
    for (auto _ : state) {
        layout::TextLayouter layouter;
        benchmark::DoNotOptimize(layouter.fit(layout::readShapeText(shape)));
    }
}
BENCHMARK(ReadAndFitFilledShape)->Arg(2'000)->Arg(100'000)->Unit(benchmark::kMillisecond);

} // namespace
