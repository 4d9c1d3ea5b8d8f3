#pragma once
// The main window: the generate button above the plan form (the fields and
// the section strips), the store notice below it, and the menus. The window
// starts up, runs a fill and shows its progress, and keeps each strip's fit
// meter and the slide preview up to date with the plan.

#include "builder/SectionFit.h"
#include "ui/GenerateCommand.h"
#include "plan/PlanKeeper.h"
#include "ui/PlanForm.h"
#include "ui/BuilderHooks.h"
#include "core/ErrorReport.h"
#include "core/Platform.h"
#include "ui/SkinFramework.h"
#include "ui/WindowPlacement.h"
#include "ui/controls/ProgressButton.h"

#include <QCursor>
#include <QWidget>
#include <array>
#include <functional>
#include <memory>
#include <optional>


namespace quillora {

class FileMenuCommands;
class MainMenu;
class FitMeter;
class DeckEditsChooser;
class SnapshotChooser;
class Spelling;
class WindowHistory;
class StoreNotice;
class TemplateView;

inline constexpr char kProductName[] = "Quillora";
// Beside the plan's keys in the same store, as the spelling switch: "1" or "0".
inline constexpr char kSlidePreviewKey[] = "View/slidePreview";
inline constexpr char kContinueLongSectionsKey[] = "Deck/continueLongSections";

// The form's controls are reached as the window's own: the skin dresses
// them and the pointer follows the frames.
class MainWindow : public QWidget, public PlanControls {
    Q_OBJECT

public:
    // Mouse pointer values: the default pointer, or the window's mouse icon.
    static constexpr int kDefaultPointer = 0;
    static constexpr int kCustomPointer = 99;

    // The window shows and edits the plan kept in `plan`.
    MainWindow(Platform& platform, PlanStore& plan, BuilderHooks hooks, QWidget* parent = nullptr);
    ~MainWindow() override;

    // The start-up: dresses the window, loads the hand cursor, maybe opens
    // the home page, fills the fields from the plan store, checks for the
    // presentation application and starts opening the dictionary, in that
    // order.
    void startUp();
    // The same start-up with only what the first picture needs (the dress and
    // the fields) done now; once the window has been painted, the loaded
    // values are stored (at once), the dictionary starts opening,
    // `afterPaint` runs, then the hand cursor, the home page and the check,
    // in that order.
    void startUpAroundFirstPaint(std::function<void()> afterPaint);
    // Shows the window with the focus in the first field: where it was last
    // closed, else centred, and always wholly on its screen.
    void showCentred();
    // What lists the kept plans for File > Plan History (a dialog unless set).
    void setSnapshotChooser(std::unique_ptr<SnapshotChooser> chooser);
    // What shows a deck's edits before they are taken (a dialog unless set);
    // meanwhile the tabs of the sections they change are marked.
    void setDeckEditsChooser(std::unique_ptr<DeckEditsChooser> chooser);

    // Where the window's geometry is kept between runs.
    void setWindowMemory(std::unique_ptr<WindowMemory> memory);

    // The plan the window holds: what it shows, and what a run fills.
    const Plan& plan() const { return m_keeper.plan(); }
    // True when every text of the plan is in the store.
    bool planDurable() const { return m_keeper.durable(); }

    // True from a press that starts a run until that run has ended: the
    // button fills behind its caption as the slides are done and the pointer
    // shows work in the background.
    bool showsGenerationRun() const { return m_showingRun; }

    int mousePointer() const { return m_mousePointer; }
    void setMousePointer(int pointer);
    const std::optional<QCursor>& mouseIcon() const { return m_mouseIcon; }

    // The controls a skin dresses: the form's, then the button.
    QList<QWidget*> controls() const;

    PlanForm& form() { return *m_form; }
    MainMenu& menu() { return *m_menu; }
    // Shows the window's plan, as the start-up does: the fields and both
    // strips' current statements, hints where one is empty.
    void showPlan();
    // Says where the plan went when the last session ended with it unsaved.
    void tellUnsavedPlan();
    GenerateCommand& generateCommand() { return m_generate; }
    const SkinFramework& skin() const { return m_skin; }
    // Marks misspelled words in the statement boxes; its check item and
    // language item go into the window's menus.
    Spelling& spelling() { return *m_spelling; }

    // The window's own controls, named as the classic ones were: "Form1",
    // "PushButton1".
    ProgressButton* generateButton = nullptr;
    // Below the strips while the plan store needs telling about; the window
    // grows to show it.
    StoreNotice* storeNotice = nullptr;

public Q_SLOTS:
    // At the end of the desktop session: stores the plan once more and,
    // when the store still refuses, keeps it in an emergency plan file.
    void commitData();

protected:
    void mouseMoveEvent(QMouseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void createControls();
    void dress(GuardedProcedure& proc);
    void loadPointerIcon(GuardedProcedure& proc);
    void greet(GuardedProcedure& proc);
    void fillFromStore(GuardedProcedure& proc);
    void checkPresentationApplication(GuardedProcedure& proc);
    void placeOnScreen();
    void connectMenu();
    void showAbout();
    // The title says whether the user's own template is in use; looked at
    // again after each run and whenever the window becomes active.
    void showTemplateInUse();
    // Opening a plan and changing the template wait while a deck is made.
    void setChangesAllowed(bool allowed);
    QMargins currentFrameMargins() const;
    QMargins expectedFrameMargins() const;
    void placeStoreNotice();
    // Reads the template a run would fill again when it changed, and
    // measures both statements and the preview against it.
    void followTemplate();
    // The strip's fit meter line, from the section it shows in the plan.
    void showFit(Strip strip);
    // Which slide the preview shows: the title slide, or a strip's section.
    void previewFrom(FormPart source);
    void showPreview();
    // Shows or hides the preview, the window growing or shrinking by it.
    void setPreviewShown(bool shown);
    void pointerOverWindow();
    void pointerOverProductNameFrame();
    void pointerOverPlanTitleFrame();
    void pointerOverGenerateButton();
    // Asks before closing while a run is on or the plan is not all stored;
    // true when the window may close.
    bool mayClose();
    void onClosing();
    void onGenerateClicked();
    // Sets the window's pointer from the mouse pointer value, or the busy
    // pointer while a run is shown.
    void applyPointer();

    Platform& m_platform;
    PlanStore& m_plan;
    PlanKeeper m_keeper;
    BuilderHooks m_hooks;
    ErrorReport m_report;
    SkinFramework m_skin;
    int m_mousePointer = kDefaultPointer;
    bool m_showingRun = false;
    std::optional<QCursor> m_mouseIcon;
    Spelling* m_spelling = nullptr;
    PlanForm* m_form = nullptr;
    GenerateCommand m_generate;
    std::unique_ptr<WindowMemory> m_memory;
    MainMenu* m_menu = nullptr;
    std::unique_ptr<TemplateView> m_template;
    std::unique_ptr<FitMeter> m_meter;
    FormPart m_previewSource = FormPart::First;
    std::array<std::optional<FitVerdict>, 2> m_fits; // each strip's, as its meter line tells it
    int m_previewRoom = 0; // the width the preview takes now
    FileMenuCommands* m_fileCommands = nullptr;
    std::unique_ptr<WindowHistory> m_history;
    std::unique_ptr<SnapshotChooser> m_snapshotChooser;
    std::unique_ptr<DeckEditsChooser> m_editsChooser;
    int m_noticeRoom = 0; // the height the store notice takes now
    bool m_closeAfterRun = false; // a close stopped the run: the window closes when it has ended
};

} // namespace quillora
