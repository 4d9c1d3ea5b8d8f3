#include "cli/OutputChecks.h"
#include "cli/CommandText.h"

#include "core/Quoted.h"
#include "core/RuntimeError.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <sys/stat.h>
#include <unistd.h>

namespace quillora {

bool userMayWrite(const QString& path)
{
    // access(2) asks the kernel with this process's real rights, mounts and
    // file attributes included; the mode bits alone would be wrong for root.
    return ::access(QFile::encodeName(path).constData(), W_OK) == 0;
}

bool sameFile(const QString& a, const QString& b)
{
    struct stat first{}, second{};
    if (::stat(QFile::encodeName(a).constData(), &first) == 0
        && ::stat(QFile::encodeName(b).constData(), &second) == 0)
        return first.st_dev == second.st_dev && first.st_ino == second.st_ino;
    // One of them does not exist (yet): compare where the paths lead.
    auto resolved = [](const QString& path) {
        const QFileInfo info(path);
        const QString canonical = info.canonicalFilePath();
        return canonical.isEmpty() ? QDir::cleanPath(info.absoluteFilePath()) : canonical;
    };
    return resolved(a) == resolved(b);
}

QString outputIsInputSentence(const QString& output, const ReadFile& input)
{
    return CommandText::tr("the output %1 is the %2 %3 itself, which this command only reads; name another output file")
        .arg(quoted(output), input.role, quoted(input.path));
}

QString outputNotWritableSentence(const QString& output)
{
    return CommandText::tr("the output %1 exists and you may not write to it, so it was left as it is")
        .arg(quoted(output));
}

QString outputIsFolderSentence(const QString& output)
{
    return CommandText::tr("the output %1 is a folder, not a file").arg(quoted(output));
}

void checkOutput(const QString& output, const std::vector<ReadFile>& inputs, const WriteProbe& mayWrite)
{
    const QFileInfo info(output);
    if (info.isDir())
        throw RuntimeError(outputIsFolderSentence(output));
    for (const ReadFile& input : inputs) {
        if (!input.path.isEmpty() && sameFile(output, input.path))
            throw RuntimeError(outputIsInputSentence(output, input));
    }
    // A link is written through, so its target is what must be writable.
    if (info.exists() && !(mayWrite ? mayWrite(output) : userMayWrite(output)))
        throw RuntimeError(outputNotWritableSentence(output));
}

} // namespace quillora
