#pragma once
// An Open Packaging Conventions package: named parts (the zip entries), the
// content types that say what each part is, and the relationships that tie
// parts together. Parts keep their bytes exactly as read until a part is
// replaced, so untouched parts are written back byte for byte.

#include <QByteArray>
#include <QHash>
#include <QString>
#include <QStringList>

#include <cstdint>
#include <vector>

namespace quillora::deck::detail {

struct Part {
    QString name; // zip entry name, no leading "/"
    QByteArray bytes;
    std::int64_t zipIndex = -1; // entry in the archive read, while unchanged
};

struct Relationship {
    QString id;
    QString type;
    QString target; // resolved part name, or the raw target when external
    bool external = false;
};

class OpcPackage {
public:
    // Throws DeckError (a legacy binary presentation, not a zip, limits).
    OpcPackage(const QByteArray& bytes, const QString& displayName);

    const QString& displayName() const { return m_displayName; }
    Part* find(const QString& name); // case-insensitive, as OPC names are
    const QByteArray& bytesOf(const QString& name); // DeckError naming the part when absent
    void replace(const QString& name, const QByteArray& bytes);
    // A new part; DeckError when the name is taken.
    void add(const QString& name, const QByteArray& bytes);

    // Content type from [Content_Types].xml: an Override, else the Default
    // for the extension; empty when neither says.
    QString contentType(const QString& partName);
    // Sets the part's Override in [Content_Types].xml, adding one if needed.
    void setContentType(const QString& partName, const QString& contentType);
    // Drops every part of one of these content types or reached by a
    // relationship of one of these types, together with the part's own
    // relationships. Nothing is left pointing at a dropped part: the
    // relationships to it go, and so do its Override and any Default that
    // only dropped parts used.
    void removeParts(const QStringList& contentTypes, const QStringList& relationshipTypes);
    // Relationships of a part ("" for the package itself).
    std::vector<Relationship> relationships(const QString& sourcePart);
    // The target of the source's first relationship of that type, or "".
    QString relatedPart(const QString& sourcePart, const QString& type);
    // Gives `copy` the relationships of `original` with the same ids, but
    // none of the types left out.
    void copyRelationships(const QString& original, const QString& copy, const QStringList& leftOutTypes);
    // A new relationship from the source part to another part; its id.
    QString addRelationship(const QString& sourcePart, const QString& type, const QString& targetPart);

    // [Content_Types].xml first, then the other parts in their original order.
    QByteArray toZip() const;

private:
    void reindex();

    QString m_displayName;
    QByteArray m_zip; // as read: unchanged parts are copied from it
    std::vector<Part> m_parts;
    QHash<QString, size_t> m_byFoldedName; // case-folded name -> its part (names are unique)
};

// "ppt/slides/slide1.xml" from source "ppt/presentation.xml" and target
// "slides/slide1.xml"; handles "..", "." and absolute targets.
QString resolvePartName(const QString& sourcePart, const QString& target);

inline constexpr char kOfficeDocumentRelationship[] =
    "http://schemas.openxmlformats.org/officeDocument/2006/relationships/officeDocument";
inline constexpr char kSlideLayoutRelationship[] =
    "http://schemas.openxmlformats.org/officeDocument/2006/relationships/slideLayout";
inline constexpr char kSlideMasterRelationship[] =
    "http://schemas.openxmlformats.org/officeDocument/2006/relationships/slideMaster";
inline constexpr char kSlideRelationship[] = "http://schemas.openxmlformats.org/officeDocument/2006/relationships/slide";
inline constexpr char kNotesSlideRelationship[] =
    "http://schemas.openxmlformats.org/officeDocument/2006/relationships/notesSlide";
inline constexpr char kThemeRelationship[] = "http://schemas.openxmlformats.org/officeDocument/2006/relationships/theme";

} // namespace quillora::deck::detail
