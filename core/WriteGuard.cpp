#include "core/WriteGuard.h"

#include "core/Quoted.h"
#include "core/RuntimeError.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <sys/stat.h>
#include <unistd.h>

namespace quillora {

// The guard's sentences are told under this context.
struct WriteGuardText {
    Q_DECLARE_TR_FUNCTIONS(WriteGuard)
};

namespace {

// More links than this in a row is a loop; the kernel gives up at 40 too.
constexpr int kMaxLinks = 40;

struct Identity {
    dev_t device = 0;
    ino_t inode = 0;
    bool operator==(const Identity&) const = default;
};

std::optional<Identity> identityOf(const QString& path)
{
    struct stat status{};
    if (::stat(QFile::encodeName(path).constData(), &status) != 0)
        return std::nullopt;
    return Identity{status.st_dev, status.st_ino};
}

// Where a write to a path lands: the file it reaches (when there is one) and
// the folder and name it would be made under.
struct Landing {
    std::optional<Identity> file;
    std::optional<Identity> folder;
    QString folderPath; // canonical when the folder exists
    QString name;

    bool sameFolderAs(const Landing& other) const
    {
        if (folder || other.folder)
            return folder && folder == other.folder;
        return folderPath == other.folderPath;
    }
    bool sameAs(const Landing& other) const
    {
        return (file && file == other.file) || (sameFolderAs(other) && !name.isEmpty() && name == other.name);
    }
};

// A link's target, read as the kernel reads it, also when it points at
// nothing; nothing when the path is not a link.
std::optional<QString> linkTarget(const QString& path)
{
    struct stat status{};
    const QByteArray encoded = QFile::encodeName(path);
    if (::lstat(encoded.constData(), &status) != 0 || !S_ISLNK(status.st_mode))
        return std::nullopt;
    QByteArray target(qMax<qsizetype>(status.st_size, 255) + 1, '\0');
    const ssize_t size = ::readlink(encoded.constData(), target.data(), size_t(target.size()));
    if (size <= 0 || size >= target.size())
        return std::nullopt;
    target.truncate(size);
    return QFile::decodeName(target);
}

Landing landingOf(const QString& path)
{
    // Links are followed by hand so that one pointing at a name that does
    // not exist yet still leads to where the write would make it. ".." is
    // left to the kernel: after a linked folder it means the link's target's
    // parent, which no text-only cleaning knows.
    QString current = QFileInfo(path).absoluteFilePath();
    for (int links = 0; links < kMaxLinks; ++links) {
        const std::optional<QString> target = linkTarget(current);
        if (!target)
            break;
        current = QDir::isAbsolutePath(*target) ? *target : QFileInfo(current).absolutePath() + u'/' + *target;
    }
    Landing landing;
    landing.file = identityOf(current);
    const qsizetype slash = current.lastIndexOf(u'/');
    landing.name = current.mid(slash + 1);
    if (landing.name == u"." || landing.name == u"..")
        landing.name.clear(); // a folder: only its identity can match
    const QString folder = slash <= 0 ? QStringLiteral("/") : current.left(slash);
    landing.folder = identityOf(folder);
    const QString canonical = QFileInfo(folder).canonicalFilePath();
    landing.folderPath = canonical.isEmpty() ? QDir::cleanPath(folder) : canonical;
    return landing;
}

// A name beside a settings file that continues its name after a dot.
bool belongsTo(const Landing& output, const Landing& settings)
{
    if (settings.name.isEmpty() || !output.sameFolderAs(settings))
        return false;
    const QString prefix = settings.name + u'.';
    if (output.name.startsWith(prefix))
        return true;
    // A hard link elsewhere to one of them that exists now.
    if (!output.file || !settings.folder)
        return false;
    const QDir folder(settings.folderPath);
    for (const QString& name : folder.entryList({prefix + u'*'}, QDir::AllEntries | QDir::Hidden | QDir::System)) {
        if (identityOf(folder.filePath(name)) == output.file)
            return true;
    }
    return false;
}

QString exactSentence(ProtectedRole role, const QString& output)
{
    switch (role) {
    case ProtectedRole::PlanSettings:
        return WriteGuardText::tr("%1 is the settings file that keeps your plan; write to another file").arg(output);
    case ProtectedRole::WindowSettings:
        return WriteGuardText::tr("%1 is the settings file that keeps the window's size and place; write to another "
                                  "file")
            .arg(output);
    case ProtectedRole::WindowClaim:
        return WriteGuardText::tr("%1 is the lock that keeps a second window off your plan; write to another file")
            .arg(output);
    case ProtectedRole::Template:
        return WriteGuardText::tr("%1 is the template in use, which is read and never written; write to another file")
            .arg(output);
    case ProtectedRole::PlanFile:
        return WriteGuardText::tr("%1 is the plan file being read, which is never written; write to another file")
            .arg(output);
    case ProtectedRole::DeckRead:
        return WriteGuardText::tr("%1 is the deck being read, which is never written; write to another file").arg(output);
    }
    return {};
}

QString companionSentence(ProtectedRole role, const Landing& output, const Landing& settings, const QString& shown)
{
    if (role == ProtectedRole::WindowSettings) {
        return WriteGuardText::tr("%1 is kept for the lock and the temporary copies of the settings file that keeps "
                                  "the window's size and place; write to another file")
            .arg(shown);
    }
    // QSettings takes "<file>.lock" while it replaces the file.
    if (output.name == settings.name + QStringLiteral(".lock"))
        return WriteGuardText::tr("%1 is the lock of the settings file that keeps your plan; write to another file")
            .arg(shown);
    return WriteGuardText::tr("%1 is kept for the temporary copies and the backups of the settings file that keeps "
                              "your plan; write to another file")
        .arg(shown);
}

} // namespace

std::optional<QString> writeRefusal(const QString& output, const std::vector<ProtectedFile>& protectedFiles)
{
    const Landing landing = landingOf(output);
    std::vector<std::pair<ProtectedRole, Landing>> places;
    for (const ProtectedFile& file : protectedFiles) {
        if (!file.path.isEmpty())
            places.emplace_back(file.role, landingOf(file.path));
    }
    for (const auto& [role, place] : places) {
        if (landing.sameAs(place))
            return exactSentence(role, quoted(output));
    }
    for (const auto& [role, place] : places) {
        const bool settings = role == ProtectedRole::PlanSettings || role == ProtectedRole::WindowSettings;
        if (settings && belongsTo(landing, place))
            return companionSentence(role, landing, place, quoted(output));
    }
    return std::nullopt;
}

void guardWrite(const QString& output, const std::vector<ProtectedFile>& protectedFiles)
{
    if (const std::optional<QString> refusal = writeRefusal(output, protectedFiles))
        throw RuntimeError(*refusal);
}

bool sameFile(const QString& a, const QString& b)
{
    return landingOf(a).sameAs(landingOf(b));
}

bool userMayWrite(const QString& path)
{
    return ::access(QFile::encodeName(path).constData(), W_OK) == 0;
}

} // namespace quillora
