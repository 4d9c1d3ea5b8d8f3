#include "ui/Form1.h"
#include "plan/PlanStore.h"
#include "core/AppTitleRule.h"
#include "core/FileExists.h"
#include "ui/HandCursor.h"
#include "ui/HomePage.h"
#include "core/RuntimeError.h"
#include "ui/Skin.h"
#include "ui/controls/LineBox.h"
#include "ui/controls/PictureBox.h"
#include "ui/controls/StatementBox.h"
#include "ui/controls/TabStrip.h"
#include "ui/controls/Twips.h"

#include <QCloseEvent>
#include <QGroupBox>
#include <QGuiApplication>
#include <QMouseEvent>
#include <QPushButton>
#include <QScreen>

namespace quillora {
namespace {

constexpr int kTabHeightTwips = 300;

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

Form1::Form1(Platform& platform, BuilderHooks hooks, QWidget* parent)
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
    m_editor = SectionEditor(EditorControls{SSTab1, SSTab3, txtFirstStatement, txtSecondStatement,
                                            txtProductName, txtMktPlan});
    m_editor.connectControls();
    connect(PushButton1, &QPushButton::clicked, this, [this] { m_generate.PushButton1_Click(); });
}

Form1::~Form1() = default;

void Form1::createControls()
{
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(QStringLiteral("Form1"));
    setFixedSize(twipsToPixels(12720), twipsToPixels(11235));
    setFont(arial(9, true));
    setBackColor(*this, Qt::white);
    setMouseTracking(true);

    PushButton1 = new QPushButton(QStringLiteral("Start Creating Template"), this);
    PushButton1->setObjectName(QStringLiteral("PushButton1"));
    PushButton1->setGeometry(twipsRect(120, 120, 12480, 400));
    PushButton1->setFont(arial(11.25, true));

    auto makeFrame = [this](const char* name, const QString& caption, int top) {
        auto* frame = new QGroupBox(caption, this);
        frame->setObjectName(QLatin1String(name));
        frame->setGeometry(twipsRect(120, top, 12480, 820));
        setBackColor(*frame, Qt::white);
        auto* field = new LineBox(frame);
        field->setGeometry(twipsRect(240, 300, 12000, 375));
        return std::pair{frame, field};
    };
    std::tie(Frame1, txtProductName) = makeFrame("Frame1", QStringLiteral("Product Name"), 550);
    std::tie(Frame2, txtMktPlan) = makeFrame("Frame2", QStringLiteral("Marketing Plan"), 1440);
    txtProductName->setObjectName(QStringLiteral("txtProductName"));
    txtMktPlan->setObjectName(QStringLiteral("txtMktPlan"));

    auto makeStrip = [this](const char* name, Strip strip, int tabsPerRow, const QRect& geometry) {
        auto* tabs = new TabStrip(this);
        tabs->setObjectName(QLatin1String(name));
        tabs->setCaptions(captionsOf(strip));
        tabs->setTabsPerRow(tabsPerRow);
        tabs->setTabHeight(twipsToPixels(kTabHeightTwips));
        tabs->setGeometry(geometry);
        return tabs;
    };
    SSTab1 = makeStrip("SSTab1", Strip::First, 4, twipsRect(120, 2385, 12480, 4335));
    SSTab3 = makeStrip("SSTab3", Strip::Second, 5, twipsRect(120, 6840, 12480, 4275));
    // The lower strip keeps the classic dialog font, so its five tabs a row fit.
    SSTab3->setFont(arial(8.25, false));
    // The initial sections: "Communication Strategies" and "Advertising".
    SSTab1->blockSignals(true);
    SSTab1->setTab(4);
    SSTab1->blockSignals(false);

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
    std::tie(Picture1, txtFirstStatement) = makePicture("txtFirstStatement", twipsRect(180, 3045, 12200, 3600), 3375);
    std::tie(Picture2, txtSecondStatement) = makePicture("txtSecondStatement", twipsRect(180, 7500, 12200, 3560), 3315);
    Picture1->setObjectName(QStringLiteral("Picture1"));
    Picture2->setObjectName(QStringLiteral("Picture2"));
    // Over the strips' pages, whichever tab is selected.
    Picture1->raise();
    Picture2->raise();

    QWidget::setTabOrder(txtProductName, txtMktPlan);
    QWidget::setTabOrder(txtMktPlan, txtFirstStatement);
    QWidget::setTabOrder(txtFirstStatement, txtSecondStatement);
    QWidget::setTabOrder(txtSecondStatement, SSTab1);
    QWidget::setTabOrder(SSTab1, SSTab3);
    QWidget::setTabOrder(SSTab3, PushButton1);

    for (QWidget* watched : {static_cast<QWidget*>(PushButton1), static_cast<QWidget*>(Frame1),
                             static_cast<QWidget*>(Frame2)}) {
        watched->setMouseTracking(true);
        watched->installEventFilter(this);
    }
}

QList<QWidget*> Form1::controls() const
{
    return {txtProductName, txtMktPlan, txtFirstStatement, txtSecondStatement, SSTab1, SSTab3,
            Picture1, Picture2, PushButton1, Frame1, Frame2};
}

void Form1::Form_Load()
{
    GuardedProcedure proc(m_report, QLatin1String(kFormLoadLocation));
    const QString programFolder = m_platform.environment->programFolder();

    proc.step(100, [&] { ApplySkin(programFolder, *this, controls(), m_skin); });
    proc.step(104, [&] { setWindowTitle(QLatin1String(kProductName)); });
    proc.step(104, [&] { setWindowIcon(applicationIcon()); });
    proc.step(104, [&] { SetAppTitle(QLatin1String(kProductName)); });
    const QString cursorPath = inFolder(programFolder, {kHandCursorFileName});
    if (proc.test(106, [&] { return FileExists(cursorPath); }))
        proc.step(108, [&] { m_mouseIcon = loadHandCursor(cursorPath); });
    proc.step(110, [&] { MaybeOpenHomePage(m_platform); });
    proc.step(128, [&] { txtProductName->setText(GetPlanSetting(QLatin1String(kCompanyNameKey), QString())); });
    proc.step(130, [&] { txtMktPlan->setText(GetPlanSetting(QLatin1String(kMarketingPlanKey), QString())); });
    proc.step(132, [&] { m_editor.SSTab1_Click(0); });
    proc.step(134, [&] { m_editor.SSTab3_Click(0); });
    proc.step(136, [&] { m_hooks.checkPowerPointInstalled(); });
}

void Form1::showCentred()
{
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        QRect frame = frameGeometry();
        frame.moveCenter(screen->availableGeometry().center());
        move(frame.topLeft());
    }
    txtProductName->setFocus(Qt::TabFocusReason);
    show();
}

