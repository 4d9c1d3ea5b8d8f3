#pragma once
// The plan store: the program's only persistent data, a flat set of named
// text values kept per user under application "Tarnvale", section "Quillora".
// Every write reaches the disk before it returns; nothing is cached here.

#include "core/RuntimeError.h"

#include <QString>
#include <memory>
#include <optional>
#include <utility>
#include <vector>

namespace quillora {

// Where QSettings keeps the plan: organisation and application. The window's
// own settings go under the same organisation.
inline constexpr char kSettingsOrganization[] = "Tarnvale";
inline constexpr char kSettingsApplication[] = "Quillora";

// Values to store, in the order they were given.
using PlanValues = std::vector<std::pair<QString, QString>>;

// The store could not be read or written. The description is the system's
// own reason ("No space left on device", "Permission denied", ...).
class PlanStoreError : public RuntimeError {
public:
    enum class Operation { Read, Write };
    PlanStoreError(Operation operation, QString reason, QString filePath)
        : RuntimeError(std::move(reason)), m_operation(operation), m_filePath(std::move(filePath))
    {
    }
    Operation operation() const { return m_operation; }
    const QString& reason() const { return description(); }
    // The settings file (or registry key) the store keeps the plan in.
    const QString& filePath() const { return m_filePath; }

private:
    Operation m_operation;
    QString m_filePath;
};

// The plan store: where the values physically live. The program and the
// command each open the user's store once and hand it to whatever reads or
// writes the plan; a plan file or a test brings a store of its own.
class PlanStore {
public:
    virtual ~PlanStore() = default;
    // False when nothing is stored under the key. Throws PlanStoreError when
    // the store cannot be read.
    virtual bool read(const QString& key, QString& value) = 0;
    // Throws PlanStoreError when the value could not be made durable.
    virtual void write(const QString& key, const QString& value) = 0;
    // Stores the values one after the other; a store that can stores them
    // at once, all or none.
    virtual void writeAll(const PlanValues& values)
    {
        for (const auto& [key, value] : values)
            write(key, value);
    }
    // The copy kept, in this run, of a settings file that could not be read
    // as settings, before anything was written over it; empty when none.
    virtual QString keptDamagedCopy() const { return {}; }

    // The value stored under the key, else the default.
    QString value(const QString& key, const QString& defaultValue = QString());
    // The value stored under the key; nothing when none is (not even empty text).
    std::optional<QString> stored(const QString& key);
};

// The user's own store: a file in QSettings' INI format under the user's
// configuration folder on Linux and macOS, written by the store itself so
// that a refused write names its own reason; the registry key that earlier
// Windows versions wrote, through QSettings, on Windows.
std::unique_ptr<PlanStore> openUserPlanStore();

// Where the QSettings store lives (a file on Linux): it names the plan a
// window holds, whichever backend is in use.
QString planStoreFile();

} // namespace quillora
