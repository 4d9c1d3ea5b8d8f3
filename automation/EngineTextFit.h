#pragma once
// Before the engine hands a deck over, every shape it filled that shrinks
// its text on overflow says in the file how far (layout/DeckFitting.h), so
// readers that draw the stored scale show the same fitted text as those that
// lay the text out again. A live office fits its own text and never comes
// here.

namespace quillora::deck {
class Presentation;
}

namespace quillora::automation {

// Shapes whose text cannot be laid out keep what they had; each is named on
// standard error, and so is a process without the font database the layout
// needs. The deck is written either way.
void fitFilledText(deck::Presentation& deck);

} // namespace quillora::automation
