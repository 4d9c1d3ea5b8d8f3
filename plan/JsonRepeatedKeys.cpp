#include "plan/JsonRepeatedKeys.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QSet>

#include <vector>

namespace quillora {
namespace {

struct OpenContainer {
    bool isObject = false;
    bool expectingKey = false;
    QString name; // the key that holds this container, or the array it is in
    QSet<QString> keys;
};

// The text of a string token, quotes included: only escaped text needs
// Qt's decoder.
QString decodedString(const QByteArray& token)
{
    if (!token.contains('\\'))
        return QString::fromUtf8(token.constData() + 1, token.size() - 2);
    const QJsonDocument holder = QJsonDocument::fromJson('[' + token + ']');
    return holder.array().at(0).toString();
}

} // namespace

std::optional<RepeatedKey> firstRepeatedKey(const QByteArray& json)
{
    std::vector<OpenContainer> open;
    QString lastKey;
    for (qsizetype i = 0; i < json.size(); ++i) {
        const char c = json[i];
        if (c == '"') {
            const qsizetype start = i;
            for (++i; i < json.size() && json[i] != '"'; ++i) {
                if (json[i] == '\\')
                    ++i; // the escaped character, a quote among them
            }
            if (open.empty() || !open.back().isObject || !open.back().expectingKey)
                continue; // a value
            OpenContainer& object = open.back();
            object.expectingKey = false;
            lastKey = decodedString(json.mid(start, i - start + 1));
            if (object.keys.contains(lastKey))
                return RepeatedKey{lastKey, object.name};
            object.keys.insert(lastKey);
        } else if (c == '{' || c == '[') {
            OpenContainer container;
            container.isObject = c == '{';
            container.expectingKey = container.isObject;
            if (!open.empty())
                container.name = open.back().isObject ? lastKey : open.back().name;
            open.push_back(std::move(container));
        } else if (c == '}' || c == ']') {
            if (!open.empty())
                open.pop_back();
        } else if (c == ',') {
            if (!open.empty() && open.back().isObject)
                open.back().expectingKey = true;
        }
    }
    return std::nullopt;
}

} // namespace quillora
