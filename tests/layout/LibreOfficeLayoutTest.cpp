// The layout against an independent one. Decks are filled by the real shape
// text writer and fitted by the engine; each stored scale is turned into
// plain sizes and spacing with autofit off, LibreOffice renders the deck to
// PDF and pdftotext says where every line went. Then: every line lies inside
// its shape's box, the lines break where the layout breaks them, they sit
// where it puts them, and one step larger than the stored scale overflows
// in LibreOffice too.

#include "builder/SlideFillMap.h"
#include "deck/Deck.h"
#include "layout/Fonts.h"
#include "layout/ShapeText.h"
#include "layout/TextLayouter.h"
#include "tests/layout/LayoutSamples.h"
#include "tests/layout/PlainScaleDeck.h"
#include "tests/support/BuiltTemplate.h"
#include "tests/support/EngineDeck.h"
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
using testing::PdfPage;
using testing::PdfWord;

// Where LibreOffice and the layout may differ: rounding to its internal
// units, and to the PDF's, per line.
constexpr double kInsideTolerance = 0.5; // points
constexpr double kMaxDeviationShare = 0.005; // of the slide's height or width
constexpr double kPdfAscent = 0.95;
constexpr double kPdfDescent = 0.35;

struct FilledShape {
    int slide = 0;
    QString name;
    QString kind;
    ShapeText text;
    LaidOutText lines;
};

struct TemplateCase {
    const char* name;
    QByteArray (*bytes)();
    QString (*bodyName)(int slide);
    int firstSlide;
    int slides;
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

// The statement shapes the generator writes into.
QString shippedBody(int slide)
{
    for (const FillRow& row : slideFillMap()) {
        if (row.slide == slide && row.shapeName)
            return QString::fromUtf8(row.shapeName);
    }
    return {};
}

QString styledBody(int)
{
    return QStringLiteral("Rectangle 3");
}

// The words of a rendered line, bullets left out.
QString wordsOf(const std::vector<PdfWord>& words)
{
    QStringList texts;
    for (const PdfWord& word : words) {
        if (word.text != QStringLiteral("\u2022"))
            texts << word.text;
    }
    return texts.join(QLatin1Char(' ')).simplified();
}

QString wordsOf(const LaidOutLine& line)
{
    QStringList texts;
    for (const LineSegment& segment : line.segments)
        texts << segment.text;
    return texts.join(QLatin1Char(' ')).simplified();
}

// The page's lines within the shape's width and below its top, joined where
// pdftotext split one line in two (a bullet, a tab's gap).
std::vector<PdfLine> renderedLines(const PdfPage& page, const QRectF& box, const QString& slideNumber)
{
    std::vector<PdfLine> lines;
    for (const PdfLine& line : page.lines) {
        for (const PdfWord& word : line.words) {
            const QPointF centre = word.box.center();
            if (centre.x() < box.left() - 5 || centre.x() > box.right() + 5 || centre.y() < box.top() - 5)
                continue;
            if (word.text == slideNumber && word.box.top() > box.bottom() - 1)
                continue;
            const auto same = std::find_if(lines.begin(), lines.end(), [&](const PdfLine& other) {
                return std::abs(other.box.bottom() - word.box.bottom()) < 1.5;
            });
            if (same == lines.end()) {
                lines.push_back({word.box, {word}});
            } else {
                same->box = same->box.united(word.box);
                same->words.push_back(word);
            }
        }
    }
    for (PdfLine& line : lines)
        std::sort(line.words.begin(), line.words.end(),
                  [](const PdfWord& a, const PdfWord& b) { return a.box.left() < b.box.left(); });
    std::sort(lines.begin(), lines.end(), [](const PdfLine& a, const PdfLine& b) { return a.box.top() < b.box.top(); });
    std::erase_if(lines, [](const PdfLine& line) { return wordsOf(line.words).isEmpty(); });
    return lines;
}

std::vector<PdfPage> render(const testing::OfficeTools& office, const QTemporaryDir& folder, const QString& name,
                            const QByteArray& deck)
{
    const QString path = folder.filePath(name + QStringLiteral(".pptx"));
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(deck) != deck.size())
        return {};
    file.close();
    QString error;
    const QString pdf = testing::convertToPdf(office, path, folder.path(), &error);
    EXPECT_FALSE(pdf.isEmpty()) << qPrintable(error);
    if (pdf.isEmpty())
        return {};
    std::vector<PdfPage> pages = testing::pdfLayout(office, pdf, &error);
    EXPECT_FALSE(pages.empty()) << qPrintable(error);
    return pages;
}

