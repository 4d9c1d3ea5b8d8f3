#pragma once
// The sixteen fixed sections of a marketing plan: which tab strip and tab
// each sits on, its caption, the setting key of its statement, the hint
// text a new section starts with, and the slide and shape of the template
// its statement fills. This table is the only place these texts
// live. The English caption names the section in plan files; the window
// shows the caption and hint in the desktop's language, and a hint typed
// over or kept is stored as shown.

#include <QString>
#include <array>
#include <optional>

namespace quillora {

enum class Strip { First, Second }; // firstSectionTabs and secondSectionTabs on the main window

struct Section {
    Strip strip;
    int tab;              // 0..7 on its strip
    const char* caption;  // UTF-8, exactly as shown on the tab
    const char* hintUtf8; // lines joined by "\r\n", none at the end
    int slide;             // 1-based slide of the template the statement is written onto
    const char* shapeName; // the shape on that slide that takes it

    QString captionText() const { return QString::fromUtf8(caption); }
    QString hint() const { return QString::fromUtf8(hintUtf8); }
    // The caption and hint as the window shows them: translated when a
    // translation is loaded, else the English ones above.
    QString shownCaption() const;
    QString shownHint() const;
    QString key() const;
    // 0..15 in catalogue order.
    int index() const;
};

inline constexpr int kTabsPerStrip = 8;
inline constexpr int kSectionCount = 16;

// Prefix + tab index in decimal: "FirstStatementMkt_0" ... "SecondStatementMkt_7".
QString statementKey(Strip strip, int tab);

// The section at (strip, tab); nothing for a tab outside 0..7.
std::optional<Section> findSection(Strip strip, int tab);

// The section whose statement is stored under key; nothing for any other key.
std::optional<Section> findSection(const QString& key);

// All sixteen in catalogue order: firstSectionTabs's eight, then secondSectionTabs's eight.
const std::array<Section, kSectionCount>& allSections();

} // namespace quillora
