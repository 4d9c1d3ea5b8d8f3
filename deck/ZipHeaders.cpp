#include "deck/ZipHeaders.h"

#include <algorithm>
#include <cstdint>

namespace quillora::deck::detail {
namespace {

constexpr qsizetype kEndRecordBytes = 22;
constexpr qsizetype kMaxCommentBytes = 0xFFFF;
constexpr qsizetype kZip64LocatorBytes = 20;
constexpr qsizetype kCentralRecordBytes = 46;
constexpr qsizetype kLocalHeaderBytes = 30;
constexpr std::uint16_t kZip64ExtraField = 0x0001;

// Little-endian reads that refuse to leave the buffer.
class Reader {
public:
    explicit Reader(const QByteArray& bytes) : m_bytes(bytes) {}

    bool has(std::uint64_t at, std::uint64_t length) const
    {
        const auto size = static_cast<std::uint64_t>(m_bytes.size());
        return at <= size && length <= size - at;
    }
    std::uint64_t le(std::uint64_t at, int width) const
    {
        std::uint64_t value = 0;
        for (int i = width - 1; i >= 0; --i)
            value = (value << 8) | static_cast<unsigned char>(m_bytes[static_cast<qsizetype>(at) + i]);
        return value;
    }
    bool signatureAt(std::uint64_t at, const char* signature) const
    {
        return has(at, 4) && m_bytes.mid(static_cast<qsizetype>(at), 4) == QByteArray(signature, 4);
    }
    QByteArray bytes(std::uint64_t at, std::uint64_t length) const
    {
        return m_bytes.mid(static_cast<qsizetype>(at), static_cast<qsizetype>(length));
    }

private:
    const QByteArray& m_bytes;
};

struct Directory {
    std::uint64_t entries = 0;
    std::uint64_t offset = 0;
};

// The central directory named by the last end record, through the Zip64
// end record when the plain one says its fields overflowed.
std::optional<Directory> findDirectory(const QByteArray& zip, const Reader& in)
{
    const qsizetype searchFrom = std::max<qsizetype>(0, zip.size() - kEndRecordBytes - kMaxCommentBytes);
    if (zip.size() < kEndRecordBytes)
        return std::nullopt;
    const qsizetype end = zip.lastIndexOf(QByteArray("PK\x05\x06", 4), zip.size() - kEndRecordBytes);
    if (end < searchFrom)
        return std::nullopt;
    const auto at = static_cast<std::uint64_t>(end);
    Directory directory{in.le(at + 10, 2), in.le(at + 16, 4)};
    if (directory.entries != 0xFFFF && directory.offset != 0xFFFFFFFF)
        return directory;
    if (at < kZip64LocatorBytes || !in.signatureAt(at - kZip64LocatorBytes, "PK\x06\x07"))
        return std::nullopt;
    const std::uint64_t zip64End = in.le(at - kZip64LocatorBytes + 8, 8);
    if (!in.signatureAt(zip64End, "PK\x06\x06") || !in.has(zip64End, 56))
        return std::nullopt;
    return Directory{in.le(zip64End + 32, 8), in.le(zip64End + 48, 8)};
}

// The local header's offset from the Zip64 extra field, which holds, in
// this order, only the values whose plain field overflowed.
std::optional<std::uint64_t> zip64Offset(const Reader& in, std::uint64_t record, std::uint64_t extra,
                                         std::uint64_t extraLength)
{
    for (std::uint64_t at = extra; at + 4 <= extra + extraLength;) {
        const std::uint64_t id = in.le(at, 2);
        const std::uint64_t length = in.le(at + 2, 2);
        if (at + 4 + length > extra + extraLength)
            return std::nullopt;
        if (id == kZip64ExtraField) {
            std::uint64_t field = at + 4;
            if (in.le(record + 24, 4) == 0xFFFFFFFF)
                field += 8; // uncompressed size
            if (in.le(record + 20, 4) == 0xFFFFFFFF)
                field += 8; // compressed size
            if (field + 8 > at + 4 + length)
                return std::nullopt;
            return in.le(field, 8);
        }
        at += 4 + length;
    }
    return std::nullopt;
}

} // namespace

std::optional<std::vector<HeaderNames>> readHeaderNames(const QByteArray& zip)
{
    const Reader in(zip);
    const std::optional<Directory> directory = findDirectory(zip, in);
    if (!directory)
        return std::nullopt;
    // Every record takes at least its fixed part: a count the file cannot
    // hold is not believed, nor reserved for.
    if (directory->entries > static_cast<std::uint64_t>(zip.size()) / kCentralRecordBytes)
        return std::nullopt;
    std::vector<HeaderNames> names;
    names.reserve(static_cast<size_t>(directory->entries));
    std::uint64_t record = directory->offset;
    for (std::uint64_t i = 0; i < directory->entries; ++i) {
        if (!in.signatureAt(record, "PK\x01\x02") || !in.has(record, kCentralRecordBytes))
            return std::nullopt;
        const std::uint64_t nameLength = in.le(record + 28, 2);
        const std::uint64_t extraLength = in.le(record + 30, 2);
        const std::uint64_t commentLength = in.le(record + 32, 2);
        const std::uint64_t name = record + kCentralRecordBytes;
        if (!in.has(name, nameLength + extraLength + commentLength))
            return std::nullopt;
        std::optional<std::uint64_t> local = in.le(record + 42, 4);
        if (*local == 0xFFFFFFFF)
            local = zip64Offset(in, record, name + nameLength, extraLength);
        // The local header's signature is not asked for: libzip reads the
        // entry without it, and a saved deck gets headers of its own.
        if (!local || !in.has(*local, kLocalHeaderBytes))
            return std::nullopt;
        const std::uint64_t localNameLength = in.le(*local + 26, 2);
        if (!in.has(*local + kLocalHeaderBytes, localNameLength))
            return std::nullopt;
        names.push_back({in.bytes(name, nameLength), in.bytes(*local + kLocalHeaderBytes, localNameLength)});
        record = name + nameLength + extraLength + commentLength;
    }
    return names;
}

} // namespace quillora::deck::detail