QString Form1::productName() const
{
    return txtProductName->text();
}

QString Form1::planTitle() const
{
    return txtMktPlan->text();
}

void Form1::setMousePointer(int pointer)
{
    m_mousePointer = pointer;
    if (pointer == kCustomPointer && m_mouseIcon)
        setCursor(*m_mouseIcon);
    else if (pointer == kCustomPointer)
        setCursor(Qt::ArrowCursor);
    else
        unsetCursor();
}

void Form1::mouseMoveEvent(QMouseEvent* event)
{
    // Moves over child controls arrive here too when they pass them on.
    if (directlyOver(this, event))
        Form_MouseMove();
    QWidget::mouseMoveEvent(event);
}

bool Form1::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::MouseMove) {
        auto* move = static_cast<QMouseEvent*>(event);
        if (watched == PushButton1)
            PushButton1_MouseMove();
        else if (watched == Frame1 && directlyOver(Frame1, move))
            Frame1_MouseMove();
        else if (watched == Frame2 && directlyOver(Frame2, move))
            Frame2_MouseMove();
    }
    return QWidget::eventFilter(watched, event);
}

void Form1::Form_MouseMove()
{
    setMousePointer(kDefaultPointer);
}

void Form1::Frame1_MouseMove()
{
    setMousePointer(kDefaultPointer);
}

void Form1::Frame2_MouseMove()
{
    setMousePointer(kDefaultPointer);
}

void Form1::PushButton1_MouseMove()
{
    setMousePointer(kCustomPointer);
}

void Form1::closeEvent(QCloseEvent* event)
{
    event->accept();
    Form_Unload();
}

void Form1::Form_Unload()
{
    // Nothing to save: every change is already in the plan store.
    m_platform.exit->endNow(0);
}

} // namespace quillora
