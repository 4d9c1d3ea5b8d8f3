#pragma once
// What the File menu's plan and template items do: save the stored plan as a
// plan file, open a plan file in its place (after setting the stored plan
// aside), and choose the template the deck is made from. The questions and
// answers go through the platform's doors, so each runs without a display.

#include "core/Platform.h"

#include <QObject>
#include <QString>
#include <functional>

namespace quillora {

class PlanStore;

struct FileMenuHooks {
    // True while a deck is being made: nothing may change under the run.
    std::function<bool()> generating;
    // Shows the stored plan in the window, as the start-up does.
    std::function<void()> showStoredPlan;
    // The template in use changed.
    std::function<void()> templateChanged;
};

class FileMenuCommands : public QObject {
    Q_OBJECT

public:
    FileMenuCommands(Platform& platform, PlanStore& plan, FileMenuHooks hooks, QObject* parent = nullptr);

    void savePlanAs();
    void openPlan();
    void useTemplate();
    void useStandardTemplate();

    // Whether the user's own template (in the per-user data folder) is used.
    static bool usesOwnTemplate();

private:
    bool refusedWhileGenerating(const QString& what);
    void tell(const QString& text);
    bool ask(const QString& text);

    Platform& m_platform;
    PlanStore& m_plan;
    FileMenuHooks m_hooks;
};

} // namespace quillora
