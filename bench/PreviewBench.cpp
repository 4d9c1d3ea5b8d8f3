// What the slide preview costs, on the shipped template read once:
//   Keystroke    one statement of about 2 KB or 100 KB typed into its
//                shape: each run changes the last line, lays the section's
//                text out again at the scale that fits and draws the slide
//                (targets: median under 16 ms at 2 KB, 50 ms at 100 KB)
//   SwitchSlide  a filled deck's slides drawn in turn, as switching
//                sections shows them (target: median under 30 ms)
// Pictures are 1280 pixels wide, the command's default.
//
// And in the window, with the shipped template beside the program:
//   MeterUpdate       the fit meter's work at one keystroke: the statement
//                     measured and its line made (targets: median under
//                     2 ms at 2 KB, 10 ms at 100 KB)
//   KeyToRepaint      one key pressed in the upper statement box with the
//                     preview on, until the preview has painted (targets:
//                     16 ms at 2 KB, 50 ms at 100 KB)
//   SectionSwitch     another tab of the upper strip chosen, until the
//                     preview has painted it (target: 30 ms); each section
//                     was shown once before, as the template is read once
//   SectionFirstRead  what the first showing of a section adds: its shape
//                     read from the template with the writer's paragraphs

#include "builder/SlideFillMap.h"
#include "builder/StatementText.h"
#include "deck/Deck.h"
#include "render/SlideRenderer.h"
#include "tests/layout/LayoutSamples.h"
#include "tests/support/BuiltTemplate.h"
#include "tests/support/FakePlatform.h"
#include "tests/support/MemorySettings.h"
#include "ui/FitMeter.h"
#include "ui/MainMenu.h"
#include "ui/MainWindow.h"
#include "ui/SlidePreview.h"
#include "ui/TemplateView.h"
#include "ui/controls/StatementBox.h"
#include "ui/controls/TabStrip.h"

#include <benchmark/benchmark.h>

#include <QAction>
#include <QApplication>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

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

Section communicationStrategies()
{
    return *findSection(Strip::First, 4);
}

void MeterUpdate(benchmark::State& state)
{
    TemplateView view;
    view.follow(testing::builtTemplatePath());
    FitMeter meter(view);
    QStringList lines = testing::statementOfSize(state.range(0));
    const QString last = lines.last();
    meter.measure(Strip::First, communicationStrategies(), lines.join(QStringLiteral("\r\n")));
    int typed = 0;
    for (auto _ : state) {
        lines.last() = last + QString::number(++typed);
        benchmark::DoNotOptimize(FitMeter::line(
            meter.measure(Strip::First, communicationStrategies(), lines.join(QStringLiteral("\r\n")))));
    }
    state.counters["lines"] = double(lines.size());
}
BENCHMARK(MeterUpdate)->Arg(2'000)->Arg(100'000)->Unit(benchmark::kMillisecond);

// The window on fake doors and an in-memory store, the template beside the
// program, the preview on and every section of the upper strip holding a
// statement of `bytes`.
struct PreviewWindow {
    explicit PreviewWindow(qsizetype bytes)
    {
        // The template beside the program, none of the user's own.
        qputenv("XDG_DATA_HOME", program.path().toLocal8Bit());
        QFile::copy(testing::builtTemplatePath(), program.filePath(QLatin1String(kTemplateFileName)));
        fake.environment.program = program.path();
        const QString statement = testing::statementOfSize(bytes).join(QStringLiteral("\r\n"));
        for (int tab = 0; tab < kTabsPerStrip; ++tab)
            store->values[statementKey(Strip::First, tab)] = statement;
        window = std::make_unique<MainWindow>(fake.platform, store,
                                              BuilderHooks{[] {}, [] { return false; }, [](const GenerationRun&) {}});
        window->startUp();
        window->showCentred();
        QApplication::setActiveWindow(window.get());
        window->menu().slidePreview->trigger();
        QCoreApplication::processEvents();
    }
    QTemporaryDir program;
    testing::FakePlatform fake;
    testing::MemorySettings store;
    std::unique_ptr<MainWindow> window;
};

void KeyToRepaint(benchmark::State& state)
{
    PreviewWindow bench(state.range(0));
    MainWindow& w = *bench.window;
    w.firstStatementBox->setFocus();
    w.firstStatementBox->moveCursor(QTextCursor::End);
    w.slidePreview->repaint();
    bool type = true;
    for (auto _ : state) {
        QTest::keyClick(w.firstStatementBox, type ? Qt::Key_A : Qt::Key_Backspace);
        w.slidePreview->repaint();
        type = !type;
    }
    if (w.slidePreview->picture().isNull() || !bench.fake.messages.shown.empty())
        state.SkipWithError("the preview drew nothing");
    state.counters["width"] = w.slidePreview->picture().width();
}
BENCHMARK(KeyToRepaint)->Arg(2'000)->Arg(100'000)->Unit(benchmark::kMillisecond);

void SectionSwitch(benchmark::State& state)
{
    PreviewWindow bench(state.range(0));
    MainWindow& w = *bench.window;
    for (int tab = 0; tab < kTabsPerStrip; ++tab) {
        w.firstSectionTabs->setTab(tab);
        w.slidePreview->repaint();
    }
    int tab = 0;
    for (auto _ : state) {
        tab = (tab + 1) % kTabsPerStrip;
        w.firstSectionTabs->setTab(tab);
        w.slidePreview->repaint();
    }
    if (w.slidePreview->picture().isNull())
        state.SkipWithError("the preview drew nothing");
}
BENCHMARK(SectionSwitch)->Arg(2'000)->Unit(benchmark::kMillisecond);

void SectionFirstRead(benchmark::State& state)
{
    for (auto _ : state) {
        TemplateView view;
        view.follow(testing::builtTemplatePath());
        if (!view.statement(communicationStrategies()))
            state.SkipWithError("the template was not read");
    }
}
BENCHMARK(SectionFirstRead)->Unit(benchmark::kMillisecond);

} // namespace
