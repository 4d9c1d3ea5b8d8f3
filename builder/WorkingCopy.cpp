#include "builder/WorkingCopy.h"
#include "core/DataFiles.h"
#include "core/Quoted.h"
#include "core/RegularFile.h"
#include "core/RuntimeError.h"
#include "plan/SettingsFiles.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QFile>
#include <QSaveFile>

#include <unistd.h>

namespace quillora {

// What keeps a run from starting is told under this context.
struct WorkingCopyText {
    Q_DECLARE_TR_FUNCTIONS(WorkingCopy)
};

QString templateDeckPath(Environment& environment)
{
    return findDataFile(environment.programFolder(), {kTemplateFileName});
}

QString standardTemplatePath(Environment& environment)
{
    return findProgramDataFile(environment.programFolder(), {kTemplateFileName});
}

std::vector<ProtectedFile> windowProtectedFiles(Environment& environment)
{
    return protectedFiles({{ProtectedRole::Template, userTemplatePath()},
                           {ProtectedRole::Template, standardTemplatePath(environment)}});
}

QString workingCopyPath(Environment& environment)
{
    std::optional<QString> folder = environment.variable(QStringLiteral("TEMP"));
    if (!folder || folder->isEmpty())
        folder = environment.tempFolder();
    return *folder + QDir::separator() + QLatin1String(kWorkingCopyFileName);
}

std::optional<QString> workingCopyRefusal(Environment& environment)
{
    const QString workingCopy = workingCopyPath(environment);
    const QFileInfo folder(QFileInfo(workingCopy).absolutePath());
    const QString shown = quoted(QDir::toNativeSeparators(folder.filePath()));
    if (!folder.exists()) {
        return WorkingCopyText::tr("The deck cannot be made: the temporary folder %1 does not exist.\nSet TEMP to a "
                                   "folder you may write and start Quillora again.")
            .arg(shown);
    }
    if (!folder.isDir()) {
        return WorkingCopyText::tr("The deck cannot be made: the temporary folder %1 is not a folder.\nSet TEMP to a "
                                   "folder you may write and start Quillora again.")
            .arg(shown);
    }
    // Writing a file there takes both rights on the folder.
    if (::access(QFile::encodeName(folder.filePath()).constData(), W_OK | X_OK) != 0) {
        return WorkingCopyText::tr("The deck cannot be made: you may not write to the temporary folder %1.\nSet TEMP "
                                   "to a folder you may write and start Quillora again.")
            .arg(shown);
    }
    const std::vector<ProtectedFile> protectedFiles = windowProtectedFiles(environment);
    if (const std::optional<QString> refusal = writeRefusal(workingCopy, protectedFiles)) {
        return WorkingCopyText::tr("The deck cannot be made: the working copy %1.\nSet TEMP to another folder you "
                                   "may write and start Quillora again.")
            .arg(*refusal);
    }
    return std::nullopt;
}

void copyReplacing(const QString& source, const QString& destination)
{
    QFile in(source);
    if (const std::optional<ReadRefusal> refusal = openRegularFile(in)) {
        if (refusal->notRegular) {
            throw RuntimeError(RuntimeError::tr("%1 is %2, not a file")
                                   .arg(QDir::toNativeSeparators(source), entryKindPhrase(*refusal->notRegular)));
        }
        throw RuntimeError(RuntimeError::tr("File not found: %1").arg(QDir::toNativeSeparators(source)));
    }
    const QByteArray bytes = in.readAll();
    if (in.error() != QFileDevice::NoError)
        throw RuntimeError(RuntimeError::tr("Cannot read %1: %2").arg(QDir::toNativeSeparators(source), in.errorString()));

    QSaveFile out(destination);
    if (!out.open(QIODevice::WriteOnly) || out.write(bytes) != bytes.size() || !out.commit())
        throw RuntimeError(
            RuntimeError::tr("Cannot write %1: %2").arg(QDir::toNativeSeparators(destination), out.errorString()));
}

} // namespace quillora
