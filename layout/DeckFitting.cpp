#include "layout/DeckFitting.h"

#include "layout/Fonts.h"
#include "layout/ShapeText.h"

namespace quillora::layout {

FitResult fitShapeText(deck::Shape& shape, TextLayouter& layouter)
{
    const ShapeText text = readShapeText(shape);
    const FitResult result = layouter.fit(text);
    if (text.frame.autofit == Autofit::ShrinkText && result.scale != text.frame.storedScale)
        shape.setTextFitScale(result.scale.fontScale, result.scale.lineSpacingReduction);
    return result;
}

std::vector<ShapeFitFailure> fitChangedShapes(deck::Presentation& deck)
{
    std::vector<ShapeFitFailure> failures;
    TextLayouter layouter;
    for (int s = 1; s <= deck.slideCount(); ++s) {
        deck::Slide& slide = deck.slide(s);
        for (int n = 1; n <= slide.shapeCount(); ++n) {
            deck::Shape& shape = slide.shape(n);
            if (!shape.textChanged())
                continue;
            try {
                fitShapeText(shape, layouter);
            } catch (const deck::DeckError& error) {
                failures.push_back({s, shape.name(), error.description()});
            }
        }
    }
    return failures;
}

} // namespace quillora::layout
