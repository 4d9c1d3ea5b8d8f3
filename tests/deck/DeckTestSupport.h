#pragma once
// The engine's tests: small decks opened from recipes, and ways to look into
// what the engine wrote.

#include "deck/Deck.h"
#include "tests/support/DeckBuilder.h"
#include "tests/support/SavedDeck.h"
#include "tests/support/BuiltTemplate.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <pugixml.hpp>

#include <memory>

namespace quillora::deck::testing {

using quillora::testing::builtTemplatePath;

// Decks from recipes come from the shared deck builder.
using quillora::testing::DeckRecipe;
using quillora::testing::makeDeck;
using quillora::testing::pictureShape;
using quillora::testing::textShape;
std::unique_ptr<Presentation> openDeck(const DeckRecipe& recipe);

// The bytes of one part of a package ("" when absent), every part's name.
QByteArray partOf(const QByteArray& package, const QString& name);
QStringList partNames(const QByteArray& package);
QByteArray zipOf(const QList<QPair<QString, QByteArray>>& entries);

// The saved XML of a slide part, parsed; its paragraphs come from the
// saved-deck reader.
std::unique_ptr<pugi::xml_document> savedSlide(Presentation& presentation, int slidePart);
using quillora::testing::paragraphsOf;

} // namespace quillora::deck::testing
