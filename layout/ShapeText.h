#pragma once
// A deck shape's text with everything it inherits resolved, read through the
// engine: the box from the shape, else its layout's placeholder (matched by
// index and type), else the master's; the body properties the same way; each
// paragraph's properties from the presentation's default text style, the
// master's title, body or other style, the master's, layout's and shape's
// list styles, the paragraph's own and the runs' own; theme fonts named.

#include "deck/Deck.h"
#include "layout/TextStyle.h"

namespace quillora::layout {

// The shape's text as it stands now. Throws deck::DeckError when a part it
// inherits from is not well-formed, or when the shape has no text frame.
ShapeText readShapeText(deck::Shape& shape);

} // namespace quillora::layout
