#pragma once
// Whether the desktop has an application for a file, asked of the
// freedesktop.org MIME database before a file is handed over. The desktop's
// opener starts detached and reports success even when no application takes
// the file, so without this question a deck could vanish without a word.

#include <QString>

namespace quillora {

enum class HandlerAnswer { Yes, No, Unknown };

// Yes or No when `xdg-mime` can tell; Unknown where it is missing or fails
// (another desktop, no MIME database), in which case the caller just tries.
HandlerAnswer desktopHasHandlerFor(const QString& path);

} // namespace quillora
