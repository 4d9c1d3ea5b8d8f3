#include "builder/TemplateSlides.h"

#include "builder/MarketingPlanGenerator.h"
#include "builder/SlideFillMap.h"
#include "core/RuntimeError.h"
#include "deck/Deck.h"
#include "render/SlideRenderer.h"

namespace quillora {

TemplateSlides::TemplateSlides(const QString& templatePath)
{
    try {
        m_deck = deck::Presentation::open(templatePath);
    } catch (const deck::DeckError& error) {
        throw RuntimeError(error.description());
    }
    m_renderer = std::make_unique<render::SlideRenderer>(*m_deck);
}

TemplateSlides::~TemplateSlides() = default;

QSizeF TemplateSlides::slideSize() const
{
    return m_renderer->slideSize();
}

QImage TemplateSlides::titleSlide(int width, const QString& productName, const QString& planTitle)
{
    try {
        // The deck is this preview's own copy in memory: the titles are
        // written into it as the run writes them, and it is never saved.
        for (const FillRow& row : slideFillMap()) {
            if (row.source == FillSource::Statement || row.slide > m_deck->slideCount())
                continue;
            deck::Shape* shape = rowShape(m_deck->slide(row.slide), row);
            if (!shape || !shape->hasTextFrame())
                continue;
            const QString text = row.source == FillSource::ProductLine ? productLine(productName) : planTitle;
            deck::TextRange range = shape->textRange();
            if (range.text() != text)
                range.setText(text);
        }
        return m_renderer->render(1, width);
    } catch (const deck::DeckError& error) {
        throw RuntimeError(error.description());
    }
}

QImage TemplateSlides::sectionSlide(int width, const Section& section, const layout::ShapeText* statement)
{
    try {
        if (!statement)
            return m_renderer->render(section.slide, width);
        return m_renderer->render(section.slide, width, {{QString::fromUtf8(section.shapeName), statement}});
    } catch (const deck::DeckError& error) {
        throw RuntimeError(error.description());
    }
}

} // namespace quillora
