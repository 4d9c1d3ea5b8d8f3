#pragma once
// Reads a saved .pptx straight from its XML, independently of the engine
// that wrote it, so tests check what the file really says: each shape's
// paragraphs with their text, bullet and run sizes.

#include <QString>
#include <QStringList>
#include <pugixml.hpp>
#include <map>
#include <optional>
#include <vector>

namespace quillora::testing {

struct SavedParagraph {
    enum class Bullet { Inherited, Off, Character, Numbered };
    QString text;            // runs joined; a line break reads as "\v"
    Bullet bullet = Bullet::Inherited;
    std::vector<int> sizes;  // each run's size in hundredths of a point; 0 when unset
};

struct SavedShape {
    QString name;
    std::vector<SavedParagraph> paragraphs;
    // Paragraph texts joined by "\r".
    QString text() const;
};

struct SavedSlide {
    std::vector<SavedShape> shapes; // z-order, back to front
    std::optional<SavedShape> named(const QString& name) const;
};

struct SavedDeck {
    std::vector<SavedSlide> slides; // presentation order

    // Empty deck and a message in `error` when the file cannot be read.
    static SavedDeck read(const QString& path, QString* error = nullptr);
};

// The raw XML beneath that reading, for what it leaves out: the a:p elements
// of a named shape's body in a parsed slide part (none when no shape has the
// name).
std::vector<pugi::xml_node> paragraphsOf(const pugi::xml_document& slide, const QString& shapeName);

// Where the text bodies in a part break DrawingML's element order (bodyPr,
// lstStyle?, p+; in a:p: pPr?, runs, endParaRPr?; rPr before t; a:pPr's
// children in sequence). Empty when the part is well formed in that respect.
QStringList textBodyProblems(pugi::xml_node part);

} // namespace quillora::testing
