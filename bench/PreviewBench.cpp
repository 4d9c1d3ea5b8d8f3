// What the slide preview costs, on the shipped template read once:
//   Keystroke    one statement of about 2 KB or 100 KB typed into its
//                shape: each run changes the last line, lays the section's
//                text out again at the scale that fits and draws the slide
//                (targets: median under 16 ms at 2 KB, 50 ms at 100 KB)
//   SwitchSlide  a filled deck's slides drawn in turn, as switching
//                sections shows them (target: median under 30 ms)
// Pictures are 1280 pixels wide, the command's default.

#include "builder/SlideFillMap.h"
#include "builder/StatementText.h"
#include "deck/Deck.h"
#include "render/SlideRenderer.h"
#include "tests/layout/LayoutSamples.h"
#include "tests/support/BuiltTemplate.h"

#include <benchmark/benchmark.h>

#include <QFile>

using namespace quillora;

namespace {

constexpr int kWidth = 1280;

const FillRow& firstStatement()
{
    for (const FillRow& row : slideFillMap())
        if (row.source == FillSource::Statement)
            return row;
    std::abort();
}

void Keystroke(benchmark::State& state)
{
    const FillRow& row = firstStatement();
    const StatementText statement(testing::builtTemplatePath(), row.section->key());
    const auto deck = deck::Presentation::open(testing::builtTemplatePath());
    render::SlideRenderer renderer(*deck);
    QStringList lines = testing::statementOfSize(state.range(0));
    const QString last = lines.last();
    layout::ShapeText text = statement.shapeText(lines);
    renderer.render(row.slide, kWidth, {{QString::fromLatin1(row.shapeName), &text}});
    int typed = 0;
    for (auto _ : state) {
        lines.last() = last + QString::number(++typed);
        text = statement.shapeText(lines);
        benchmark::DoNotOptimize(renderer.render(row.slide, kWidth, {{QString::fromLatin1(row.shapeName), &text}}));
    }
    state.counters["lines"] = double(lines.size());
}
BENCHMARK(Keystroke)->Arg(2'000)->Arg(100'000)->Unit(benchmark::kMillisecond);

void SwitchSlide(benchmark::State& state)
{
    std::vector<testing::ShapeWrite> writes;
    const std::vector<testing::SampleSection> sections = testing::sampleSections();
    size_t n = 0;
    for (const FillRow& row : slideFillMap())
        if (row.source == FillSource::Statement && row.shapeName)
            writes.push_back({row.slide, QString::fromLatin1(row.shapeName), sections[n++ % sections.size()].lines});
    QFile file(testing::builtTemplatePath());
    file.open(QIODevice::ReadOnly);
    const auto deck = deck::Presentation::fromBytes(testing::filledThroughEngine(file.readAll(), writes));
    render::SlideRenderer renderer(*deck);
    int slide = 0;
    for (auto _ : state) {
        slide = slide % deck->slideCount() + 1;
        benchmark::DoNotOptimize(renderer.render(slide, kWidth));
    }
}
BENCHMARK(SwitchSlide)->Unit(benchmark::kMillisecond);

} // namespace
