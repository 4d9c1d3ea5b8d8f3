#include "plan/PlanFileWriter.h"

#include "core/Quoted.h"
#include "core/RuntimeError.h"
#include "plan/PlanFile.h"
#include "plan/SectionCatalogue.h"

#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QSaveFile>
#include <QStringList>

namespace quillora {
namespace {

// A JSON string literal, escaped by Qt's own writer. Qt's reader drops a
// U+FEFF that opens a string as if it were a byte order mark, so that one
// character is written escaped.
QByteArray jsonString(const QString& text)
{
    QByteArray array = QJsonDocument(QJsonArray{text}).toJson(QJsonDocument::Compact);
    array.replace("\xef\xbb\xbf", "\\ufeff");
    return array.mid(1, array.size() - 2);
}

QByteArray field(const char* name)
{
    return jsonString(QString::fromUtf8(name)) + ": ";
}

// QJsonObject would sort the keys; written by hand, the titles come first
// and the sections stay in the order of their tabs.
QByteArray statementLines(const QString& statement, const QByteArray& indent)
{
    // Split on "\r\n" only: any other break stays inside its line.
    const QStringList lines = statement.split(QStringLiteral("\r\n"));
    QByteArray json = "[\n";
    for (qsizetype i = 0; i < lines.size(); ++i)
        json += indent + "    " + jsonString(lines[i]) + (i + 1 < lines.size() ? ",\n" : "\n");
    return json + indent + ']';
}

} // namespace

QByteArray planFileJson(const PlanDocument& plan)
{
    QList<QByteArray> fields;
    fields << field(kLineBreaksField) + jsonString(QLatin1String(kExactLineBreaks));
    if (plan.hasProductName)
        fields << field(kProductNameField) + jsonString(plan.productName);
    if (plan.hasPlanTitle)
        fields << field(kPlanTitleField) + jsonString(plan.planTitle);

    QList<QByteArray> sections;
    for (const Section& section : allSections()) {
        const auto stated = plan.statements.find(section.key());
        if (stated != plan.statements.end())
            sections << "        " + jsonString(section.captionText()) + ": " + statementLines(stated->second, "        ");
    }
    fields << field(kSectionsField) + (sections.isEmpty() ? "{}" : "{\n" + sections.join(",\n") + "\n    }");
    return "{\n    " + fields.join(",\n    ") + "\n}\n";
}

void writePlanFile(const QString& path, const PlanDocument& plan)
{
    const QFileInfo target(path);
    if (target.isDir())
        throw RuntimeError(PlanFileText::tr("the plan file %1 is a folder, not a file").arg(quoted(path)));
    // QSaveFile would replace a read-only file by renaming over it. A file
    // marked read-only for everyone is refused even to the superuser.
    constexpr QFileDevice::Permissions kAnyWrite = QFileDevice::WriteOwner | QFileDevice::WriteGroup | QFileDevice::WriteOther;
    if (target.exists() && (!target.isWritable() || !(target.permissions() & kAnyWrite)))
        throw RuntimeError(PlanFileText::tr("the plan file %1 may not be written").arg(quoted(path)));
    const QByteArray json = planFileJson(plan);
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(json) != json.size() || !file.commit()) {
        throw RuntimeError(
            PlanFileText::tr("cannot write the plan file %1: %2").arg(quoted(path), file.errorString()));
    }
}

} // namespace quillora
