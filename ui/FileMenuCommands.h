#pragma once
// What the File menu's plan and template items do: save the window's plan as
// a plan file, open a plan file in its place (after setting the window's
// plan aside), restore a plan kept in the history, and choose the template
// the deck is made from. The questions and
// answers go through the platform's doors, so each runs without a display.

#include "builder/OfficeConversion.h"
#include "core/Platform.h"
#include "plan/Plan.h"

#include <QObject>
#include <QString>

namespace quillora {

class PlanKeeper;
class DeckEditsChooser;
class SnapshotChooser;
class WindowHistory;

class FileMenuCommands : public QObject {
    Q_OBJECT

public:
    FileMenuCommands(Platform& platform, PlanKeeper& plan, QObject* parent = nullptr);

    // Where a replaced plan is kept first, and what lists the kept ones.
    void setHistory(WindowHistory* history, SnapshotChooser* chooser);
    // What shows a deck's edits before they are taken.
    void setDeckEditsChooser(DeckEditsChooser* chooser) { m_editsChooser = chooser; }

    // Writes the window's plan to a plan file the user names; true when written.
    bool savePlanAs();
    void openPlan();
    // Lists the kept plans and restores the one chosen, the window's plan
    // kept first.
    void showHistory();
    // Reads a deck the user names back into a plan, shows what it would
    // change and takes the parts chosen, the window's plan kept first.
    void bringBackEdits();
    void useTemplate();
    void useStandardTemplate();

    // Off while a deck is being made: nothing may change under the run.
    void setChangesAllowed(bool allowed) { m_changesAllowed = allowed; }

    // Whether the user's own template (in the per-user data folder) is used.
    static bool usesOwnTemplate();

Q_SIGNALS:
    // A plan file's plan replaced the window's: the window shows it.
    void planReplaced();
    // The template in use changed.
    void templateChanged();

private:
    bool refusedWhileGenerating(const QString& what);
    void tell(const QString& text);
    bool ask(const QString& text);
    // Keeps the window's plan in the history before it is replaced; false,
    // and told under `refusal`, when it could not be kept.
    bool keepBeforeReplacing(const char* refusal);
    void replacePlan(const Plan& plan, const QString& backup);
    // LibreOffice, when installed, for a deck only it reads.
    OfficeConverter officeConverter(const QString& deckPath);

    Platform& m_platform;
    PlanKeeper& m_plan;
    bool m_changesAllowed = true;
    WindowHistory* m_history = nullptr;
    SnapshotChooser* m_chooser = nullptr;
    DeckEditsChooser* m_editsChooser = nullptr;
};

} // namespace quillora
