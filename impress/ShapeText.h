#pragma once
// One shape's text as the automation model shows it, kept beside Impress's
// own text so positions mean the same on both servers.
//
// The model string follows the embedded engine: "\r" ends a paragraph, a
// "\n" right after a "\r" opens the next paragraph (it stays in the string,
// so lengths and positions match what was assigned, but Impress has no
// character for it), and any other "\n", and "\v", is a line break. Impress
// counts a paragraph break as one character and a line break as one; every
// other UTF-16 code unit is one character on both sides.

#include <QString>
#include <vector>

namespace quillora::impress {

class ShapeText {
public:
    // From Impress's paragraphs as read; their line breaks read as "\v".
    static ShapeText fromParagraphs(const std::vector<QString>& paragraphs);

    const QString& text() const { return m_text; }
    int length() const { return static_cast<int>(m_text.size()); }

    // Impress's position of the 0-based model position 0..length().
    int officePosition(int position) const;
    // The paragraph (0-based) the model position belongs to.
    int paragraphAt(int position) const;
    // Impress position where paragraph k begins.
    int paragraphStart(int paragraph) const;

    // Replaces count characters at start (0-based, within the text).
    void replace(int start, int count, const QString& text);

private:
    QString m_text;
};

// What Impress is given for an inserted model text: pieces of text (in which
// "\n" is a paragraph break) and line breaks between them, in order.
struct OfficePiece {
    QString text;           // empty for a line break
    bool lineBreak = false;
};
std::vector<OfficePiece> officePieces(const QString& text);
// How many Impress characters a piece takes.
int officeLength(const OfficePiece& piece);

} // namespace quillora::impress
