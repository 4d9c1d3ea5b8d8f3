#include "ui/MainWindow.h"
#include "builder/MarketingPlanGenerator.h"
#include "builder/SlideFillMap.h"
#include "builder/WorkingCopy.h"
#include "core/AppTitle.h"
#include "core/AppTitleRule.h"
#include "core/DataFiles.h"
#include "core/FileExists.h"
#include "ui/FirstPaint.h"
#include "ui/HandCursor.h"
#include "ui/HomePage.h"
#include "ui/FileMenuCommands.h"
#include "ui/FitMeter.h"
#include "ui/SlidePreview.h"
#include "ui/TemplateView.h"
#include "ui/MainMenu.h"
#include "ui/DeckEditsChooser.h"
#include "ui/SnapshotChooser.h"
#include "ui/WindowHistory.h"
#include "plan/PlanHistory.h"
#include "ui/NamedFormatImage.h"
#include "ui/RememberedSwitch.h"
#include "core/RuntimeError.h"
#include "plan/StoredPlan.h"
#include "ui/Skin.h"
#include "ui/StoreNotice.h"
#include "ui/controls/ProgressButton.h"
#include "ui/controls/StatementBox.h"
#include "ui/controls/TabStrip.h"
#include "ui/WindowLayout.h"

#include "ui/controls/ProgressDescription.h"
#include "ui/spelling/Spelling.h"

#include <QAction>
#include <QCloseEvent>
#include <QFile>
#include <QDir>
#include <QLayout>
#include <QMenuBar>
#include <QGroupBox>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>
#include <QScopeGuard>
#include <QScreen>
#include <QStyle>

namespace quillora {
namespace {

// While a deck's edits are being chosen, the tabs of the sections they would
// change carry a mark in both strips.
class MarkedTabs final : public DeckEditsChooser {
public:
    MarkedTabs(TabStrip& first, TabStrip& second, std::unique_ptr<DeckEditsChooser> inner)
        : m_first(first), m_second(second), m_inner(std::move(inner))
    {
    }

