#pragma once
// Small decks built in memory for the engine's tests, and ways to look into
// what the engine wrote.

#include "deck/Deck.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <pugixml.hpp>

#include <memory>

namespace quillora::deck::testing {

QString templatePath();

// A p:sp with a text body; paragraphsXml is the a:p elements.
QString textShape(int id, const QString& name, const QString& paragraphsXml = QStringLiteral("<a:p/>"));
// A picture (no text frame).
QString pictureShape(int id, const QString& name);

struct DeckRecipe {
    QStringList slides;          // spTree content of slide1.xml, slide2.xml, ...
    QList<int> order;            // presentation order as indexes into slides; empty = as listed
    QStringList extraParts;      // "name=content" pairs stored as-is (unknown parts)
};
QByteArray makeDeck(const DeckRecipe& recipe);
std::unique_ptr<Presentation> openDeck(const DeckRecipe& recipe);

// The bytes of one part of a package ("" when absent), every part's name.
QByteArray partOf(const QByteArray& package, const QString& name);
QStringList partNames(const QByteArray& package);
QByteArray zipOf(const QList<QPair<QString, QByteArray>>& entries);

// The saved XML of a slide part, parsed.
std::unique_ptr<pugi::xml_document> savedSlide(Presentation& presentation, int slidePart);
// The a:p elements of a named shape's body in a parsed slide.
std::vector<pugi::xml_node> paragraphsOf(const pugi::xml_document& slide, const QString& shapeName);

// The shape text writer's loop, run against the engine by hand: clear the
// range, then for each line set the bullet on the one-character range at the
// write position, write the line and "\r\n" there ("\t" first for "-"
// lines), size the line-length range, and move to the end of the text.
void writeLines(TextRange whole, const QStringList& lines);

} // namespace quillora::deck::testing
