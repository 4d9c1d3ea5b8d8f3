#pragma once
// The door to the desktop's file dialogs. Production code asks through a
// Platform's FileChooser; tests answer from a script, so nothing blocks.

#include <QString>
#include <optional>

namespace quillora {

// Who asks before an existing file is replaced: the dialog, or the caller,
// which first checks that the file may be written at all (core/WriteGuard.h)
// and asks only then.
enum class ReplaceQuestion { AskedByDialog, AskedByCaller };

class FileChooser {
public:
    virtual ~FileChooser() = default;
    // Asks for an existing file to read. `filter` is in QFileDialog's form
    // ("Plan files (*.json)"). Nothing when the user cancels.
    virtual std::optional<QString> fileToOpen(const QString& title, const QString& filter) = 0;
    // Asks for a file to write, offering `suggested` (a path or a name).
    // Nothing when the user cancels.
    virtual std::optional<QString> fileToSave(const QString& title, const QString& suggested, const QString& filter,
                                              ReplaceQuestion question) = 0;
};

} // namespace quillora
