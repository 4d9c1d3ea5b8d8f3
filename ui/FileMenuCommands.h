#pragma once
// What the File menu's plan and template items do: save the window's plan as
// a plan file, open a plan file in its place (after setting the window's
// plan aside), and choose the template the deck is made from. The questions and
// answers go through the platform's doors, so each runs without a display.

#include "core/Platform.h"

#include <QObject>
#include <QString>
#include <functional>

namespace quillora {

class PlanKeeper;

class FileMenuCommands : public QObject {
    Q_OBJECT

public:
    // `generating` is true while a deck is being made: nothing may change
    // under the run.
    FileMenuCommands(Platform& platform, PlanKeeper& plan, std::function<bool()> generating,
                     QObject* parent = nullptr);

    // Writes the window's plan to a plan file the user names; true when written.
    bool savePlanAs();
    void openPlan();
    void useTemplate();
    void useStandardTemplate();

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

    Platform& m_platform;
    PlanKeeper& m_plan;
    std::function<bool()> m_generating;
};

} // namespace quillora
