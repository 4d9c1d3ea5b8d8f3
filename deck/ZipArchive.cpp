#include "deck/ZipArchive.h"

#include "deck/Deck.h"
#include "deck/PackageRefusals.h"
#include "deck/ZipHeaders.h"

#include <zip.h>

#include <memory>

namespace quillora::deck::detail {
namespace {

constexpr qsizetype kStoreBelowBytes = 32 * 1024;

struct ArchiveCloser {
    void operator()(zip_t* archive) const { zip_discard(archive); }
};
using Archive = std::unique_ptr<zip_t, ArchiveCloser>;

struct FileCloser {
    void operator()(zip_file_t* file) const { zip_fclose(file); }
};
using ZipFile = std::unique_ptr<zip_file_t, FileCloser>;

struct SourceFree {
    void operator()(zip_source_t* source) const { zip_source_free(source); }
};
using Source = std::unique_ptr<zip_source_t, SourceFree>;

[[noreturn]] void refuseNotZip(const QString& displayName)
{
    throw DeckError(QStringLiteral("%1 is not a presentation file.").arg(displayName));
}

[[noreturn]] void refuseTooLarge(const QString& displayName, const QString& entry)
{
    throw DeckError(QStringLiteral("%1 is damaged: the part %2 is too large.").arg(displayName, entry));
}

// libzip's own words for what went wrong, e.g. "CRC error".
QString reasonOf(zip_error_t* error)
{
    return QString::fromUtf8(zip_error_strerror(error));
}

[[noreturn]] void refuseUnreadable(const QString& displayName, const QString& entry, zip_error_t* error)
{
    throw DeckError(QStringLiteral("%1 is damaged: the part %2 cannot be read (libzip: %3).")
                        .arg(displayName, entry, reasonOf(error)));
}

[[noreturn]] void refusePacking(const QString& what, zip_error_t* error)
{
    throw DeckError(QStringLiteral("The presentation could not be packed: %1 (libzip: %2).").arg(what, reasonOf(error)));
}

// Whether the entry's stored bytes can go into a new archive as they are.
// libzip copies them with the sizes and checksum of the source's central
// directory, so those must describe what was actually inflated, and the
// compressed bytes they claim must all be there. Inflating may succeed
// where a raw copy would not: a deflate stream ends on its own marker,
// whatever the header says about its length.
bool copiesAsItStands(zip_t* archive, zip_uint64_t index, const zip_stat_t& stat, qsizetype inflatedBytes)
{
    constexpr zip_uint64_t kNeeded = ZIP_STAT_SIZE | ZIP_STAT_COMP_SIZE | ZIP_STAT_CRC | ZIP_STAT_COMP_METHOD;
    if ((stat.valid & kNeeded) != kNeeded || stat.size != static_cast<zip_uint64_t>(inflatedBytes))
        return false;
    if ((stat.valid & ZIP_STAT_ENCRYPTION_METHOD) && stat.encryption_method != ZIP_EM_NONE)
        return false;
    if (stat.comp_method == ZIP_CM_STORE && stat.comp_size != stat.size)
        return false;
    ZipFile raw(zip_fopen_index(archive, index, ZIP_FL_COMPRESSED));
    if (!raw)
        return false;
    zip_uint64_t total = 0;
    char chunk[64 * 1024];
    for (;;) {
        const zip_int64_t got = zip_fread(raw.get(), chunk, sizeof chunk);
        if (got < 0)
            return false;
        if (got == 0)
            break;
        total += static_cast<zip_uint64_t>(got);
    }
    return total == stat.comp_size;
}

} // namespace

std::vector<ZipEntry> readZip(const QByteArray& bytes, const QString& displayName,
                              const ZipLimits& limits)
{
    // Every zip starts with a local file header ("PK\3\4") or, when empty,
    // with the end record ("PK\5\6"). Checked here because libzip takes an
    // empty buffer for an empty archive.
    if (!bytes.startsWith("PK\x03\x04") && !bytes.startsWith("PK\x05\x06"))
        refuseNotZip(displayName);
    zip_error_t error;
    zip_error_init(&error);
    Source source(zip_source_buffer_create(bytes.constData(), static_cast<zip_uint64_t>(bytes.size()), 0, &error));
    if (!source)
        throw DeckError(QStringLiteral("%1 cannot be read (libzip: %2).").arg(displayName, reasonOf(&error)));
    Archive archive(zip_open_from_source(source.get(), ZIP_RDONLY, &error));
    if (!archive) {
        const QString reason = reasonOf(&error);
        zip_error_fini(&error);
        throw DeckError(QStringLiteral("%1 is not a presentation file (libzip: %2).").arg(displayName, reason));
    }
    zip_error_fini(&error);
    source.release(); // the archive owns it now

    const zip_int64_t count = zip_get_num_entries(archive.get(), 0);
    if (count < 0 || count > limits.maxEntries)
        throw DeckError(QStringLiteral("%1 is damaged: it holds too many parts.").arg(displayName));
    // libzip takes the first end record it finds in the archive's tail,
    // most readers the last: both must lead to the same entries.
    const std::optional<std::vector<HeaderNames>> headerNames = readHeaderNames(bytes);
    if (!headerNames || headerNames->size() != static_cast<size_t>(count))
        throw DeckError(directoryReadsTwoWays(displayName));

    std::vector<ZipEntry> entries;
    entries.reserve(static_cast<size_t>(count));
    std::int64_t total = 0;
    for (zip_int64_t i = 0; i < count; ++i) {
        const char* rawName = zip_get_name(archive.get(), static_cast<zip_uint64_t>(i), ZIP_FL_ENC_GUESS);
        if (!rawName)
            throw DeckError(QStringLiteral("%1 is damaged: the name of entry %2 cannot be read (libzip: %3).")
                                .arg(displayName)
                                .arg(i + 1)
                                .arg(reasonOf(zip_get_error(archive.get()))));
        const HeaderNames& names = (*headerNames)[static_cast<size_t>(i)];
        const char* storedName = zip_get_name(archive.get(), static_cast<zip_uint64_t>(i), ZIP_FL_ENC_RAW);
        if (!storedName || names.central != QByteArray(storedName))
            throw DeckError(directoryReadsTwoWays(displayName));
        ZipEntry entry{QString::fromUtf8(rawName), {}, i};
        if (names.local != names.central)
            throw DeckError(partStoredUnderAnotherName(displayName, entry.name, QString::fromUtf8(names.local)));
        if (entry.name.endsWith(QLatin1Char('/')))
            continue;

        // The header's size is only a hint for the buffer; the limits are
        // enforced on what actually comes out of the inflater.
        zip_stat_t stat;
        zip_stat_init(&stat);
        if (zip_stat_index(archive.get(), static_cast<zip_uint64_t>(i), 0, &stat) != 0)
            stat.valid = 0;
        if (stat.valid & ZIP_STAT_SIZE) {
            if (static_cast<std::int64_t>(stat.size) > limits.maxEntryBytes)
                refuseTooLarge(displayName, entry.name);
            entry.data.reserve(static_cast<qsizetype>(stat.size));
        }

        ZipFile file(zip_fopen_index(archive.get(), static_cast<zip_uint64_t>(i), 0));
        if (!file)
            refuseUnreadable(displayName, entry.name, zip_get_error(archive.get()));
        char chunk[64 * 1024];
        for (;;) {
            const zip_int64_t got = zip_fread(file.get(), chunk, sizeof chunk);
            if (got < 0)
                refuseUnreadable(displayName, entry.name, zip_file_get_error(file.get()));
            if (got == 0)
                break;
            total += got;
            if (entry.data.size() + got > limits.maxEntryBytes || total > limits.maxTotalBytes)
                refuseTooLarge(displayName, entry.name);
            entry.data.append(chunk, static_cast<qsizetype>(got));
        }
        // Everything was inflated and checked; an entry whose headers do not
        // describe it is packed afresh from these bytes when saved.
        if (!copiesAsItStands(archive.get(), static_cast<zip_uint64_t>(i), stat, entry.data.size()))
            entry.sourceIndex = -1;
        entries.push_back(std::move(entry));
    }
    return entries;
}

QByteArray writeZip(const std::vector<ZipEntry>& entries, const QByteArray& source)
{
    zip_error_t error;
    zip_error_init(&error);
    // zip_error_t holds no resources until a system error's text is asked
    // for; this frees that text on every way out.
    const std::unique_ptr<zip_error_t, void (*)(zip_error_t*)> errorGuard(&error, zip_error_fini);

    // Unchanged entries are copied from the source archive without being
    // inflated and deflated again, so it stays open until the new one is closed.
    Archive sourceArchive;
    if (!source.isEmpty()) {
        Source sourceBuffer(zip_source_buffer_create(source.constData(), static_cast<zip_uint64_t>(source.size()), 0, &error));
        if (sourceBuffer)
            sourceArchive.reset(zip_open_from_source(sourceBuffer.get(), ZIP_RDONLY, &error));
        if (!sourceArchive)
            refusePacking(QStringLiteral("the presentation read cannot be opened again"), &error);
        sourceBuffer.release();
    }

    Source target(zip_source_buffer_create(nullptr, 0, 0, &error));
    if (!target)
        refusePacking(QStringLiteral("no archive can be made"), &error);
    Archive archive(zip_open_from_source(target.get(), ZIP_TRUNCATE, &error));
    if (!archive)
        refusePacking(QStringLiteral("no archive can be made"), &error);
    zip_source_keep(target.get()); // read the packed bytes after zip_close

    // zip_source_buffer does not copy: the entries outlive zip_close below.
    for (const ZipEntry& entry : entries) {
        const bool raw = entry.sourceIndex >= 0 && sourceArchive;
        zip_source_t* data = raw ? zip_source_zip(archive.get(), sourceArchive.get(),
                                                  static_cast<zip_uint64_t>(entry.sourceIndex), 0, 0, -1)
                                 : zip_source_buffer(archive.get(), entry.data.constData(),
                                                     static_cast<zip_uint64_t>(entry.data.size()), 0);
        const QByteArray name = entry.name.toUtf8();
        const zip_int64_t index = data ? zip_file_add(archive.get(), name.constData(), data, ZIP_FL_ENC_UTF_8) : -1;
        if (index < 0) {
            if (data)
                zip_source_free(data);
            refusePacking(QStringLiteral("the part %1 cannot be added").arg(entry.name), zip_get_error(archive.get()));
        }
        if (!raw) {
            // A slide of a few kilobytes is stored as it is: setting up a
            // deflate stream for it costs more time than the bytes it saves.
            const zip_int32_t method = entry.data.size() < kStoreBelowBytes ? ZIP_CM_STORE : ZIP_CM_DEFLATE;
            zip_set_file_compression(archive.get(), static_cast<zip_uint64_t>(index), method, 6);
        }
    }
    // zip_close frees the archive only when it succeeds; otherwise the
    // Archive discards it, after its error has been read.
    if (zip_close(archive.get()) != 0)
        refusePacking(QStringLiteral("the archive cannot be written"), zip_get_error(archive.get()));
    archive.release();

    zip_stat_t stat;
    zip_stat_init(&stat);
    if (zip_source_stat(target.get(), &stat) != 0 || zip_source_open(target.get()) != 0)
        refusePacking(QStringLiteral("the packed archive cannot be read back"), zip_source_error(target.get()));
    QByteArray packed(static_cast<qsizetype>(stat.size), Qt::Uninitialized);
    const zip_int64_t got = zip_source_read(target.get(), packed.data(), stat.size);
    zip_source_close(target.get());
    if (got != static_cast<zip_int64_t>(stat.size))
        refusePacking(QStringLiteral("the packed archive cannot be read back"), zip_source_error(target.get()));
    return packed;
}

} // namespace quillora::deck::detail
