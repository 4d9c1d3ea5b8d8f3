#pragma once
// Finds an object that names the same key twice in a JSON text. Qt's parser
// keeps the last of them without a word, so a plan file edited by hand could
// lose a section's text silently; the reader refuses such a file instead.

#include <QByteArray>
#include <QString>
#include <optional>

namespace quillora {

struct RepeatedKey {
    QString key;
    QString object; // the key that holds the object (or its array); empty for the outermost
};

// The first key met a second time in the same object, keys compared after
// their escapes are decoded ("a" and "\u0061" are one key). Expects text
// that QJsonDocument has already parsed without error.
std::optional<RepeatedKey> firstRepeatedKey(const QByteArray& json);

} // namespace quillora
