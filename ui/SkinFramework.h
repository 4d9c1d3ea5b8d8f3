#pragma once
// The program's skin engine. A skin file is a Qt style sheet; loading reads
// it (a file that cannot be read or is not text fails), applying sets it on
// a window, which restyles the window and everything on it.

#include <QString>

class QWidget;

namespace quillora {

class SkinFramework {
public:
    // Reads the skin file. iniName names a section of a multi-skin file; our
    // style sheets hold one skin, so it is accepted and unused.
    void loadSkin(const QString& path, const QString& iniName);
    bool loaded() const { return m_loaded; }
    const QString& styleSheet() const { return m_styleSheet; }

    // Options the start-up switches on before applying. A style sheet says
    // itself what it styles, so they are recorded, not interpreted: bit 1 of
    // the options for child controls, then colours and metrics.
    int applyOptions() const { return m_applyOptions; }
    void setApplyOptions(int options) { m_applyOptions = options; }
    bool applyColors() const { return m_applyColors; }
    void setApplyColors(bool on) { m_applyColors = on; }
    bool applyMetrics() const { return m_applyMetrics; }
    void setApplyMetrics(bool on) { m_applyMetrics = on; }

    // Applies the loaded skin to the window. Throws when nothing was loaded.
    void applyToWindow(QWidget& window);

private:
    QString m_styleSheet;
    bool m_loaded = false;
    int m_applyOptions = 0;
    bool m_applyColors = false;
    bool m_applyMetrics = false;
};

} // namespace quillora
