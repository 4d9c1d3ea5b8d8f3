#include "ui/MainWindow.h"
#include "builder/SlideFillMap.h"
#include "core/AppTitleRule.h"
#include "core/DataFiles.h"
#include "core/FileExists.h"
#include "ui/HandCursor.h"
#include "ui/HomePage.h"
#include "core/RuntimeError.h"
#include "ui/Skin.h"
#include "ui/StoreNotice.h"
#include "ui/controls/LineBox.h"
#include "ui/controls/PictureBox.h"
#include "ui/controls/ProgressButton.h"
#include "ui/controls/StatementBox.h"
#include "ui/controls/TabStrip.h"
#include "ui/controls/Twips.h"

#include "ui/controls/ProgressDescription.h"
#include "ui/spelling/Spelling.h"

#include <QCloseEvent>
#include <QGroupBox>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPushButton>
#include <QScopeGuard>
#include <QScreen>

namespace quillora {
namespace {

constexpr int kTabHeightTwips = 300;
constexpr int kWindowWidthTwips = 12720;
constexpr int kWindowHeightTwips = 11235;

QFont arial(double points, bool bold)
{
    QFont font(QStringLiteral("Arial"));
    font.setPointSizeF(points);
    font.setBold(bold);
    return font;
}

QStringList captionsOf(Strip strip)
{
    QStringList captions;
    for (int tab = 0; tab < kTabsPerStrip; ++tab)
        captions << findSection(strip, tab)->captionText();
    return captions;
}

// Return and Enter press the focused button, as Space does; with no dialog
// around it, QPushButton itself only takes Space.
bool pressesFocusedButton(const QKeyEvent& key)
{
    const bool plain = (key.modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier;
    return plain && (key.key() == Qt::Key_Return || key.key() == Qt::Key_Enter);
}

// True when the mouse is over the widget itself, not over one of its children.
bool directlyOver(QWidget* widget, QMouseEvent* event)
{
    return widget->childAt(event->position().toPoint()) == nullptr;
}

QIcon applicationIcon()
{
    const QPixmap pixmap(QStringLiteral(":/quillora/quillora-icon.png"));
    if (pixmap.isNull())
        throw RuntimeError(QStringLiteral("File not found"));
    return QIcon(pixmap);
}

} // namespace

MainWindow::MainWindow(Platform& platform, BuilderHooks hooks, QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
                          | Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint
                          | Qt::MSWindowsFixedSizeDialogHint),
      m_platform(platform),
      m_hooks(std::move(hooks)),
      m_report(*platform.messages),
      m_editor(EditorControls{}),
      m_generate(m_report, m_hooks)
{
    createControls();
    m_editor = SectionEditor(EditorControls{firstSectionTabs, secondSectionTabs, firstStatementBox, secondStatementBox,
                                            productNameField, planTitleField, storeNotice});
    m_editor.connectControls();
    m_editor.nameStatementBoxes();
    // The language the window speaks: the one its translation was loaded for.
    m_spelling = new Spelling(platform.spelling, QLocale(), this);
    m_spelling->attach(*firstStatementBox);
    m_spelling->attach(*secondStatementBox);
    connect(generateButton, &QPushButton::clicked, this, &MainWindow::onGenerateClicked);
}

MainWindow::~MainWindow() = default;

void MainWindow::createControls()
{
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(QStringLiteral("Form1"));
    setFixedSize(twipsToPixels(kWindowWidthTwips), twipsToPixels(kWindowHeightTwips));
    setFont(arial(9, true));
    setBackColor(*this, Qt::white);
    setMouseTracking(true);

    generateButton = new ProgressButton(QStringLiteral("Start Creating Template"), this);
    generateButton->setObjectName(QStringLiteral("PushButton1"));
    generateButton->setGeometry(twipsRect(120, 120, 12480, 400));
    generateButton->setFont(arial(11.25, true));

    auto makeFrame = [this](const char* name, const QString& caption, int top) {
        auto* frame = new QGroupBox(caption, this);
        frame->setObjectName(QLatin1String(name));
        frame->setGeometry(twipsRect(120, top, 12480, 820));
        setBackColor(*frame, Qt::white);
        auto* field = new LineBox(frame);
        field->setGeometry(twipsRect(240, 300, 12000, 375));
        return std::pair{frame, field};
    };
    std::tie(productNameFrame, productNameField) = makeFrame("Frame1", QStringLiteral("Product Name"), 550);
    std::tie(planTitleFrame, planTitleField) = makeFrame("Frame2", QStringLiteral("Marketing Plan"), 1440);
    productNameField->setObjectName(QStringLiteral("txtProductName"));
    planTitleField->setObjectName(QStringLiteral("txtMktPlan"));

    auto makeStrip = [this](const char* name, Strip strip, int tabsPerRow, const QRect& geometry) {
        auto* tabs = new TabStrip(this);
        tabs->setObjectName(QLatin1String(name));
        tabs->setCaptions(captionsOf(strip));
        tabs->setTabsPerRow(tabsPerRow);
        tabs->setTabHeight(twipsToPixels(kTabHeightTwips));
        tabs->setGeometry(geometry);
        return tabs;
    };
    firstSectionTabs = makeStrip("SSTab1", Strip::First, 4, twipsRect(120, 2385, 12480, 4335));
    secondSectionTabs = makeStrip("SSTab3", Strip::Second, 5, twipsRect(120, 6840, 12480, 4275));
    // The lower strip keeps the classic dialog font, so its five tabs a row fit.
    secondSectionTabs->setFont(arial(8.25, false));
    // The initial sections: "Communication Strategies" and "Advertising".
    firstSectionTabs->blockSignals(true);
    firstSectionTabs->setTab(4);
    firstSectionTabs->blockSignals(false);

    auto makePicture = [this](const char* boxName, const QRect& geometry, int boxHeight) {
        auto* picture = new PictureBox(this);
        picture->setGeometry(geometry);
        // Picture boxes start in the window-background colour of text areas.
        setBackColor(*picture, picture->palette().color(QPalette::Base));
        auto* box = new StatementBox(picture);
        box->setObjectName(QLatin1String(boxName));
        box->setGeometry(twipsRect(120, 120, 11970, boxHeight));
        return std::pair{picture, box};
    };
    std::tie(firstStatementPage, firstStatementBox) = makePicture("txtFirstStatement", twipsRect(180, 3045, 12200, 3600), 3375);
    std::tie(secondStatementPage, secondStatementBox) = makePicture("txtSecondStatement", twipsRect(180, 7500, 12200, 3560), 3315);
    firstStatementPage->setObjectName(QStringLiteral("Picture1"));
    secondStatementPage->setObjectName(QStringLiteral("Picture2"));
    // Over the strips' pages, whichever tab is selected.
    firstStatementPage->raise();
    secondStatementPage->raise();

    storeNotice = new StoreNotice(this);
    connect(storeNotice, &StoreNotice::changed, this, &MainWindow::placeStoreNotice);

    QWidget::setTabOrder(productNameField, planTitleField);
    QWidget::setTabOrder(planTitleField, firstStatementBox);
    QWidget::setTabOrder(firstStatementBox, secondStatementBox);
    QWidget::setTabOrder(secondStatementBox, firstSectionTabs);
    QWidget::setTabOrder(firstSectionTabs, secondSectionTabs);
    QWidget::setTabOrder(secondSectionTabs, generateButton);

    for (QWidget* watched : {static_cast<QWidget*>(generateButton), static_cast<QWidget*>(productNameFrame),
                             static_cast<QWidget*>(planTitleFrame)}) {
        watched->setMouseTracking(true);
        watched->installEventFilter(this);
    }
}

void MainWindow::placeStoreNotice()
{
    int height = twipsToPixels(kWindowHeightTwips);
    if (!storeNotice->isHidden()) {
        const QRect area = twipsRect(120, kWindowHeightTwips - 60, 12480, 0);
        const int noticeHeight = storeNotice->heightForWidth(area.width());
        storeNotice->setGeometry(area.x(), area.y(), area.width(), noticeHeight);
        height = area.y() + noticeHeight + twipsToPixels(120);
    }
    setFixedSize(twipsToPixels(kWindowWidthTwips), height);
}

QList<QWidget*> MainWindow::controls() const
{
    return {productNameField, planTitleField, firstStatementBox, secondStatementBox, firstSectionTabs, secondSectionTabs,
            firstStatementPage, secondStatementPage, generateButton, productNameFrame, planTitleFrame};
}

void MainWindow::startUp()
{
    GuardedProcedure proc(m_report, kStartUpLocation);
    const QString programFolder = m_platform.environment->programFolder();

    proc.step(100, [&] { applySkin(programFolder, *this, controls(), m_skin); });
    proc.step(104, [&] { setWindowTitle(QLatin1String(kProductName)); });
    proc.step(104, [&] { setWindowIcon(applicationIcon()); });
    proc.step(104, [&] { setTitleFromProductName(QLatin1String(kProductName)); });
    const QString cursorPath = findDataFile(programFolder, {kHandCursorFileName});
    if (proc.test(106, [&] { return fileExists(cursorPath); }))
        proc.step(108, [&] { m_mouseIcon = loadHandCursor(cursorPath); });
    proc.step(110, [&] { maybeOpenHomePage(m_platform); });
    // The store's own failures go to the store notice, not to the report.
    proc.step(128, [&] { m_editor.loadProductName(); });
    proc.step(130, [&] { m_editor.loadPlanTitle(); });
    proc.step(132, [&] { m_editor.onFirstTabsClicked(0); });
    proc.step(134, [&] { m_editor.onSecondTabsClicked(0); });
    proc.step(136, [&] { m_hooks.checkPowerPointInstalled(); });
}

void MainWindow::showCentred()
{
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        QRect frame = frameGeometry();
        frame.moveCenter(screen->availableGeometry().center());
        move(frame.topLeft());
    }
    productNameField->setFocus(Qt::TabFocusReason);
    show();
}

QString MainWindow::productName() const
{
    return productNameField->text();
}

QString MainWindow::planTitle() const
{
    return planTitleField->text();
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
    generateButton->showProgress(0, kFillRowCount);
    applyPointer();
    const auto ended = qScopeGuard([this] {
        m_showingRun = false;
        generateButton->clearProgress();
        clearProgressDescription(*generateButton);
        applyPointer();
    });
    // Shown on the button and announced to assistive technology.
    m_generate.run([this](int done, int total) {
        generateButton->showProgress(done, total);
        describeProgress(*generateButton, done, total);
    });
}

void MainWindow::mouseMoveEvent(QMouseEvent* event)
{
    // Moves over child controls arrive here too when they pass them on.
    if (directlyOver(this, event))
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

void MainWindow::closeEvent(QCloseEvent* event)
{
    event->accept();
    onClosing();
}

void MainWindow::onClosing()
{
    // Nothing to save: every change is already in the plan store.
    m_platform.exit->endNow(0);
}

} // namespace quillora
