#pragma once
// Sections as writers write them, for the tests and the benchmark that lay
// out filled decks: short, the thirteen-line market summary, long and very
// long, words longer than a line, many sub-points, and a test template whose
// fonts, margins and line spacing differ from the shipped one's.

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <vector>

namespace quillora::testing {

struct SampleSection {
    const char* kind;
    QStringList lines;
};

// One of each kind; `variant` changes the words (not the kind), so two
// calls with different variants give different texts of the same shape.
std::vector<SampleSection> sampleSections(int variant = 0);

// A statement of about `characters` characters, points and sub-points.
QStringList statementOfSize(qsizetype characters);

// A deck filled through the engine's server by the shape text writer and
// handed over as the engine hands decks over (fitted): each write is a
// slide, a shape's name and its lines. Empty when the template cannot be
// written to a scratch file.
struct ShapeWrite {
    int slide;
    QString shape;
    QStringList lines;
};
QByteArray filledThroughEngine(const QByteArray& templateBytes, const std::vector<ShapeWrite>& writes);

// The test template: Calibri body text (Carlito on Linux), a master body
// placeholder with wide insets, a hanging indent the layout overrides,
// 115 % line spacing and space before as a share of the font size; one
// slide sets its own Cambria (Caladea) font and exact 28-point spacing.
// Every slide's body is "Rectangle 3", a placeholder with no box of its own
// but on the last slide.
struct TestTemplate {
    QByteArray bytes;
    int slides = 0;
};
TestTemplate styledTestTemplate(int slides);

} // namespace quillora::testing
