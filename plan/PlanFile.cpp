#include "plan/PlanFile.h"
#include "plan/JsonRepeatedKeys.h"
#include "plan/PlanKeys.h"
#include "core/Quoted.h"
#include "core/RegularFile.h"

#include "plan/SectionCatalogue.h"
#include "core/RuntimeError.h"

#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QJsonParseError>
#include <QStringList>

namespace quillora {
namespace {

const QString kProductName = QLatin1String(kProductNameField);
const QString kPlanTitle = QLatin1String(kPlanTitleField);
const QString kSections = QLatin1String(kSectionsField);
const QString kLineBreaks = QLatin1String(kLineBreaksField);

QString typeName(const QJsonValue& value)
{
    switch (value.type()) {
    case QJsonValue::Null: return QStringLiteral("null");
    case QJsonValue::Bool: return PlanFileText::tr("true or false");
    case QJsonValue::Double: return PlanFileText::tr("a number");
    case QJsonValue::String: return PlanFileText::tr("a string");
    case QJsonValue::Array: return PlanFileText::tr("an array");
    case QJsonValue::Object: return PlanFileText::tr("an object");
    case QJsonValue::Undefined: break;
    }
    return PlanFileText::tr("nothing");
}

// Qt reports a byte offset; people look for a line and a column.
QString positionOf(const QByteArray& json, int offset)
{
    offset = qBound(0, offset, int(json.size()));
    int line = 1, column = 1;
    for (int i = 0; i < offset; ++i) {
        if (json[i] == '\n') {
            ++line;
            column = 1;
        } else if ((static_cast<unsigned char>(json[i]) & 0xC0) != 0x80) {
            ++column; // count characters, not UTF-8 continuation bytes
        }
    }
    return PlanFileText::tr("line %1, column %2").arg(line).arg(column);
}

class PlanFileError {
public:
    explicit PlanFileError(QString fileName) : m_fileName(std::move(fileName)) {}
    [[noreturn]] void raise(const QString& what) const
    {
        throw RuntimeError(PlanFileText::tr("the plan file %1 %2").arg(quoted(m_fileName), what));
    }

private:
    QString m_fileName;
};

std::optional<Section> sectionNamed(const QString& name)
{
    for (const Section& section : allSections()) {
        if (section.captionText() == name || section.key() == name)
            return section;
    }
    return std::nullopt;
}

QString simplified(const QString& text)
{
    return text.simplified().toCaseFolded();
}

// A near miss ("Launch Strategies" with one space, other letter case) gets
// the exact caption as a hint.
QString unknownSectionMessage(const QString& name)
{
    QString message = PlanFileText::tr("names an unknown section %1").arg(quoted(name));
    for (const Section& section : allSections()) {
        if (simplified(section.captionText()) == simplified(name))
            return message + PlanFileText::tr(" (did you mean %1?)").arg(quoted(section.captionText()));
    }
    return message + PlanFileText::tr(" (sections are named by their tab caption, such as \"Market Summary\", "
                                    "or by their setting key, such as \"FirstStatementMkt_0\")");
}

QString optionalText(const QJsonObject& root, const QString& field, const PlanFileError& error)
{
    const QJsonValue value = root.value(field);
    if (value.isUndefined())
        return QString();
    if (!value.isString())
        error.raise(PlanFileText::tr("has %1 as %2 where a string belongs").arg(typeName(value), quoted(field)));
    return value.toString();
}

QString statementFrom(const QString& caption, const QJsonValue& value, bool exact, const PlanFileError& error)
{
    const auto lineText = [exact](const QString& text) { return exact ? text : normaliseLineBreaks(text); };
    if (value.isString())
        return lineText(value.toString());
    if (!value.isArray()) {
        error.raise(PlanFileText::tr("has %1 for section %2 where a string or an array of strings belongs")
                        .arg(typeName(value), quoted(caption)));
    }
    QStringList lines;
    const QJsonArray array = value.toArray();
    for (qsizetype i = 0; i < array.size(); ++i) {
        if (!array[i].isString()) {
            error.raise(PlanFileText::tr("has %1 as line %2 of section %3 where a string belongs")
                            .arg(typeName(array[i]))
                            .arg(i + 1)
                            .arg(quoted(caption)));
        }
        lines << lineText(array[i].toString());
    }
    return lines.join(QStringLiteral("\r\n"));
}

} // namespace

QString normaliseLineBreaks(const QString& text)
{
    // Plain replacements, not a regular expression: those match nothing in a
    // text that holds a lone surrogate.
    QString result = text;
    result.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    result.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    result.replace(QLatin1Char('\n'), QStringLiteral("\r\n"));
    return result;
}

PlanDocument parsePlanJson(const QByteArray& json, const QString& fileName)
{
    const PlanFileError error(fileName);
    QJsonParseError parseError;
    const QJsonDocument document = QJsonDocument::fromJson(json, &parseError);
    if (parseError.error != QJsonParseError::NoError) {
        error.raise(PlanFileText::tr("is not valid JSON (%1 at %2)")
                        .arg(parseError.errorString(), positionOf(json, parseError.offset)));
    }
    if (!document.isObject())
        error.raise(PlanFileText::tr("must hold one JSON object, not %1").arg(document.isArray() ? PlanFileText::tr("an array") : PlanFileText::tr("a bare value")));

    if (const std::optional<RepeatedKey> repeated = firstRepeatedKey(json)) {
        if (repeated->object.isEmpty())
            error.raise(PlanFileText::tr("has the field %1 twice").arg(quoted(repeated->key)));
        error.raise(PlanFileText::tr("has %1 twice in %2").arg(quoted(repeated->key), quoted(repeated->object)));
    }

    const QJsonObject root = document.object();
    for (auto it = root.begin(); it != root.end(); ++it) {
        if (it.key() != kProductName && it.key() != kPlanTitle && it.key() != kSections && it.key() != kLineBreaks) {
            error.raise(PlanFileText::tr("has an unknown field %1 (known fields: \"productName\", \"planTitle\", "
                                       "\"sections\", \"lineBreaks\")")
                            .arg(quoted(it.key())));
        }
    }

    PlanDocument plan;
    plan.hasProductName = root.contains(kProductName);
    plan.hasPlanTitle = root.contains(kPlanTitle);
    plan.productName = optionalText(root, kProductName, error);
    plan.planTitle = optionalText(root, kPlanTitle, error);
    const bool exact = root.contains(kLineBreaks);
    if (exact && optionalText(root, kLineBreaks, error) != QLatin1String(kExactLineBreaks)) {
        error.raise(PlanFileText::tr("has %1 as \"lineBreaks\" where only \"exact\" belongs")
                        .arg(quoted(root.value(kLineBreaks).toString())));
    }

    const QJsonValue sections = root.value(kSections);
    if (sections.isUndefined())
        return plan;
    if (!sections.isObject())
        error.raise(PlanFileText::tr("has %1 as \"sections\" where an object belongs").arg(typeName(sections)));

    const QJsonObject sectionObject = sections.toObject();
    for (auto it = sectionObject.begin(); it != sectionObject.end(); ++it) {
        const std::optional<Section> section = sectionNamed(it.key());
        if (!section)
            error.raise(unknownSectionMessage(it.key()));
        const QString key = section->key();
        if (plan.statements.count(key)) {
            error.raise(PlanFileText::tr("names section %1 twice (by caption and by setting key)")
                            .arg(quoted(section->captionText())));
        }
        plan.statements[key] = statementFrom(it.key(), it.value(), exact, error);
    }
    return plan;
}

PlanDocument readPlanFile(const QString& path)
{
    QFile file(path);
    if (const std::optional<ReadRefusal> refusal = openRegularFile(file)) {
        if (refusal->notRegular) {
            throw RuntimeError(PlanFileText::tr("the plan file \"%1\" is %2, not a file")
                                   .arg(path, entryKindPhrase(*refusal->notRegular)));
        }
        throw RuntimeError(PlanFileText::tr("cannot read the plan file \"%1\": %2").arg(path, refusal->reason));
    }
    // Read one byte more than the limit to tell "at the limit" from "over it".
    const QByteArray json = file.read(kPlanFileLimitBytes + 1);
    if (json.size() > kPlanFileLimitBytes) {
        throw RuntimeError(PlanFileText::tr("the plan file \"%1\" is larger than %2 MiB, more than any plan needs")
                               .arg(path)
                               .arg(kPlanFileLimitBytes >> 20));
    }
    if (file.error() != QFileDevice::NoError)
        throw RuntimeError(PlanFileText::tr("cannot read the plan file \"%1\": %2").arg(path, file.errorString()));
    return parsePlanJson(json, path);
}

} // namespace quillora
