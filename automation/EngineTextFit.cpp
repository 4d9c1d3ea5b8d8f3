#include "automation/EngineTextFit.h"

#include "deck/Deck.h"
#include "layout/DeckFitting.h"
#include "layout/Fonts.h"

#include <QtGlobal>

namespace quillora::automation {

void fitFilledText(deck::Presentation& deck)
{
    try {
        for (const layout::ShapeFitFailure& failure : layout::fitChangedShapes(deck)) {
            qWarning("The text of shape \"%s\" on slide %d keeps its size: %s", qUtf8Printable(failure.shape),
                     failure.slide, qUtf8Printable(failure.reason));
        }
    } catch (const layout::LayoutUnavailable& unavailable) {
        qWarning("The deck's text is not fitted to its shapes: %s", unavailable.what());
    }
}

} // namespace quillora::automation
