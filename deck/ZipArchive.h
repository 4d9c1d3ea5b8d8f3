#pragma once
// The zip container of a package, read and written whole in memory with
// libzip. Reading refuses archives that would unpack to absurd sizes, and
// checks the bytes actually inflated, not just what the headers claim.

#include <QByteArray>
#include <QString>

#include <cstdint>
#include <vector>

namespace quillora::deck::detail {

struct ZipEntry {
    QString name; // as stored, e.g. "ppt/slides/slide1.xml"
    QByteArray data;
    // Position in the archive it was read from. When writing, an entry with
    // a source index is copied from the source archive still compressed,
    // and its data is not used.
    std::int64_t sourceIndex = -1;
};

struct ZipLimits {
    std::int64_t maxEntryBytes = 64ll << 20;  // one part unpacked
    std::int64_t maxTotalBytes = 256ll << 20; // the whole package unpacked
    // A slide is two parts (its XML and its relationships), and decks of
    // 10 000 slides must open; the byte limits bound the memory anyway.
    std::int64_t maxEntries = 100000;
};

// Throws DeckError when the bytes are not a zip archive or break a limit.
// Folder entries are skipped; order is the archive's own.
std::vector<ZipEntry> readZip(const QByteArray& bytes, const QString& displayName,
                              const ZipLimits& limits = {});

// An archive holding the entries in the given order: new data deflated (or
// stored, when small), entries with a source index copied raw from source
// (the bytes readZip read).
QByteArray writeZip(const std::vector<ZipEntry>& entries, const QByteArray& source = {});

} // namespace quillora::deck::detail
