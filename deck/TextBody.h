#pragma once
// The text of one shape (its p:txBody) as PowerPoint's automation model sees
// it: one string plus formatting per character and per paragraph.
//
// In the string each "\r" ends a paragraph. A "\n" right after a "\r" opens
// the next paragraph; it is kept in the string (so lengths and positions
// match what was assigned) but never written to the file. Any other "\n",
// and "\v", is a line break (a:br).
//
// The body is read from the XML once and written back into it by
// writeBack(); run, break and field elements are rebuilt from the model,
// everything else in the paragraph (its a:pPr, unknown elements) is kept.

#include <pugixml.hpp>

#include <QString>

#include <map>
#include <string>
#include <vector>

namespace quillora::deck::detail {

enum class BulletChange { Visible, Hidden, Unnumbered, Numbered };

class TextBody {
public:
    explicit TextBody(pugi::xml_node txBody);

    QString text() const { return m_text; }
    int length() const { return static_cast<int>(m_text.size()); }

    // Positions are 0-based here; callers keep them within 0..length().
    void replace(int start, int count, const QString& text);
    void setBullet(int start, int count, BulletChange change);
    void setFontSize(int start, int count, int hundredthsOfPoint);

    bool dirty() const { return m_dirty; }
    // True once anything was changed, also after the change was written back.
    bool changed() const { return m_changed; }
    void writeBack();

private:
    struct CharFormat {
        int format; // index into m_formats, -1 for none
        int field;  // index into m_fields, -1 for ordinary text
    };
    struct Paragraph {
        pugi::xml_node properties; // a:pPr in m_store, or empty
        pugi::xml_node extras;     // holder of unknown children, or empty
    };

    void readParagraph(pugi::xml_node p, int& endFormat);
    int internFormat(pugi::xml_node rPr);
    int formatWithSize(int format, int hundredths);
    int paragraphAt(int position) const;
    int endFormatOf(int paragraph) const;
    pugi::xml_node propertiesFor(Paragraph& paragraph);
    pugi::xml_node copyIntoStore(pugi::xml_node source);
    void writeParagraph(pugi::xml_node p, const Paragraph& paragraph, int from, int to, int endFormat);
    void appendRun(pugi::xml_node p, int format, int field, const QString& text);
    void appendFormat(pugi::xml_node parent, int format, const char* local, pugi::xml_node before = {});

    pugi::xml_node m_txBody;
    std::string m_prefix; // DrawingML prefix with its colon, "a:" as a rule
    pugi::xml_document m_store; // formats, paragraph properties, fields, extras
    std::vector<pugi::xml_node> m_formats;
    std::map<std::string, int> m_formatIndex;
    std::vector<pugi::xml_node> m_fields;
    void appendChar(char16_t c, int format, int field);

    QString m_text;                       // the string the automation model shows
    qsizetype m_paragraphEnds = 0;        // paragraph ends in m_text
    std::vector<CharFormat> m_charFormats; // one per character of m_text
    std::vector<Paragraph> m_paragraphs;
    int m_lastEndFormat = -1;
    bool m_dirty = false;
    bool m_changed = false;
    void markChanged() { m_dirty = m_changed = true; }
};

} // namespace quillora::deck::detail
