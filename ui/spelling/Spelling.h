#pragma once
// Spelling in the statement boxes: marks the words the dictionary does not
// know while the user writes, offers suggestions, "Add to Dictionary" and
// "Ignore All" in the boxes' context menus, and keeps the "Check Spelling"
// switch, remembered in the settings under a key of its own.
//
// The dictionary follows the window's language when one is installed for
// it, else English; with none, nothing is marked and nothing is said.

#include "core/SpellChecking.h"
#include "ui/spelling/SpellCheck.h"

#include <QList>
#include <QLocale>
#include <QObject>
#include <QTextCursor>

class QAction;
class QMenu;
class QThread;

namespace quillora {

class SpellHighlighter;
class PlanStore;
class StatementBox;

// Beside the plan's keys in the same store, in a group of its own: "1" or "0".
inline constexpr char kSpellingEnabledKey[] = "Spelling/enabled";

class Spelling : public QObject {
    Q_OBJECT

public:
    // `dictionaries` may be null: then nothing is marked. The switch is
    // remembered in `store`. Nothing is opened before openDictionary().
    Spelling(SpellDictionaries* dictionaries, PlanStore& store, const QLocale& windowLanguage,
             QObject* parent = nullptr);
    ~Spelling() override;

    // Opens the dictionary for the window's language on a thread of its
    // own (once); marking starts when it is open.
    void openDictionary();

    // Marks the box's words and gives it the spelling context menu.
    void attach(StatementBox& box);

    // The "Check Spelling" check item for the window's menus.
    QAction* checkSpellingAction() const { return m_checkAction; }
    // A disabled item naming the dictionary's language, to go below it.
    QAction* languageAction() const { return m_languageAction; }
    // The tag of the dictionary in use ("en_US"), empty when there is none
    // (or while it is being opened).
    QString language() const { return m_language; }

    // The context menu for a text position in the box: spelling entries
    // first when the word there is marked, then the box's standard entries.
    QMenu* contextMenu(StatementBox& box, const QTextCursor& at);

    // True while some paragraph of the box still waits for its check, or
    // the dictionary is being opened.
    bool checking(const StatementBox& box) const;

private:
    void useOpenedDictionary();
    void setMarking(bool on);
    void rehighlightAll();
    SpellHighlighter* highlighterOf(const StatementBox& box) const;

    PlanStore& m_store;
    QString m_language;
    SpellCheck m_check;
    // Until openDictionary() takes them.
    SpellDictionaries* m_dictionaries;
    QLocale m_windowLanguage;
    // Set by the opening thread, taken over when it has finished.
    QThread* m_opening = nullptr;
    QString m_openedLanguage;
    std::unique_ptr<SpellDictionary> m_opened;
    QList<SpellHighlighter*> m_highlighters;
    QAction* m_checkAction = nullptr;
    QAction* m_languageAction = nullptr;
};

} // namespace quillora
