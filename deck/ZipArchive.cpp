#include "deck/ZipArchive.h"

#include "deck/Deck.h"

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
        refuseNotZip(displayName);
    Archive archive(zip_open_from_source(source.get(), ZIP_RDONLY, &error));
    zip_error_fini(&error);
    if (!archive)
        refuseNotZip(displayName);
    source.release(); // the archive owns it now

    const zip_int64_t count = zip_get_num_entries(archive.get(), 0);
    if (count < 0 || count > limits.maxEntries)
        throw DeckError(QStringLiteral("%1 is damaged: it holds too many parts.").arg(displayName));

    std::vector<ZipEntry> entries;
    entries.reserve(static_cast<size_t>(count));
    std::int64_t total = 0;
    for (zip_int64_t i = 0; i < count; ++i) {
        const char* rawName = zip_get_name(archive.get(), static_cast<zip_uint64_t>(i), ZIP_FL_ENC_GUESS);
        if (!rawName)
            refuseNotZip(displayName);
        ZipEntry entry{QString::fromUtf8(rawName), {}, i};
        if (entry.name.endsWith(QLatin1Char('/')))
            continue;

        // The header's size is only a hint for the buffer; the limits are
        // enforced on what actually comes out of the inflater.
        zip_stat_t stat;
        zip_stat_init(&stat);
        if (zip_stat_index(archive.get(), static_cast<zip_uint64_t>(i), 0, &stat) == 0
            && (stat.valid & ZIP_STAT_SIZE)) {
            if (static_cast<std::int64_t>(stat.size) > limits.maxEntryBytes)
                refuseTooLarge(displayName, entry.name);
            entry.data.reserve(static_cast<qsizetype>(stat.size));
        }

        ZipFile file(zip_fopen_index(archive.get(), static_cast<zip_uint64_t>(i), 0));
        if (!file)
            throw DeckError(QStringLiteral("%1 is damaged: the part %2 cannot be read.").arg(displayName, entry.name));
        char chunk[64 * 1024];
        for (;;) {
            const zip_int64_t got = zip_fread(file.get(), chunk, sizeof chunk);
            if (got < 0)
                throw DeckError(QStringLiteral("%1 is damaged: the part %2 cannot be read.").arg(displayName, entry.name));
            if (got == 0)
                break;
            total += got;
            if (entry.data.size() + got > limits.maxEntryBytes || total > limits.maxTotalBytes)
                refuseTooLarge(displayName, entry.name);
            entry.data.append(chunk, static_cast<qsizetype>(got));
        }
        entries.push_back(std::move(entry));
    }
    return entries;
}

QByteArray writeZip(const std::vector<ZipEntry>& entries, const QByteArray& source)
{
    const auto fail = [] { return DeckError(QStringLiteral("The presentation could not be packed.")); };
    zip_error_t error;
    zip_error_init(&error);

    // Unchanged entries are copied from the source archive without being
    // inflated and deflated again, so it stays open until the new one is closed.
    Archive sourceArchive;
    if (!source.isEmpty()) {
        Source sourceBuffer(zip_source_buffer_create(source.constData(), static_cast<zip_uint64_t>(source.size()), 0, &error));
        if (sourceBuffer)
            sourceArchive.reset(zip_open_from_source(sourceBuffer.get(), ZIP_RDONLY, &error));
        if (!sourceArchive)
            throw fail();
        sourceBuffer.release();
    }

    Source target(zip_source_buffer_create(nullptr, 0, 0, &error));
    if (!target)
        throw fail();
    zip_t* archive = zip_open_from_source(target.get(), ZIP_TRUNCATE, &error);
    zip_error_fini(&error);
    if (!archive)
        throw fail();
    zip_source_keep(target.get()); // read the packed bytes after zip_close

    // zip_source_buffer does not copy: the entries outlive zip_close below.
    for (const ZipEntry& entry : entries) {
        const bool raw = entry.sourceIndex >= 0 && sourceArchive;
        zip_source_t* data = raw ? zip_source_zip(archive, sourceArchive.get(), static_cast<zip_uint64_t>(entry.sourceIndex), 0, 0, -1)
                                 : zip_source_buffer(archive, entry.data.constData(),
                                                     static_cast<zip_uint64_t>(entry.data.size()), 0);
        const QByteArray name = entry.name.toUtf8();
        const zip_int64_t index = data ? zip_file_add(archive, name.constData(), data, ZIP_FL_ENC_UTF_8) : -1;
        if (index < 0) {
            if (data)
                zip_source_free(data);
            zip_discard(archive);
            throw fail();
        }
        if (!raw) {
            // A slide of a few kilobytes is stored as it is: setting up a
            // deflate stream for it costs more time than the bytes it saves.
            const zip_int32_t method = entry.data.size() < kStoreBelowBytes ? ZIP_CM_STORE : ZIP_CM_DEFLATE;
            zip_set_file_compression(archive, static_cast<zip_uint64_t>(index), method, 6);
        }
    }
    if (zip_close(archive) != 0) {
        zip_discard(archive);
        throw fail();
    }

    zip_stat_t stat;
    zip_stat_init(&stat);
    if (zip_source_stat(target.get(), &stat) != 0 || zip_source_open(target.get()) != 0)
        throw fail();
    QByteArray packed(static_cast<qsizetype>(stat.size), Qt::Uninitialized);
    const zip_int64_t got = zip_source_read(target.get(), packed.data(), stat.size);
    zip_source_close(target.get());
    if (got != static_cast<zip_int64_t>(stat.size))
        throw fail();
    return packed;
}

} // namespace quillora::deck::detail
