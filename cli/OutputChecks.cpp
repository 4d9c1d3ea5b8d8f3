#include "cli/OutputChecks.h"
#include "cli/CommandText.h"

#include "core/Quoted.h"
#include "core/RuntimeError.h"
#include "plan/SettingsFiles.h"

#include <QFileInfo>

namespace quillora {

QString outputNotWritableSentence(const QString& output)
{
    return CommandText::tr("the output %1 exists and you may not write to it, so it was left as it is")
        .arg(quoted(output));
}

QString outputIsFolderSentence(const QString& output)
{
    return CommandText::tr("the output %1 is a folder, not a file").arg(quoted(output));
}

std::vector<ProtectedFile> commandProtectedFiles(const QString& templatePath, const QString& planPath)
{
    return protectedFiles({{ProtectedRole::Template, templatePath}, {ProtectedRole::PlanFile, planPath}});
}

void checkOutput(const QString& output, const std::vector<ProtectedFile>& protectedFiles, const WriteProbe& mayWrite)
{
    const QFileInfo info(output);
    if (info.isDir())
        throw RuntimeError(outputIsFolderSentence(output));
    guardWrite(output, protectedFiles);
    // A link is written through, so its target is what must be writable.
    if (info.exists() && !(mayWrite ? mayWrite(output) : userMayWrite(output)))
        throw RuntimeError(outputNotWritableSentence(output));
}

} // namespace quillora
