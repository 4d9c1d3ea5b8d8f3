#pragma once
// The plan a filled deck holds, read back the way the generator wrote it:
// slide 1 gives the product name (its product line without the closing
// "Marketing Plan" line) and the plan title; each section's shape, found
// through the slide fill map, gives its statement, one line per paragraph.
// An unbulleted paragraph led by a tab and a sub-point line is that
// sub-point; every other paragraph is a line as it stands; the empty
// paragraph the writer's last line break leaves is dropped, and a line
// break inside a paragraph is a lone "\n".
//
// Slides people moved are found by the section's caption in the slide's
// title, then by the slide's place in the fill map; a statement shape not
// found by its name is the slide's one body placeholder. A shape that cannot be
// found leaves its section (or title) as the plan read over holds it, and is
// named in leftOut.

#include "builder/OfficeConversion.h"
#include "plan/Plan.h"

#include <QCoreApplication>
#include <QString>
#include <QStringList>

namespace quillora {

namespace deck {
class Presentation;
}

// What the reader says is told under this context.
struct DeckReaderText {
    Q_DECLARE_TR_FUNCTIONS(DeckReader)
};

struct DeckReading {
    Plan plan;
    // The setting keys of the parts whose shape was not found, in plan order.
    QStringList missingKeys;
    // One line per shape not found, such as
    // `slide 12, Pricing: no shape named "Rectangle 3"`.
    QStringList leftOut;
};

// templateDeck: the template the deck was filled from, or nullptr. A
// statement is left empty by the fill, so a shape that still holds exactly
// the template's text reads as an empty statement. A part whose shape is not
// found keeps its text from `over`.
DeckReading readPlanFromDeck(deck::Presentation& deck, deck::Presentation* templateDeck, const Plan& over = {});

// The same for the deck at deckPath, with the template at templatePath (none
// when there is no file there); an .odp or .ppt deck is converted by `office`
// first. Throws RuntimeError with the reason when either cannot be read.
DeckReading readPlanFromDeckFile(const QString& deckPath, const QString& templatePath, const Plan& over,
                                 const OfficeConverter& office);

// Whether filling the plan and reading it back gives the same plan: no text
// holds a carriage
// return outside a "\r\n" pair (it would end a paragraph) or a vertical tab
// (it reads back as the line break "\n"), and the product name holds no
// "Marketing Plan" (the fill takes it out).
bool fillKeepsPlan(const Plan& plan);

} // namespace quillora
