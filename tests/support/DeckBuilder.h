#pragma once
// Builds presentation packages in memory, part by part or from a recipe of
// slides, so the engine's tests, the hostile-input tests and the fuzzers can
// make exactly the (possibly damaged) file they need without binary files in
// the repository.

#include <QByteArray>
#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>

#include <utility>
#include <vector>

namespace quillora::testing {

struct ShapeSpec {
    QString name;
    QString text; // one paragraph per "\r"-free line; empty: no text at all
};

// The XML of one slide holding the given text shapes, back to front.
QByteArray slideXml(const std::vector<ShapeSpec>& shapes);

class PackageParts {
public:
    // A small valid deck: slide n holds "Title 1" with "Slide n" and
    // "Rectangle 3" with "Body n". Every package made here lays its slides
    // out by one master's blank layout.
    static PackageParts minimalDeck(int slideCount);

    // The parts of a zip file, in archive order (throws std::runtime_error
    // when libzip cannot read it).
    static PackageParts fromZip(const QByteArray& zip);

    void set(const QString& name, const QByteArray& data); // adds or replaces
    void remove(const QString& name);
    QByteArray part(const QString& name) const;

    // The package as a zip file (deflated entries, names as given).
    QByteArray zip() const;
    // The same with one more entry whose content is `size` bytes: `head`,
    // then `fill` repeated, then `tail`, streamed so the test never holds it.
    QByteArray zipWithStreamedPart(const QString& name, const QByteArray& head, char fill, const QByteArray& tail,
                                   qint64 size) const;

    // A package of the given slide parts, presented in `order` (indexes
    // into slides; empty: as listed).
    static PackageParts withSlides(const std::vector<QByteArray>& slides, const QList<int>& order = {});

    // Makes the package macro-enabled as PowerPoint writes one: the main
    // part of the given content type, ppt/vbaProject.bin with its
    // relationship and a signature (ppt/vbaProjectSignature.bin). The
    // project is typed by the "bin" Default, or by an Override when
    // binDefault names another type, which ppt/embeddings/oleObject1.bin
    // then goes by.
    void addVbaProject(const QByteArray& mainContentType, const QByteArray& binDefault = {});

private:
    std::vector<std::pair<QString, QByteArray>> m_parts; // in archive order
    QHash<QString, qsizetype> m_index;                   // name -> position
};

// A p:sp with a text body; paragraphsXml is the a:p elements.
QString textShape(int id, const QString& name, const QString& paragraphsXml = QStringLiteral("<a:p/>"));
// A picture (no text frame).
QString pictureShape(int id, const QString& name);

// Parts for decks whose text inherits from a layout, a master and a theme of
// the test's own (set them over a package's ppt/slideMasters/slideMaster1.xml,
// ppt/slideLayouts/slideLayout1.xml and ppt/theme/theme1.xml):
// the master with the given p:spTree content and p:txStyles content,
QByteArray masterXml(const QString& shapes, const QString& textStyles);
// the layout with the given p:spTree content,
QByteArray layoutXml(const QString& shapes);
// a theme whose heading and body fonts are these.
QByteArray themeXml(const QString& majorFont, const QString& minorFont);

struct DeckRecipe {
    QStringList slides;          // spTree content of slide1.xml, slide2.xml, ...
    QList<int> order;            // presentation order as indexes into slides; empty = as listed
    QStringList extraParts;      // "name=content" pairs stored as-is (unknown parts)
};
QByteArray makeDeck(const DeckRecipe& recipe);

// Rewrites the uncompressed size that the local and central headers of the
// named entry claim (the data itself stays as it is).
QByteArray withClaimedSize(QByteArray zip, const QString& name, quint32 claimedSize);

// Renames an entry in place in both headers; the names must be of equal
// length. Lets a test make names libzip would refuse or tidy up.
QByteArray withRenamedEntry(QByteArray zip, const QByteArray& from, const QByteArray& to);
// The same in the entry's local header only: the central directory keeps
// the old name, and readers that go by one or the other disagree.
QByteArray withLocalHeaderName(QByteArray zip, const QByteArray& from, const QByteArray& to);

} // namespace quillora::testing
