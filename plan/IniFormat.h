#pragma once
// The settings file's text as QSettings writes it (its INI format): the store
// writes the file itself, so that a refused write is told with the system's
// own reason, and every version of the program, reading it with QSettings,
// finds its values as before.

#include <QByteArray>
#include <QString>
#include <QVariant>
#include <map>

namespace quillora {

// Setting key ("group/key" for a key in a group) -> value, as QSettings reads them.
using IniValues = std::map<QString, QVariant>;

// The whole file: keys outside any group under [General], each group in a
// section of its own, keys in order, "\n" at each line's end.
QByteArray iniFileText(const IniValues& values);

// One key and one value as they stand in the file.
QByteArray iniEscapedKey(const QString& key);
QByteArray iniValueText(const QVariant& value);

} // namespace quillora
