#pragma once
// The template's slides drawn as a run would fill them, for a preview while
// the plan is written: the title slide with the plan's product line and
// title, a section's slide with the statement being typed in its shape.
// The template is read once; each picture costs its text's layout and
// drawing (see render/SlideRenderer.h). Not thread-safe; needs a
// QGuiApplication.

#include "layout/TextStyle.h"
#include "plan/SectionCatalogue.h"

#include <QImage>
#include <QSizeF>
#include <QString>

#include <memory>

namespace quillora {

namespace deck {
class Presentation;
}
namespace render {
class SlideRenderer;
}

class TemplateSlides {
public:
    // Throws RuntimeError when the template cannot be read.
    explicit TemplateSlides(const QString& templatePath);
    ~TemplateSlides();
    TemplateSlides(const TemplateSlides&) = delete;
    TemplateSlides& operator=(const TemplateSlides&) = delete;

    // In points.
    QSizeF slideSize() const;

    // Slide 1, `width` pixels wide, with the titles a run writes there.
    // Throws RuntimeError when the slide cannot be drawn.
    QImage titleSlide(int width, const QString& productName, const QString& planTitle);
    // The section's slide with `statement` (the section's text as
    // StatementText sets it) in its shape; the template's own text there
    // when it is null, as a run leaves an empty statement's shape.
    QImage sectionSlide(int width, const Section& section, const layout::ShapeText* statement);

private:
    std::unique_ptr<deck::Presentation> m_deck;
    std::unique_ptr<render::SlideRenderer> m_renderer;
};

} // namespace quillora