    QStringList choose(const std::vector<PartChange>& changes, const QStringList& notFound) override
    {
        const QStringList first = m_first.captions(), second = m_second.captions();
        QStringList markedFirst = first, markedSecond = second;
        for (const PartChange& change : changes) {
            if (const std::optional<Section> section = findSection(change.key)) {
                QStringList& captions = section->strip == Strip::First ? markedFirst : markedSecond;
                captions[section->tab].prepend(QStringLiteral("\u25CF "));
            }
        }
        m_first.setCaptions(markedFirst);
        m_second.setCaptions(markedSecond);
        const auto unmark = qScopeGuard([&] {
            m_first.setCaptions(first);
            m_second.setCaptions(second);
        });
        return m_inner->choose(changes, notFound);
    }

private:
    TabStrip& m_first;
    TabStrip& m_second;
    std::unique_ptr<DeckEditsChooser> m_inner;
};

// Return and Enter press the focused button, as Space does; with no dialog
// around it, QPushButton itself only takes Space.
bool pressesFocusedButton(const QKeyEvent& key)
{
    const bool plain = (key.modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier;
    return plain && (key.key() == Qt::Key_Return || key.key() == Qt::Key_Enter);
}

// True when the mouse is over the widget itself, not over one of its
// children; `through` is a child that only holds others.
bool directlyOver(QWidget* widget, QMouseEvent* event, const QWidget* through = nullptr)
{
    const QWidget* at = widget->childAt(event->position().toPoint());
    return at == nullptr || at == through;
}

FormPart partOf(Strip strip)
{
    return strip == Strip::First ? FormPart::First : FormPart::Second;
}

int pointsIn(const QString& statement)
{
    int points = 0;
    for (const QString& line : statementLines(statement))
        points += !line.isEmpty() && !isSubPointLine(line);
    return points;
}

QIcon applicationIcon()
{
    QFile file(QStringLiteral(":/quillora/quillora-icon.png"));
    const QImage image = file.open(QIODevice::ReadOnly) ? readImageAs(file, "PNG") : QImage();
    if (image.isNull())
        throw RuntimeError(RuntimeError::tr("File not found"));
    return QIcon(QPixmap::fromImage(image));
}

} // namespace

MainWindow::MainWindow(Platform& platform, PlanStore& plan, BuilderHooks hooks, QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
                          | Qt::WindowMinMaxButtonsHint | Qt::WindowCloseButtonHint),
      m_platform(platform),
      m_plan(plan),
      m_keeper(plan),
      m_hooks(std::move(hooks)),
      m_report(*platform.messages),
      m_generate(m_report, m_hooks, m_keeper.plan()),
      m_memory(std::make_unique<SettingsWindowMemory>()),
      m_history(std::make_unique<WindowHistory>(planHistoryFolder(), *platform.clock))
{
    m_snapshotChooser = std::make_unique<SnapshotDialog>(this);
    m_keeper.setBeforeEdit([this](const Plan& plan) { m_history->beforeEdit(plan); });
    createControls();
    m_template = std::make_unique<TemplateView>();
    m_meter = std::make_unique<FitMeter>(*m_template);
    connect(m_form, &PlanForm::statementEdited, this, [this](Strip strip) {
        if (m_form->statementBox(strip)->hasFocus())
            m_previewSource = partOf(strip);
        showFit(strip);
    });
    connect(m_form, &PlanForm::sectionChosen, this, [this](Strip strip) { previewFrom(partOf(strip)); });
    connect(m_form, &PlanForm::titleEdited, this, [this] {
        if (m_previewSource == FormPart::Titles)
            showPreview();
    });
    connect(m_form, &PlanForm::partFocused, this, &MainWindow::previewFrom);
    // The window's locale: the language its texts were translated to, else
    // the desktop's.
    m_spelling = new Spelling(platform.spelling, plan, QLocale(), this);
    m_spelling->attach(*firstStatementBox);
    m_spelling->attach(*secondStatementBox);
    connect(generateButton, &QPushButton::clicked, this, &MainWindow::onGenerateClicked);
    connectMenu();
    if (auto* app = qobject_cast<QGuiApplication*>(QCoreApplication::instance()))
        connect(app, &QGuiApplication::commitDataRequest, this, &MainWindow::commitData);
}

void MainWindow::connectMenu()
{
    m_menu = new MainMenu(*this);
    layout()->setMenuBar(m_menu->bar());
    // The designed form below the bar: the window grows by the bar's height
    // (as the desktop's style draws it).
    m_menu->bar()->ensurePolished();
    resize(designedWindowSize() + QSize(0, m_menu->bar()->sizeHint().height()));
    setMinimumSize(kMinimumWindowSize.expandedTo(layout()->totalMinimumSize()));
    m_fileCommands = new FileMenuCommands(m_platform, m_keeper, this);
    m_fileCommands->setHistory(m_history.get(), m_snapshotChooser.get());
    setDeckEditsChooser(std::make_unique<DeckEditsDialog>(this));
    connect(m_menu->planHistory, &QAction::triggered, m_fileCommands, &FileMenuCommands::showHistory);
    connect(m_menu->bringBackEdits, &QAction::triggered, m_fileCommands, &FileMenuCommands::bringBackEdits);
    connect(m_fileCommands, &FileMenuCommands::planReplaced, this, &MainWindow::showPlan);
    connect(m_fileCommands, &FileMenuCommands::templateChanged, this, &MainWindow::showTemplateInUse);
    connect(m_fileCommands, &FileMenuCommands::templateChanged, this, &MainWindow::followTemplate);
    // Off at the first start, so the window is as designed until asked for.
    m_menu->slidePreview->setChecked(rememberedSwitch(m_plan, QLatin1String(kSlidePreviewKey), false));
    setPreviewShown(m_menu->slidePreview->isChecked());
    connect(m_menu->slidePreview, &QAction::toggled, this, [this](bool on) {
        rememberSwitch(m_plan, QLatin1String(kSlidePreviewKey), on);
        setPreviewShown(on);
    });
    connect(m_menu->openPlan, &QAction::triggered, m_fileCommands, &FileMenuCommands::openPlan);
    connect(m_menu->savePlanAs, &QAction::triggered, m_fileCommands, &FileMenuCommands::savePlanAs);
    connect(m_menu->useTemplate, &QAction::triggered, m_fileCommands, &FileMenuCommands::useTemplate);
    connect(m_menu->useStandardTemplate, &QAction::triggered, m_fileCommands, &FileMenuCommands::useStandardTemplate);
    connect(m_menu->quit, &QAction::triggered, this, &QWidget::close);
    connect(m_menu->about, &QAction::triggered, this, &MainWindow::showAbout);
    // The spelling switch, with the dictionary's language below it, above the deck's.
    QAction* continuation = m_menu->continueLongSections;
    m_menu->toolsMenu()->insertActions(continuation, {m_spelling->checkSpellingAction(), m_spelling->languageAction()});
    m_menu->toolsMenu()->insertSeparator(continuation);
    continuation->setChecked(rememberedSwitch(m_plan, QLatin1String(kContinueLongSectionsKey), false));
    m_generate.setContinueLongSections(continuation->isChecked());
    connect(continuation, &QAction::toggled, this, [this](bool on) {
        rememberSwitch(m_plan, QLatin1String(kContinueLongSectionsKey), on);
        m_generate.setContinueLongSections(on);
    });
}

void MainWindow::showPlan()
{
    // As the start-up fills the window; the store's own failures go to the
    // store notice, anything else is told once.
    CollectedFailures failures;
    GuardedProcedure proc(failures, kStartUpLocation);
    SectionEditor& editor = m_form->editor();
    proc.step(128, [&] { editor.loadProductName(); });
    proc.step(130, [&] { editor.loadPlanTitle(); });
    proc.step(132, [&] { editor.showSection(Strip::First); });
    proc.step(134, [&] { editor.showSection(Strip::Second); });
    if (!failures.failures.empty())
        m_platform.messages->show(applicationTitle(),
                                  tr("The window cannot show all of the plan: %1").arg(failures.failures.front().description),
                                  MessageIcon::Warning, MessageButtons::Ok);
}

void MainWindow::showTemplateInUse()
{
    setWindowTitle(FileMenuCommands::usesOwnTemplate() ? tr("%1 (your own template)").arg(QLatin1String(kProductName))
                                                       : QLatin1String(kProductName));
}

void MainWindow::setChangesAllowed(bool allowed)
{
    for (QAction* action : {m_menu->openPlan, m_menu->planHistory, m_menu->bringBackEdits, m_menu->useTemplate,
                            m_menu->useStandardTemplate})
        action->setEnabled(allowed);
    m_fileCommands->setChangesAllowed(allowed);
}

void MainWindow::showAbout()
{
    const QString text = tr("%1 %2\n\nWrites a marketing plan outline and turns it into a presentation deck.\n\n"
                            "Home page: %3\n\nCopyright 2021-2026 Tarnvale. All rights reserved: no licence to "
                            "copy, change or pass on this program is granted beyond what the law allows.")
                             .arg(QLatin1String(kProductName), QLatin1String(QUILLORA_VERSION),
                                  QLatin1String(kHomePageAddress));
    m_platform.messages->show(tr("About Quillora"), text, MessageIcon::None, MessageButtons::Ok);
}

MainWindow::~MainWindow()
{
    // The application's focus moves while QWidget's destructor hides the
    // window, after this window's own members are gone.
    disconnect(m_form, nullptr, this, nullptr);
}

void MainWindow::createControls()
{
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(QStringLiteral("Form1"));
    setFont(formFont(9, true));
    setBackColor(*this, Qt::white);
    setMouseTracking(true);

    generateButton = new ProgressButton(tr("Start Creating Template"), this);
    generateButton->setObjectName(QStringLiteral("PushButton1"));
    generateButton->setFont(formFont(11.25, true));

    m_form = new PlanForm(m_keeper, this);
    static_cast<PlanControls&>(*this) = *m_form;
    storeNotice = new StoreNotice(this);
    connect(storeNotice, &StoreNotice::changed, this, &MainWindow::placeStoreNotice);
    m_form->setStoreNotice(storeNotice);

    layOutWindow(*this, *generateButton, *m_form, *storeNotice);
    // The button comes after the form's controls.
    QWidget::setTabOrder(m_form->lastInTabOrder(), generateButton);

    for (QWidget* watched : {static_cast<QWidget*>(generateButton), static_cast<QWidget*>(productNameFrame),
                             static_cast<QWidget*>(planTitleFrame)}) {
        watched->setMouseTracking(true);
        watched->installEventFilter(this);
    }
}

void MainWindow::placeStoreNotice()
{
    // The notice has room of its own below the strips: the window grows by
    // it, and shrinks back when it goes, so the statement boxes keep theirs.
    // Where the screen has no room for that, the window stays on it and the
    // statement boxes give up the height instead.
    const int room = fitStoreNotice(*this, *storeNotice);
    setMinimumHeight(minimumHeight() + room - m_noticeRoom);
    resize(width(), height() + room - m_noticeRoom);
    m_noticeRoom = room;
    if (const QScreen* shownOn = screen(); shownOn && isVisible())
        setGeometry(fitOnScreen(geometry(), currentFrameMargins(), shownOn->availableGeometry(), minimumSize()));
    layout()->activate();
}

void MainWindow::followTemplate()
{
    if (!m_template->follow(templateDeckPath(*m_platform.environment)))
        return;
    showFit(Strip::First);
    showFit(Strip::Second);
    showPreview();
}

void MainWindow::showFit(Strip strip)
{
    StatementBox* box = m_form->statementBox(strip);
    QLabel* line = m_form->fitLine(strip);
    std::optional<FitVerdict>& fit = m_fits[strip == Strip::First ? 0 : 1];
    const std::optional<Section> section = m_form->shownSection(strip);
    fit = section ? m_meter->measure(strip, *section, plan().statement(*section)) : std::nullopt;
    const QString text = FitMeter::line(fit);
    // Only a change is told: assistive technology hears a new verdict once,
    // not every keystroke.
    if (line->text() != text) {
        line->setText(text);
        box->setAccessibleDescription(text);
    }
    if (m_previewSource == partOf(strip))
        showPreview();
}

void MainWindow::previewFrom(FormPart source)
{
    if (source == m_previewSource)
        return;
    m_previewSource = source;
    showPreview();
}

void MainWindow::showPreview()
{
    if (slidePreview->isHidden())
        return;
    PreviewSlide slide;
    if (TemplateSlides* slides = m_template->slides())
        slide.size = slides->slideSize();
    if (m_previewSource == FormPart::Titles) {
        slide.number = 1;
        slide.name = SlidePreview::titleSlideName();
        slide.draw = [this](int width) {
            TemplateSlides* slides = m_template->slides();
            try {
                return slides ? slides->titleSlide(width, plan().productName, plan().planTitle) : QImage();
            } catch (const RuntimeError&) {
                return QImage();
            }
        };
    } else {
        const Strip strip = m_previewSource == FormPart::First ? Strip::First : Strip::Second;
        const std::optional<Section> section = m_form->shownSection(strip);
        if (!section)
            return;
        const QString& statement = plan().statement(*section);
        slide.number = section->slide;
        slide.name = section->shownCaption();
        slide.points = pointsIn(statement);
        slide.fit = m_fits[strip == Strip::First ? 0 : 1];
        slide.fitLine = m_form->fitLine(strip)->text();
        slide.draw = [this, section = *section](int width) {
            TemplateSlides* slides = m_template->slides();
            if (!slides)
                return QImage();
            const QString& written = plan().statement(section);
            const StatementText* statement = written.isEmpty() ? nullptr : m_template->statement(section);
            try {
                if (!statement)
                    return slides->sectionSlide(width, section, nullptr);
                const layout::ShapeText text = statement->shapeText(statementLines(written));
                return slides->sectionSlide(width, section, &text);
            } catch (const RuntimeError&) {
                return QImage();
            }
        };
    }
    slidePreview->showSlide(std::move(slide));
}

void MainWindow::setPreviewShown(bool shown)
{
    slidePreview->setVisible(shown);
    // The statement boxes keep their width: the window grows by the
    // preview's, and shrinks back when it goes.
    const int room = slidePreviewRoom(*slidePreview);
    const int wide = width() + room - m_previewRoom; // before a larger minimum widens the window
    setMinimumWidth(minimumWidth() + room - m_previewRoom);
    resize(wide, height());
    m_previewRoom = room;
    if (const QScreen* shownOn = screen(); shownOn && isVisible())
        setGeometry(fitOnScreen(geometry(), currentFrameMargins(), shownOn->availableGeometry(), minimumSize()));
    layout()->activate();
    showPreview();
}

QList<QWidget*> MainWindow::controls() const
{
    return m_form->controls() << generateButton;
}

void MainWindow::startUp()
{
    GuardedProcedure proc(m_report, kStartUpLocation);
    dress(proc);
    loadPointerIcon(proc);
    greet(proc);
    fillFromStore(proc);
    followTemplate();
    checkPresentationApplication(proc);
    tellUnsavedPlan();
    m_spelling->openDictionary();
}

void MainWindow::startUpAroundFirstPaint(std::function<void()> afterPaint)
{
    {
        GuardedProcedure proc(m_report, kStartUpLocation);
        dress(proc);
        m_form->editor().holdLoadedValues();
        fillFromStore(proc);
    }
    afterFirstPaint(*this, [this, afterPaint = std::move(afterPaint)] {
        m_form->editor().storeHeldValues();
        // Nor fit meters: the template is read once the window is there.
        followTemplate();
        // The first picture shows no marks: the spelling library and its
        // dictionary load now, beside the rest.
        m_spelling->openDictionary();
        if (afterPaint)
            afterPaint();
        GuardedProcedure proc(m_report, kStartUpLocation);
        loadPointerIcon(proc);
        greet(proc);
        checkPresentationApplication(proc);
        tellUnsavedPlan();
    });
}

void MainWindow::dress(GuardedProcedure& proc)
{
    const QString programFolder = m_platform.environment->programFolder();
    proc.step(100, [&] { applySkin(programFolder, *this, controls(), m_skin); });
    proc.step(104, [&] { setWindowTitle(QLatin1String(kProductName)); });
    showTemplateInUse();
    proc.step(104, [&] { setWindowIcon(applicationIcon()); });
    proc.step(104, [&] { setTitleFromProductName(QLatin1String(kProductName)); });
}

void MainWindow::loadPointerIcon(GuardedProcedure& proc)
{
    const QString cursorPath = findDataFile(m_platform.environment->programFolder(), {kHandCursorFileName});
    if (proc.test(106, [&] { return fileExists(cursorPath); }))
        proc.step(108, [&] { m_mouseIcon = loadHandCursor(cursorPath); });
}

void MainWindow::greet(GuardedProcedure& proc)
{
    proc.step(110, [&] { maybeOpenHomePage(m_platform); });
}

void MainWindow::fillFromStore(GuardedProcedure& proc)
{
    // The store's own failures go to the store notice, not to the report.
    SectionEditor& editor = m_form->editor();
    proc.step(128, [&] {
        m_keeper.load();
        editor.loadProductName();
    });
    proc.step(130, [&] { editor.loadPlanTitle(); });
    proc.step(132, [&] { editor.showSection(Strip::First); });
    proc.step(134, [&] { editor.showSection(Strip::Second); });
}

void MainWindow::checkPresentationApplication(GuardedProcedure& proc)
{
    proc.step(136, [&] { m_hooks.checkPresentationAppInstalled(); });
}

void MainWindow::showCentred()
{
    placeOnScreen();
    m_form->focusFirstField();
    show();
    // Where the frame is known once the window is shown, all of it goes on
    // the screen.
    if (const QScreen* shownOn = screen(); shownOn && frameGeometry() != geometry())
        setGeometry(fitOnScreen(geometry(), currentFrameMargins(), shownOn->availableGeometry(), minimumSize()));
}

void MainWindow::setWindowMemory(std::unique_ptr<WindowMemory> memory)
{
    m_memory = std::move(memory);
}

QMargins MainWindow::currentFrameMargins() const
{
    return marginsAround(frameGeometry(), geometry());
}

QMargins MainWindow::expectedFrameMargins() const
{
    const QMargins known = currentFrameMargins();
    if (!known.isNull() || !QGuiApplication::platformName().startsWith(QLatin1String("xcb")))
        return known;
    // Not shown yet: the window manager's title bar is not known, so leave
    // room for a generous one.
    return QMargins(4, 4 + 2 * style()->pixelMetric(QStyle::PM_TitleBarHeight), 4, 4);
}

void MainWindow::placeOnScreen()
{
    const QByteArray saved = m_memory->savedGeometry();
    const bool restored = !saved.isEmpty() && restoreGeometry(saved);
    const QScreen* screen = restored ? QGuiApplication::screenAt(geometry().center()) : this->screen();
    if (!screen)
        screen = QGuiApplication::primaryScreen();
    if (!screen)
        return;
    const QRect available = screen->availableGeometry();
    const QMargins frame = expectedFrameMargins();
    const QRect client = restored ? geometry() : centredOnScreen(size(), frame, available);
    setGeometry(fitOnScreen(client, frame, available, minimumSize()));
}

void MainWindow::setMousePointer(int pointer)
{
    m_mousePointer = pointer;
    applyPointer();
}

void MainWindow::applyPointer()
{
    if (m_showingRun)
        setCursor(Qt::BusyCursor);
    else if (m_mousePointer == kCustomPointer && m_mouseIcon)
        setCursor(*m_mouseIcon);
    else if (m_mousePointer == kCustomPointer)
        setCursor(Qt::ArrowCursor);
    else
        unsetCursor();
}

void MainWindow::onGenerateClicked()
{
    // A press during a run reaches the command, which turns it away; the
    // run's display stays as it is.
    if (m_showingRun) {
        m_generate.run();
        return;
    }
    m_showingRun = true;
    setChangesAllowed(false);
    generateButton->showProgress(0, kFillRowCount);
    applyPointer();
    const auto ended = qScopeGuard([this] {
        m_showingRun = false;
        showTemplateInUse(); // the run took whichever template it found
        followTemplate();
        setChangesAllowed(true);
        generateButton->clearProgress();
        clearProgressDescription(*generateButton);
        applyPointer();
        if (std::exchange(m_closeAfterRun, false))
            QMetaObject::invokeMethod(this, &QWidget::close, Qt::QueuedConnection);
    });
    // Shown on the button and announced to assistive technology.
    m_generate.run([this](int done, int total) {
        generateButton->showProgress(done, total);
        describeProgress(*generateButton, done, total);
    });
}

void MainWindow::changeEvent(QEvent* event)
{
    // Another program may have added or removed the user's own template
    // while the window was in the background.
    if (event->type() == QEvent::ActivationChange && isActiveWindow()) {
        showTemplateInUse();
        followTemplate();
    }
    QWidget::changeEvent(event);
}

void MainWindow::mouseMoveEvent(QMouseEvent* event)
{
    // Moves over child controls arrive here too when they pass them on.
    if (directlyOver(this, event, m_form))
        pointerOverWindow();
    QWidget::mouseMoveEvent(event);
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == generateButton && event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        if (pressesFocusedButton(*key)) {
            if (!key->isAutoRepeat())
                generateButton->click();
            return true;
        }
    }
    if (event->type() == QEvent::MouseMove) {
        auto* move = static_cast<QMouseEvent*>(event);
        if (watched == generateButton)
            pointerOverGenerateButton();
        else if (watched == productNameFrame && directlyOver(productNameFrame, move))
            pointerOverProductNameFrame();
        else if (watched == planTitleFrame && directlyOver(planTitleFrame, move))
            pointerOverPlanTitleFrame();
    }
    return QWidget::eventFilter(watched, event);
}

void MainWindow::pointerOverWindow()
{
    setMousePointer(kDefaultPointer);
}

void MainWindow::pointerOverProductNameFrame()
{
    setMousePointer(kDefaultPointer);
}

void MainWindow::pointerOverPlanTitleFrame()
{
    setMousePointer(kDefaultPointer);
}

void MainWindow::pointerOverGenerateButton()
{
    setMousePointer(kCustomPointer);
}

bool MainWindow::mayClose()
{
    if (m_showingRun) {
        // The run lets window events through between slides: the close
        // waits for it to stop after the slide it is on.
        if (m_platform.messages->show(applicationTitle(), tr("A deck is being made. Stop and close?"),
                                      MessageIcon::Warning, MessageButtons::YesNo)
            == MessageAnswer::Yes) {
            m_generate.requestStop();
            m_closeAfterRun = true;
        }
        return false;
    }
    m_form->editor().storeHeldValues();
    if (m_keeper.durable())
        return true;
    const std::optional<PlanStoreError>& failure = m_keeper.failure();
    const QString reason = failure ? failure->reason() : QString();
    for (;;) {
        const MessageAnswer answer = m_platform.messages->show(
            applicationTitle(), tr("Your plan could not be saved: %1. Save it to a plan file before closing?").arg(reason),
            MessageIcon::Warning, MessageButtons::SaveDiscardCancel);
        if (answer == MessageAnswer::Discard)
            return true;
        if (answer != MessageAnswer::Save)
            return false;
        if (m_fileCommands->savePlanAs())
            return true;
    }
}

void MainWindow::commitData()
{
    m_form->editor().storeHeldValues();
    m_history->tryKeep(m_keeper.plan());
    if (m_keeper.durable())
        return;
    m_keeper.retry();
    m_form->editor().tellStore();
    if (m_keeper.durable())
        return;
    // No one is left to ask: the plan goes where the next start finds it.
    keepUnsavedPlan(documentOf(m_keeper.plan()));
}

void MainWindow::tellUnsavedPlan()
{
    const QString kept = takeUnsavedPlanNote();
    if (kept.isEmpty())
        return;
    m_platform.messages->show(applicationTitle(),
                              tr("When your last session ended, your plan could not be saved. It was kept in %1.")
                                  .arg(QDir::toNativeSeparators(kept)),
                              MessageIcon::Warning, MessageButtons::Ok);
}

void MainWindow::closeEvent(QCloseEvent* event)
{
    if (!mayClose()) {
        event->ignore();
        return;
    }
    event->accept();
    m_memory->saveGeometry(saveGeometry());
    onClosing();
}

void MainWindow::setSnapshotChooser(std::unique_ptr<SnapshotChooser> chooser)
{
    m_snapshotChooser = std::move(chooser);
    m_fileCommands->setHistory(m_history.get(), m_snapshotChooser.get());
}

void MainWindow::setDeckEditsChooser(std::unique_ptr<DeckEditsChooser> chooser)
{
    m_editsChooser = std::make_unique<MarkedTabs>(*m_form->tabs(Strip::First), *m_form->tabs(Strip::Second),
                                                  std::move(chooser));
    m_fileCommands->setDeckEditsChooser(m_editsChooser.get());
}

void MainWindow::onClosing()
{
    m_history->tryKeep(m_keeper.plan());
    // Nothing more to save: the plan is in the store, or the user chose.
    m_platform.exit->endNow(0);
}

} // namespace quillora
