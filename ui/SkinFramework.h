#pragma once
// The program's skin engine. A skin file is a Qt style sheet; loading reads
// it (a file that cannot be read or is not text fails), applying sets it on
// a window, which restyles the window and everything on it.

#include <QString>

class QWidget;

namespace quillora {

class SkinFramework {
public:
    // Reads the skin file: one style sheet, one skin.
    void loadSkin(const QString& path);
    bool loaded() const { return m_loaded; }
    const QString& styleSheet() const { return m_styleSheet; }

    // Applies the loaded skin to the window. Throws when nothing was loaded.
    void applyToWindow(QWidget& window);

private:
    QString m_styleSheet;
    bool m_loaded = false;
};

} // namespace quillora
