#include "builder/WorkingCopy.h"
#include "core/DataFiles.h"
#include "core/RuntimeError.h"

#include <QDir>
#include <QFile>
#include <QSaveFile>

namespace quillora {

QString templateDeckPath(Environment& environment)
{
    return findDataFile(environment.programFolder(), {kTemplateFileName});
}

QString workingCopyPath(Environment& environment)
{
    std::optional<QString> folder = environment.variable(QStringLiteral("TEMP"));
    if (!folder || folder->isEmpty())
        folder = environment.tempFolder();
    return *folder + QDir::separator() + QLatin1String(kWorkingCopyFileName);
}

void copyReplacing(const QString& source, const QString& destination)
{
    QFile in(source);
    if (!in.open(QIODevice::ReadOnly))
        throw RuntimeError(RuntimeError::tr("File not found: %1").arg(QDir::toNativeSeparators(source)));
    const QByteArray bytes = in.readAll();
    if (in.error() != QFileDevice::NoError)
        throw RuntimeError(RuntimeError::tr("Cannot read %1: %2").arg(QDir::toNativeSeparators(source), in.errorString()));

    QSaveFile out(destination);
    if (!out.open(QIODevice::WriteOnly) || out.write(bytes) != bytes.size() || !out.commit())
        throw RuntimeError(
            RuntimeError::tr("Cannot write %1: %2").arg(QDir::toNativeSeparators(destination), out.errorString()));
}

} // namespace quillora
