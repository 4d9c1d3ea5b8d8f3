#pragma once
// Builds presentation packages in memory, part by part, so the hostile-input
// tests and the fuzzers can make exactly the damaged file they need without
// binary files in the repository.

#include <QByteArray>
#include <QHash>
#include <QString>

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
    // "Rectangle 3" with "Body n".
    static PackageParts minimalDeck(int slideCount);

    void set(const QString& name, const QByteArray& data); // adds or replaces
    void remove(const QString& name);
    QByteArray part(const QString& name) const;

    // The package as a zip file (deflated entries, names as given).
    QByteArray zip() const;
    // The same with one more entry whose content is `size` bytes: `head`,
    // then `fill` repeated, then `tail`, streamed so the test never holds it.
    QByteArray zipWithStreamedPart(const QString& name, const QByteArray& head, char fill, const QByteArray& tail,
                                   qint64 size) const;

private:
    std::vector<std::pair<QString, QByteArray>> m_parts; // in archive order
    QHash<QString, qsizetype> m_index;                   // name -> position
};

// Rewrites the uncompressed size that the local and central headers of the
// named entry claim (the data itself stays as it is).
QByteArray withClaimedSize(QByteArray zip, const QString& name, quint32 claimedSize);

// Renames an entry in place in both headers; the names must be of equal
// length. Lets a test make names libzip would refuse or tidy up.
QByteArray withRenamedEntry(QByteArray zip, const QByteArray& from, const QByteArray& to);

} // namespace quillora::testing