class LayoutAgainstLibreOffice : public ::testing::TestWithParam<TemplateCase> {};

TEST_P(LayoutAgainstLibreOffice, LinesFitBreakAndSitWhereLibreOfficePutsThem)
{
    const testing::OfficeTools office = testing::findOfficeTools();
    if (!office.available())
        GTEST_SKIP() << "LibreOffice (soffice) or pdftotext is not installed; scripts/install-deps --test installs them";
    const TemplateCase& templateCase = GetParam();
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    const QString templatePath = folder.filePath(QStringLiteral("template.pptx"));
    {
        QFile file(templatePath);
        const QByteArray bytes = templateCase.bytes();
        ASSERT_FALSE(bytes.isEmpty());
        ASSERT_TRUE(file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size());
    }

    // Filled and fitted as the engine hands decks over.
    QByteArray filled;
    std::vector<std::pair<int, QString>> kinds;
    {
        testing::EngineDeck engine(templatePath);
        for (int i = 0; i < templateCase.slides; ++i) {
            const std::vector<testing::SampleSection> samples = testing::sampleSections(i / 8);
            const testing::SampleSection& sample = samples[static_cast<size_t>(i) % samples.size()];
            engine.write(templateCase.firstSlide + i, templateCase.bodyName(templateCase.firstSlide + i), sample.lines);
            kinds.emplace_back(templateCase.firstSlide + i, QString::fromUtf8(sample.kind));
        }
        ASSERT_TRUE(engine.failures.failures.empty());
        filled = engine.pack();
    }

    const std::unique_ptr<deck::Presentation> deck = deck::Presentation::fromBytes(filled);
    TextLayouter layouter;
    std::vector<FilledShape> shapes;
    std::vector<testing::ShapeAtScale> stored, oneStepLarger;
    for (const auto& [slide, kind] : kinds) {
        const QString name = templateCase.bodyName(slide);
        FilledShape shape{slide, name, kind, readShapeText(deck->slide(slide).shape(name)), {}};
        ASSERT_EQ(shape.text.frame.autofit, Autofit::ShrinkText);
        const Scale scale = shape.text.frame.storedScale;
        EXPECT_EQ(layouter.fit(shape.text).scale, scale) << "slide " << slide << ": the deck holds the fitted scale";
        shape.lines = layouter.layOut(shape.text);
        ASSERT_TRUE(shape.lines.fits()) << "slide " << slide << " (" << qPrintable(kind) << ") is meant to fit";
        stored.push_back({slide, shape.name, scale});
        const std::vector<Scale> steps = shrinkSteps(shape.text);
        const auto at = std::find(steps.begin(), steps.end(), scale);
        ASSERT_NE(at, steps.end()) << "slide " << slide << ": the scale is one of the steps";
        if (at != steps.begin())
            oneStepLarger.push_back({slide, shape.name, *(at - 1)});
        shapes.push_back(std::move(shape));
    }
    ASSERT_GE(oneStepLarger.size(), 4u) << "the samples shrink several shapes";

    const std::vector<PdfPage> pages = render(office, folder, QStringLiteral("scaled"), testing::withPlainScale(filled, stored));
    const std::vector<PdfPage> larger =
        render(office, folder, QStringLiteral("larger"), testing::withPlainScale(filled, oneStepLarger));
    ASSERT_FALSE(pages.empty());
    ASSERT_FALSE(larger.empty());

    const QSizeF slideSize = shapes.front().text.frame.slideSize;
    double worstX = 0, worstY = 0;
    int compared = 0;
    for (const FilledShape& shape : shapes) {
        SCOPED_TRACE(QStringLiteral("slide %1 (%2)").arg(shape.slide).arg(shape.kind).toStdString());
        ASSERT_LE(static_cast<size_t>(shape.slide), pages.size());
        const QRectF box = shape.text.frame.box;
        const std::vector<PdfLine> rendered =
            renderedLines(pages[static_cast<size_t>(shape.slide - 1)], box, QString::number(shape.slide));
        ASSERT_EQ(rendered.size(), shape.lines.lines.size()) << "lines in LibreOffice and in the layout";
        for (size_t n = 0; n < rendered.size(); ++n) {
            const LaidOutLine& line = shape.lines.lines[n];
            const PdfLine& drawn = rendered[n];
            const bool empty = line.segments.empty();
            EXPECT_EQ(wordsOf(drawn.words), empty ? QLatin1String(testing::kEmptyParagraphMark) : wordsOf(line))
                << "line " << n << " breaks elsewhere";
            // pdftotext gives each word poppler's default ascent and descent
            // (0.95 and 0.35 of its size) around the baseline, for want of
            // them in LibreOffice's fonts.
            const PdfWord& firstWord = drawn.words.front().text == QStringLiteral("\u2022") && drawn.words.size() > 1
                                           ? drawn.words[1]
                                           : drawn.words.front();
            const double baseline = firstWord.box.top() + firstWord.box.height() * kPdfAscent / (kPdfAscent + kPdfDescent);
            const double size = firstWord.box.height() / (kPdfAscent + kPdfDescent);
            const LineSegment first = empty ? LineSegment{{}, firstWord.box.left(), 0, shape.lines.lines.front().segments.front().family, size}
                                            : line.segments.front();
            // The glyphs reach as far as their font's ascent and descent.
            const VerticalMetrics font = verticalMetrics({first.family, first.size, first.bold, first.italic});
            EXPECT_GE(baseline - font.ascent * first.size, box.top() - kInsideTolerance) << "line " << n;
            EXPECT_LE(baseline + font.descent * first.size, box.bottom() + kInsideTolerance) << "line " << n;
            EXPECT_GE(drawn.box.left(), box.left() - kInsideTolerance) << "line " << n;
            EXPECT_LE(drawn.box.right(), box.right() + kInsideTolerance) << "line " << n;
            const double dx = std::abs(firstWord.box.left() - first.x);
            const double dy = std::abs(baseline - line.baseline);
            if (qEnvironmentVariableIsSet("LAYOUT_DUMP"))
                std::cerr << shape.slide << "/" << n << " scale " << shape.lines.scale.fontScale << "/"
                          << shape.lines.scale.lineSpacingReduction << " size " << first.size << " x " << first.x << " / "
                          << firstWord.box.left() << " baseline " << line.baseline << " / " << baseline << "\n";
            worstX = std::max(worstX, dx);
            worstY = std::max(worstY, dy);
            ++compared;
        }
    }
    for (const testing::ShapeAtScale& bigger : oneStepLarger) {
        SCOPED_TRACE(QStringLiteral("slide %1 one step larger").arg(bigger.slide).toStdString());
        const FilledShape& shape = *std::find_if(shapes.begin(), shapes.end(),
                                                 [&](const FilledShape& s) { return s.slide == bigger.slide; });
        const std::vector<PdfLine> rendered = renderedLines(larger[static_cast<size_t>(bigger.slide - 1)],
                                                            QRectF(shape.text.frame.box.topLeft(), QSizeF(shape.text.frame.box.width(), 1e4)),
                                                            QString::number(bigger.slide));
        ASSERT_FALSE(rendered.empty());
        // The last line's baseline, and its font size from the word's box.
        const PdfWord& last = rendered.back().words.front();
        const double size = last.box.height() / (kPdfAscent + kPdfDescent);
        const double baseline = last.box.top() + kPdfAscent * size;
        // Its glyphs reach their font's descent below it: out of the text area.
        const VerticalMetrics font = verticalMetrics(shape.text.paragraphs.front().runs.front().style);
        EXPECT_GT(baseline + font.descent * size, shape.text.frame.textArea().bottom())
            << "the text would have fitted one step larger";
    }
    std::cout << "[ layout ] " << templateCase.name << ": " << compared << " lines on " << shapes.size()
              << " shapes; largest deviation from LibreOffice " << 100.0 * worstX / slideSize.width()
              << " % of the slide's width across, " << 100.0 * worstY / slideSize.height()
              << " % of its height down (" << worstX << " pt, " << worstY << " pt)\n";
    EXPECT_LE(worstX, kMaxDeviationShare * slideSize.width());
    EXPECT_LE(worstY, kMaxDeviationShare * slideSize.height());
}

INSTANTIATE_TEST_SUITE_P(Templates, LayoutAgainstLibreOffice,
                         ::testing::Values(TemplateCase{"shipped template", shippedTemplate, shippedBody, 2, 16},
                                           TemplateCase{"test template", styledTemplate, styledBody, 1, 8}),
                         [](const auto& info) { return info.index == 0 ? std::string("Shipped") : std::string("Styled"); });

} // namespace
} // namespace quillora
