// Putting a finished file in place: the destination ends up as the whole new
// file, or stays as it was with a sentence naming it.

#include "cli/AtomicOutput.h"
#include "core/Quoted.h"
#include "core/RuntimeError.h"
#include "tests/support/TestFiles.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>

#include <functional>
#include <sys/stat.h>

using namespace quillora;
using quillora::testing::readFile;
using quillora::testing::writeFile;

namespace {

QByteArray pattern(qsizetype size)
{
    QByteArray bytes(size, '\0');
    for (qsizetype i = 0; i < size; ++i)
        bytes[i] = static_cast<char>(i * 7 + i / 251);
    return bytes;
}

QStringList filesIn(const QTemporaryDir& dir)
{
    return QDir(dir.path()).entryList(QDir::Files | QDir::Hidden | QDir::System);
}

TEST(AtomicOutput, EverySizeArrivesWholeFromAFileOrFromMemory)
{
    for (const qsizetype size : {qsizetype(0), qsizetype(1), qsizetype((1 << 20) - 1), qsizetype(1 << 20),
                                 qsizetype((1 << 20) + 1), qsizetype((3 << 20) + 7)}) {
        SCOPED_TRACE(size);
        QTemporaryDir dir;
        const QByteArray bytes = pattern(size);
        const QString source = dir.filePath(QStringLiteral("finished.pdf"));
        writeFile(source, bytes);
        publishFile(source, dir.filePath(QStringLiteral("deck.pdf")));
        publishBytes(bytes, dir.filePath(QStringLiteral("deck.pptx")));
        EXPECT_EQ(readFile(dir.filePath(QStringLiteral("deck.pdf"))), bytes);
        EXPECT_EQ(readFile(dir.filePath(QStringLiteral("deck.pptx"))), bytes);
        EXPECT_EQ(filesIn(dir), (QStringList{"deck.pdf", "deck.pptx", "finished.pdf"}));
    }
}

TEST(AtomicOutput, AReplacedFileKeepsItsModeAndALinkIsWrittenThrough)
{
    QTemporaryDir dir;
    const QString kept = dir.filePath(QStringLiteral("kept.pptx"));
    writeFile(kept, "old");
    ASSERT_EQ(::chmod(QFile::encodeName(kept).constData(), 0640), 0);
    publishBytes("new", kept);
    EXPECT_EQ(readFile(kept), QByteArray("new"));
    struct stat status{};
    ASSERT_EQ(::stat(QFile::encodeName(kept).constData(), &status), 0);
    EXPECT_EQ(status.st_mode & 07777, 0640u);

    const QString fresh = dir.filePath(QStringLiteral("fresh.pptx"));
    const mode_t mask = ::umask(022);
    ::umask(mask);
    publishBytes("x", fresh);
    ASSERT_EQ(::stat(QFile::encodeName(fresh).constData(), &status), 0);
    EXPECT_EQ(status.st_mode & 07777, 0666u & ~mask);

    const QString link = dir.filePath(QStringLiteral("link.pptx"));
    ASSERT_TRUE(QFile::link(kept, link));
    publishBytes("through", link);
    EXPECT_TRUE(QFileInfo(link).isSymLink());
    EXPECT_EQ(readFile(kept), QByteArray("through"));
}

TEST(AtomicOutput, AFailureNamesTheFileAndLeavesTheDestinationAsItWas)
{
    QTemporaryDir dir;
    const QString destination = dir.filePath(QStringLiteral("deck.pdf"));
    writeFile(destination, "old");
    const QString source = dir.filePath(QStringLiteral("finished.pdf"));
    writeFile(source, "new");
    const auto failure = [&](const std::function<void()>& publish) {
        try {
            publish();
        } catch (const RuntimeError& error) {
            return error.description();
        }
        return QStringLiteral("no failure");
    };

    const QString missing = dir.filePath(QStringLiteral("missing.pdf"));
    const QString nowhere = dir.filePath(QStringLiteral("no/deck.pdf"));
    // The finished file is read first: its reason, whatever the destination.
    for (const QString& to : {destination, nowhere}) {
        EXPECT_EQ(failure([&] { publishFile(missing, to); }),
                  QStringLiteral("cannot read the finished file %1: No such file or directory").arg(quoted(missing)));
    }
    EXPECT_EQ(failure([&] { publishBytes("x", nowhere); }),
              QStringLiteral("cannot write %1: No such file or directory").arg(quoted(nowhere)));
    EXPECT_EQ(readFile(destination), QByteArray("old"));
    EXPECT_EQ(filesIn(dir), (QStringList{"deck.pdf", "finished.pdf"}));
}

} // namespace
