// The layout against an independent one. Decks are filled by the real shape
// text writer and fitted by the engine; each stored scale is turned into
// plain sizes and spacing with autofit off, LibreOffice renders the deck to
// PDF and pdftotext says where every line went. Then: every line lies inside
// its shape's box, the lines break where the layout breaks them, they sit
// where it puts them, and one step larger than the stored scale overflows
// in LibreOffice too. The preview's lines start where LibreOffice starts
// them.

#include "builder/SlideFillMap.h"
#include "deck/Deck.h"
#include "layout/Fonts.h"
#include "layout/ShapeText.h"
#include "layout/TextLayouter.h"
#include "render/SlideRenderer.h"
#include "tests/layout/LayoutSamples.h"
#include "tests/layout/PlainScaleDeck.h"
#include "tests/support/BuiltTemplate.h"
#include "tests/support/LibreOffice.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>

#include <algorithm>
#include <cmath>
#include <iostream>

namespace quillora {
namespace {

using namespace layout;
using testing::PdfLine;
using testing::PdfWord;

// What LibreOffice's internal units and the PDF's round a line by.
constexpr double kInsideTolerance = 0.5;      // points
constexpr double kMaxDeviationShare = 0.005;  // of the slide's height or width
// pdftotext gives each word poppler's default ascent and descent (0.95 and
// 0.35 of its size) around the baseline, for want of them in LibreOffice's
// embedded fonts.
constexpr double kPdfAscent = 0.95;
constexpr double kPdfDescent = 0.35;

struct TemplateCase {
    const char* name;
    QByteArray (*bytes)();
    int firstSlide;
    int slides;
    bool shipped; // its statement shapes are the generator's, else all "Rectangle 3"
};

QByteArray shippedTemplate()
{
    QFile file(testing::builtTemplatePath());
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QByteArray styledTemplate()
{
    return testing::styledTestTemplate(8).bytes;
}

// The statement shape of a slide: the generator's, or the test template's.
QString bodyOf(int slide, bool shipped)
{
    for (const FillRow& row : slideFillMap())
        if (shipped && row.slide == slide && row.shapeName)
            return QString::fromUtf8(row.shapeName);
    return QStringLiteral("Rectangle 3");
}

// The words of a line, bullets left out.
QString wordsOf(const std::vector<PdfWord>& words)
{
    QStringList texts;
    for (const PdfWord& word : words)
        if (word.text != QStringLiteral("\u2022"))
            texts << word.text;
    return texts.join(QLatin1Char(' ')).simplified();
}

QString wordsOf(const LaidOutLine& line)
{
    QStringList texts;
    for (const LineSegment& segment : line.segments)
        texts << segment.text;
    return line.segments.empty() ? QLatin1String(testing::kEmptyParagraphMark) : texts.join(QLatin1Char(' ')).simplified();
}

double baselineOf(const PdfWord& word)
{
    return word.box.top() + word.box.height() * kPdfAscent / (kPdfAscent + kPdfDescent);
}

// The page's words within the shape's width and below its top, the slide
// number left out, gathered into lines by their baseline (pdftotext splits
// a line at a bullet's or a tab's gap) and sorted top down.
std::vector<PdfLine> renderedLines(const testing::PdfPage& page, const QRectF& box, int slide)
{
    std::vector<PdfLine> lines;
    for (const PdfLine& line : page.lines) {
        for (const PdfWord& word : line.words) {
            const QPointF centre = word.box.center();
            if (centre.x() < box.left() - 5 || centre.x() > box.right() + 5 || centre.y() < box.top() - 5
                || (word.text == QString::number(slide) && word.box.top() > box.bottom() - 1))
                continue;
            const auto same = std::find_if(lines.begin(), lines.end(), [&](const PdfLine& other) {
                return std::abs(other.box.bottom() - word.box.bottom()) < 1.5;
            });
            if (same == lines.end())
                lines.push_back({word.box, {word}});
            else
                same->box = same->box.united(word.box), same->words.push_back(word);
        }
    }
    for (PdfLine& line : lines)
        std::sort(line.words.begin(), line.words.end(), [](auto& a, auto& b) { return a.box.left() < b.box.left(); });
    std::sort(lines.begin(), lines.end(), [](auto& a, auto& b) { return a.box.top() < b.box.top(); });
    std::erase_if(lines, [](const PdfLine& line) { return wordsOf(line.words).isEmpty(); });
    return lines;
}

std::vector<testing::PdfPage> render(const QTemporaryDir& folder, const QString& name, const QByteArray& deck)
{
    const QString path = folder.filePath(name + QStringLiteral(".pptx"));
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(deck) != deck.size())
        return {};
    file.close();
    QString error;
    const testing::OfficeTools office = testing::findOfficeTools();
    const QString pdf = testing::convertToPdf(office, path, folder.path(), &error);
    std::vector<testing::PdfPage> pages = pdf.isEmpty() ? std::vector<testing::PdfPage>{} : testing::pdfLayout(office, pdf, &error);
    EXPECT_FALSE(pages.empty()) << qPrintable(error);
    return pages;
}

class LayoutAgainstLibreOffice : public ::testing::TestWithParam<TemplateCase> {};

TEST_P(LayoutAgainstLibreOffice, LinesFitBreakAndSitWhereLibreOfficePutsThem)
{
    if (!testing::findOfficeTools().available())
        GTEST_SKIP() << "LibreOffice (soffice) or pdftotext is not installed; scripts/install-deps --test installs them";
    const TemplateCase& sample = GetParam();
    std::vector<testing::ShapeWrite> writes;
    for (int i = 0; i < sample.slides; ++i) {
        const std::vector<testing::SampleSection> sections = testing::sampleSections(i / 8);
        const int slide = sample.firstSlide + i;
        writes.push_back({slide, bodyOf(slide, sample.shipped), sections[static_cast<size_t>(i) % sections.size()].lines});
    }
    const QByteArray filled = testing::filledThroughEngine(sample.bytes(), writes);
    ASSERT_FALSE(filled.isEmpty());

    const auto deck = deck::Presentation::fromBytes(filled);
    TextLayouter layouter;
    std::vector<std::pair<ShapeText, LaidOutText>> shapes;
    std::vector<testing::ShapeAtScale> stored, oneStepLarger;
    for (const testing::ShapeWrite& write : writes) {
        ShapeText text = readShapeText(deck->slide(write.slide).shape(write.shape));
        const Scale scale = text.frame.storedScale;
        ASSERT_EQ(layouter.fit(text).scale, scale) << "slide " << write.slide << " holds the fitted scale";
        const std::vector<Scale> steps = shrinkSteps(text);
        const auto at = std::find(steps.begin(), steps.end(), scale);
        ASSERT_NE(at, steps.end()) << "slide " << write.slide;
        stored.push_back({write.slide, write.shape, scale});
        if (at != steps.begin())
            oneStepLarger.push_back({write.slide, write.shape, *(at - 1)});
        LaidOutText lines = layouter.layOut(text);
        ASSERT_TRUE(lines.fits()) << "slide " << write.slide << " is meant to fit at the smallest step";
        shapes.emplace_back(std::move(text), std::move(lines));
    }
    ASSERT_GE(oneStepLarger.size(), 4u) << "the samples shrink several shapes";

    QTemporaryDir folder;
    const auto pages = render(folder, QStringLiteral("scaled"), testing::withPlainScale(filled, stored));
    const auto larger = render(folder, QStringLiteral("larger"), testing::withPlainScale(filled, oneStepLarger));
    ASSERT_TRUE(pages.size() >= size_t(writes.back().slide) && larger.size() >= size_t(writes.back().slide));

    double worstX = 0, worstY = 0;
    int compared = 0;
    for (size_t s = 0; s < shapes.size(); ++s) {
        const int slide = writes[s].slide;
        SCOPED_TRACE("slide " + std::to_string(slide));
        const auto& [text, ours] = shapes[s];
        const QRectF box = text.frame.box;
        const std::vector<PdfLine> drawn = renderedLines(pages[static_cast<size_t>(slide - 1)], box, slide);
        ASSERT_EQ(drawn.size(), ours.lines.size()) << "lines in LibreOffice and in the layout";
        for (size_t n = 0; n < drawn.size(); ++n) {
            const LaidOutLine& line = ours.lines[n];
            EXPECT_EQ(wordsOf(drawn[n].words), wordsOf(line)) << "line " << n << " breaks elsewhere";
            const PdfWord& word = drawn[n].words.size() > 1 && drawn[n].words[0].text == QStringLiteral("\u2022")
                                      ? drawn[n].words[1]
                                      : drawn[n].words[0];
            const double size = word.box.height() / (kPdfAscent + kPdfDescent);
            // The glyphs reach as far as their font's ascent and descent.
            const VerticalMetrics font = verticalMetrics(text.paragraphs.front().runs.front().style);
            EXPECT_GE(baselineOf(word) - font.ascent * size, box.top() - kInsideTolerance) << "line " << n;
            EXPECT_LE(baselineOf(word) + font.descent * size, box.bottom() + kInsideTolerance) << "line " << n;
            EXPECT_TRUE(drawn[n].box.left() >= box.left() - kInsideTolerance && drawn[n].box.right() <= box.right() + kInsideTolerance)
                << "line " << n;
            if (!line.segments.empty())
                worstX = std::max(worstX, std::abs(word.box.left() - line.segments.front().x));
            worstY = std::max(worstY, std::abs(baselineOf(word) - line.baseline));
            ++compared;
        }
    }
    for (const testing::ShapeAtScale& bigger : oneStepLarger) {
        const ShapeText& text = shapes[static_cast<size_t>(bigger.slide - sample.firstSlide)].first;
        const QRectF below(text.frame.box.topLeft(), QSizeF(text.frame.box.width(), 1e4));
        const std::vector<PdfLine> drawn = renderedLines(larger[static_cast<size_t>(bigger.slide - 1)], below, bigger.slide);
        ASSERT_FALSE(drawn.empty());
        const PdfWord& last = drawn.back().words.front();
        const double size = last.box.height() / (kPdfAscent + kPdfDescent);
        EXPECT_GT(baselineOf(last) + verticalMetrics(text.paragraphs.front().runs.front().style).descent * size,
                  text.frame.textArea().bottom())
            << "slide " << bigger.slide << " would have fitted one step larger";
    }
    const QSizeF slideSize = shapes.front().first.frame.slideSize;
    std::cout << "[ layout ] " << sample.name << ": " << compared << " lines on " << shapes.size()
              << " shapes; largest deviation from LibreOffice " << 100.0 * worstX / slideSize.width()
              << " % of the slide's width across, " << 100.0 * worstY / slideSize.height() << " % of its height down ("
              << worstX << " pt, " << worstY << " pt)\n";
    EXPECT_LE(worstX, kMaxDeviationShare * slideSize.width());
    EXPECT_LE(worstY, kMaxDeviationShare * slideSize.height());
}

INSTANTIATE_TEST_SUITE_P(Templates, LayoutAgainstLibreOffice,
                         ::testing::Values(TemplateCase{"shipped template", shippedTemplate, 2, 16, true},
                                           TemplateCase{"test template", styledTemplate, 1, 8, false}),
                         [](const auto& info) { return std::string(info.index == 0 ? "Shipped" : "Styled"); });

// A small table of sections on each template: slides and the kind of
// section written there (indexes into sampleSections).
struct PreviewCase {
    const char* name;
    QByteArray (*bytes)();
    bool shipped;
    std::vector<std::pair<int, size_t>> slides;
};

class PreviewAgainstLibreOffice : public ::testing::TestWithParam<PreviewCase> {};

TEST_P(PreviewAgainstLibreOffice, EachLineStartsWhereLibreOfficeStartsIt)
{
    if (!testing::findOfficeTools().available())
        GTEST_SKIP() << "LibreOffice (soffice) or pdftotext is not installed; scripts/install-deps --test installs them";
    const PreviewCase& sample = GetParam();
    const std::vector<testing::SampleSection> sections = testing::sampleSections();
    std::vector<testing::ShapeWrite> writes;
    for (const auto& [slide, kind] : sample.slides)
        writes.push_back({slide, bodyOf(slide, sample.shipped), sections.at(kind).lines});
    const QByteArray filled = testing::filledThroughEngine(sample.bytes(), writes);
    ASSERT_FALSE(filled.isEmpty());
    const auto deck = deck::Presentation::fromBytes(filled);
    render::SlideRenderer preview(*deck);
    std::vector<LaidOutText> drawn;
    std::vector<testing::ShapeAtScale> scales;
    for (const testing::ShapeWrite& write : writes) {
        for (const render::DrawnText& text : preview.texts(write.slide))
            if (text.shape == write.shape)
                drawn.push_back(text.lines), scales.push_back({write.slide, write.shape, text.lines.scale});
        ASSERT_EQ(drawn.size(), scales.size()) << "slide " << write.slide << " shows its statement";
        ASSERT_FALSE(drawn.back().lines.empty());
    }
    QTemporaryDir folder;
    const auto pages = render(folder, QStringLiteral("preview"), testing::withPlainScale(filled, scales));
    ASSERT_GE(pages.size(), size_t(deck->slideCount()));
    const QSizeF size = preview.slideSize();
    for (size_t s = 0; s < writes.size(); ++s) {
        SCOPED_TRACE("slide " + std::to_string(writes[s].slide));
        const QRectF box = readShapeText(deck->slide(writes[s].slide).shape(writes[s].shape)).frame.box;
        const std::vector<PdfLine> office = renderedLines(pages[size_t(writes[s].slide - 1)], box, writes[s].slide);
        ASSERT_EQ(office.size(), drawn[s].lines.size());
        for (size_t n = 0; n < office.size(); ++n) {
            const LaidOutLine& line = drawn[s].lines[n];
            const auto& words = office[n].words;
            const PdfWord& word = words.size() > 1 && words[0].text == QStringLiteral("\u2022") ? words[1] : words[0];
            EXPECT_NEAR(baselineOf(word), line.baseline, 0.01 * size.height()) << "line " << n;
            if (!line.segments.empty())
                EXPECT_NEAR(word.box.left(), line.segments.front().x, 0.01 * size.width()) << "line " << n;
        }
    }
}

INSTANTIATE_TEST_SUITE_P(
    Templates, PreviewAgainstLibreOffice,
    ::testing::Values(PreviewCase{"shipped template", shippedTemplate, true, {{2, 0}, {3, 1}, {6, 2}, {9, 4}}},
                      PreviewCase{"test template", styledTemplate, false, {{1, 1}, {2, 3}, {8, 0}}}),
    [](const auto& info) { return std::string(info.index == 0 ? "Shipped" : "Styled"); });

} // namespace
} // namespace quillora
