#include "builder/OfficeConversion.h"

#include "core/Quoted.h"
#include "core/RuntimeError.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QUrl>

namespace quillora {

void writeProfileSettings(const QString& profile)
{
    const QString user = QDir(profile).filePath(QStringLiteral("user"));
    QFile settings(QDir(user).filePath(QStringLiteral("registrymodifications.xcu")));
    static const QByteArray kSettings =
        "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
        "<oor:items xmlns:oor=\"http://openoffice.org/2001/registry\" "
        "xmlns:xs=\"http://www.w3.org/2001/XMLSchema\" xmlns:xsi=\"http://www.w3.org/2001/XMLSchema-instance\">\n"
        "<item oor:path=\"/org.openoffice.Office.Common/Security/Scripting\">"
        "<prop oor:name=\"MacroSecurityLevel\" oor:op=\"fuse\"><value>3</value></prop></item>\n"
        "<item oor:path=\"/org.openoffice.Office.Common/Security/Scripting\">"
        "<prop oor:name=\"DisableMacrosExecution\" oor:op=\"fuse\"><value>true</value></prop></item>\n"
        "</oor:items>\n";
    if (!QDir().mkpath(user) || !settings.open(QIODevice::WriteOnly) || settings.write(kSettings) != kSettings.size()
        || !settings.flush())
        throw RuntimeError(OfficeConversion::tr("cannot prepare LibreOffice's settings in \"%1\": %2")
                               .arg(user, settings.errorString()));
}

std::optional<QString> officeOnlyFormat(const QByteArray& bytes)
{
    if (bytes.startsWith(QByteArray("\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1", 8)))
        return QStringLiteral("ppt");
    // An OpenDocument package opens with its stored "mimetype" entry.
    if (bytes.startsWith("PK\x03\x04") && bytes.mid(30, 8) == "mimetype"
        && bytes.mid(38, 60).contains("application/vnd.oasis.opendocument"))
        return QStringLiteral("odp");
    return std::nullopt;
}

QByteArray convertedToPptx(const QByteArray& bytes, const QString& suffix, const QString& deckPath,
                           const OfficeConverter& office)
{
    if (office.soffice.isEmpty() || !office.runner) {
        throw RuntimeError(OfficeConversion::tr("the deck %1 is not a .pptx deck, and LibreOffice, which would "
                                                "convert it, is not installed")
                               .arg(quoted(deckPath)));
    }
    QTemporaryDir work;
    const QDir folder(work.path());
    const QString input = folder.filePath(QStringLiteral("deck.") + suffix);
    const QString outFolder = folder.filePath(QStringLiteral("pptx"));
    QFile copy(input);
    if (!work.isValid() || !QDir().mkpath(outFolder) || !copy.open(QIODevice::WriteOnly)
        || copy.write(bytes) != bytes.size() || !copy.flush())
        throw RuntimeError(OfficeConversion::tr("cannot prepare the deck for conversion in %1").arg(quoted(work.path())));
    copy.close();
    const QString profile = folder.filePath(QStringLiteral("office-profile"));
    writeProfileSettings(profile);
    const ProcessOutcome outcome = office.runner->run(
        office.soffice,
        {QStringLiteral("--headless"), QStringLiteral("--norestore"),
         QStringLiteral("-env:UserInstallation=") + QUrl::fromLocalFile(profile).toString(),
         QStringLiteral("--convert-to"), QStringLiteral("pptx"), QStringLiteral("--outdir"), outFolder, input},
        kOfficeTimeoutMs, office.tick);
    if (outcome.stopped)
        throw RuntimeError(OfficeConversion::tr("the conversion of the deck %1 was stopped").arg(quoted(deckPath)));
    QFile converted(QDir(outFolder).filePath(QStringLiteral("deck.pptx")));
    if (!outcome.started || outcome.timedOut || outcome.exitCode != 0 || !converted.open(QIODevice::ReadOnly)
        || converted.size() == 0)
        throw RuntimeError(OfficeConversion::tr("LibreOffice could not convert the deck %1 to .pptx").arg(quoted(deckPath)));
    return converted.readAll();
}

} // namespace quillora
