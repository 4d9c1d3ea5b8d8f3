#include "builder/StatementText.h"

#include "automation/AutomationRuntime.h"
#include "automation/EngineApplication.h"
#include "builder/MarketingPlanGenerator.h"
#include "builder/SlideFillMap.h"
#include "core/ErrorReport.h"
#include "core/RuntimeError.h"
#include "deck/Deck.h"
#include "layout/ShapeText.h"

namespace quillora {
namespace {

using namespace automation;

constexpr QChar kLineBreak(0x2028);
const QStringList kPatternLines{QStringLiteral("x"), QStringLiteral("-x")};

const FillRow& rowOf(const QString& sectionKey)
{
    for (const FillRow& row : slideFillMap()) {
        if (row.source == FillSource::Statement && row.section->key() == sectionKey)
            return row;
    }
    throw RuntimeError(QStringLiteral("No section is stored under %1").arg(sectionKey));
}

// The shape's text after the writer wrote the pattern lines into it.
layout::ShapeText writtenPatterns(const QString& templatePath, const FillRow& row)
{
    EngineServer engine;
    AutomationRuntime runtime;
    engine.registerWith(runtime);
    CollectedFailures failures;
    const BuilderContext context{runtime, failures};
    {
        Ref<Application> application = runtime.CreateObject(QLatin1String(kPowerPointClass));
        Ref<Presentation> presentation = application->presentations()->open(templatePath);
        Ref<Shapes> shapes = presentation->slides()->item(static_cast<qint16>(row.slide))->shapes();
        Ref<Shape> shape = row.shapeName ? shapes->item(QString::fromUtf8(row.shapeName))
                                         : shapes->item(static_cast<qint16>(row.shapeNumber));
        Ref<TextRange> range = shape->textFrame()->textRange();
        updateText(context, kPatternLines, range);
    }
    if (!failures.failures.empty())
        throw RuntimeError(failures.failures.front().description);
    const auto deck = deck::Presentation::fromBytes(engine.packOpenDeck(templatePath));
    deck::Shape* shape = rowShape(deck->slide(row.slide), row);
    if (!shape)
        throw RuntimeError(QStringLiteral("The template lacks the shape of slide %1").arg(row.slide));
    return layout::readShapeText(*shape);
}

} // namespace

StatementText::StatementText(const QString& templatePath, const QString& sectionKey)
{
    try {
        m_patterns = writtenPatterns(templatePath, rowOf(sectionKey));
    } catch (const deck::DeckError& error) {
        throw RuntimeError(error.description());
    }
    if (m_patterns.paragraphs.size() != 3 || m_patterns.paragraphs[0].runs.size() != 1
        || m_patterns.paragraphs[1].runs.size() != 1 || !m_patterns.paragraphs[2].runs.empty())
        throw RuntimeError(QStringLiteral("The shape text writer wrote something unexpected into the template"));
}

layout::ShapeText StatementText::shapeText(const QStringList& lines) const
{
    layout::ShapeText text;
    text.frame = m_patterns.frame;
    text.paragraphs.reserve(static_cast<size_t>(lines.size()) + 1);
    for (const QString& line : lines) {
        const bool subPoint = isSubPointLine(line);
        layout::Paragraph paragraph = m_patterns.paragraphs[subPoint ? 1 : 0];
        QString written = subPoint ? QLatin1Char('\t') + line : line;
        for (QChar& c : written) {
            if (c == QLatin1Char('\r') || c == QLatin1Char('\n') || c == QLatin1Char('\v'))
                c = kLineBreak;
        }
        if (written.isEmpty())
            paragraph.runs.clear();
        else
            paragraph.runs.front().text = written;
        text.paragraphs.push_back(std::move(paragraph));
    }
    // Every written line ends with a paragraph break, so an empty one follows.
    text.paragraphs.push_back(m_patterns.paragraphs[2]);
    return text;
}

} // namespace quillora
