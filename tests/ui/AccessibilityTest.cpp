#include "plan/SectionCatalogue.h"
#include "ui/MainMenu.h"
#include "ui/Skin.h"
#include "ui/controls/AccessibleEvents.h"
#include "ui/controls/LineBox.h"
#include "ui/controls/ProgressDescription.h"
#include "ui/controls/StatementBox.h"
#include "ui/controls/TabStrip.h"
#include "tests/support/WindowFixture.h"

#include <QAccessible>
#include <QGroupBox>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QTest>

using namespace quillora;
using quillora::testing::WindowFixture;

namespace {

QAccessibleInterface* accessible(QObject* object)
{
    return QAccessible::queryAccessibleInterface(object);
}

// The events the strip raises, as (type, child) pairs. Offscreen, Qt has no
// accessibility and would drop them.
struct EventLog {
    EventLog()
    {
        previous = setAccessibleEventReceiver([this](QAccessibleEvent& e) { seen << std::pair{e.type(), e.child()}; });
    }
    ~EventLog() { setAccessibleEventReceiver(previous); }
    QList<std::pair<QAccessible::Event, int>> seen;
    AccessibleEventReceiver previous;
};

struct Strip8 {
    Strip8()
    {
        for (int i = 0; i < 8; ++i)
            strip.setCaptions(strip.captions() << QStringLiteral("Tab %1").arg(i));
        strip.resize(400, 200);
        strip.setTab(2);
    }
    TabStrip strip;
};

} // namespace

TEST(TabStripAccessibility, APageTabListOfItsTabsWithTheChosenOneSelectedAndPressable)
{
    Strip8 s;
    QAccessibleInterface* list = accessible(&s.strip);
    EXPECT_EQ(list->role(), QAccessible::PageTabList);
    EXPECT_EQ(list->text(QAccessible::Name), QStringLiteral("Tab 2"));
    ASSERT_EQ(list->childCount(), 8);
    for (int i = 0; i < 8; ++i) {
        QAccessibleInterface* tab = list->child(i);
        EXPECT_EQ(tab->role(), QAccessible::PageTab);
        EXPECT_EQ(tab->text(QAccessible::Name), QStringLiteral("Tab %1").arg(i));
        EXPECT_EQ(tab->parent(), list);
        EXPECT_EQ(list->indexOfChild(tab), i);
        EXPECT_TRUE(tab->state().focusable);
        EXPECT_EQ(bool(tab->state().selected), i == 2) << i;
        const QPoint centre = s.strip.mapToGlobal(s.strip.tabRect(i).center());
        EXPECT_TRUE(tab->rect().contains(centre));
        EXPECT_EQ(list->childAt(centre.x(), centre.y()), tab);
    }

    QAccessibleInterface* sixth = list->child(5);
    sixth->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
    EXPECT_EQ(s.strip.tab(), 5);
    EXPECT_TRUE(sixth->state().selected);
    EXPECT_FALSE(list->child(2)->state().selected);

    // Tabs that are gone stop being valid instead of reading past the captions.
    s.strip.setCaptions({QStringLiteral("A"), QStringLiteral("B")});
    EXPECT_EQ(list->childCount(), 2);
    EXPECT_FALSE(sixth->isValid());
}

TEST(TabStripAccessibility, ClicksKeysAndTheFocusAreAnnouncedOnTheTab)
{
    Strip8 s;
    s.strip.show();
    QApplication::setActiveWindow(&s.strip);
    EventLog log;
    QTest::mouseClick(&s.strip, Qt::LeftButton, {}, s.strip.tabRect(6).center());
    ASSERT_EQ(s.strip.tab(), 6);
    using E = std::pair<QAccessible::Event, int>;
    // The tab left and the tab chosen change their selected state; the click focused the strip.
    EXPECT_EQ(log.seen.mid(0, 5), (QList<E>{{QAccessible::StateChanged, 2}, {QAccessible::StateChanged, 6},
                                           {QAccessible::Selection, 6}, {QAccessible::NameChanged, -1},
                                           {QAccessible::Focus, 6}}));
    EXPECT_EQ(accessible(&s.strip)->focusChild(), accessible(&s.strip)->child(6));

    QApplication::processEvents();
    log.seen.clear();
    QTest::keyClick(&s.strip, Qt::Key_End);
    EXPECT_TRUE(log.seen.contains(E{QAccessible::Selection, 7}));
    EXPECT_TRUE(log.seen.contains(E{QAccessible::Focus, 7}));

    // Focus coming back: the tab is reported after Qt has reported the bare strip.
    s.strip.clearFocus();
    log.seen.clear();
    s.strip.setFocus(Qt::TabFocusReason);
    EXPECT_TRUE(log.seen.isEmpty());
    QApplication::processEvents();
    EXPECT_EQ(log.seen, (QList<E>{{QAccessible::Focus, 7}}));
}

class WindowAccessibility : public WindowFixture {};

TEST_F(WindowAccessibility, EveryControlHasItsRoleAndNameAndTheBoxesFollowTheirSection)
{
    MainWindow& w = window();
    const QList<std::tuple<QWidget*, QAccessible::Role, QString>> expected{
        {w.generateButton, QAccessible::Button, QStringLiteral("Start Creating Template")},
        {w.productNameField, QAccessible::EditableText, QStringLiteral("Product Name")},
        {w.planTitleField, QAccessible::EditableText, QStringLiteral("Marketing Plan")},
        {w.firstStatementBox, QAccessible::EditableText, QStringLiteral("Communication Strategies statement")},
        {w.secondStatementBox, QAccessible::EditableText, QStringLiteral("Advertising statement")},
        {w.firstSectionTabs, QAccessible::PageTabList, QStringLiteral("Communication Strategies")},
        {w.secondSectionTabs, QAccessible::PageTabList, QStringLiteral("Advertising")},
    };
    for (const auto& [control, role, name] : expected) {
        EXPECT_EQ(accessible(control)->role(), role) << name.toStdString();
        EXPECT_EQ(accessible(control)->text(QAccessible::Name), name);
        EXPECT_TRUE(accessible(control)->state().focusable) << name.toStdString();
    }
    EXPECT_EQ(accessible(w.firstSectionTabs)->parent(), accessible(&w.form()));
    EXPECT_EQ(accessible(w.firstSectionTabs)->child(6)->text(QAccessible::Name), QStringLiteral("Launch  Strategies"));

    w.startUp();
    w.firstSectionTabs->setTab(0);
    w.secondSectionTabs->setTab(3);
    EXPECT_EQ(accessible(w.firstStatementBox)->text(QAccessible::Name), QStringLiteral("Market Summary statement"));
    EXPECT_EQ(accessible(w.secondStatementBox)->text(QAccessible::Name), QStringLiteral("Distribution statement"));
    EXPECT_EQ(w.firstStatementBox->text(), findSection(Strip::First, 0)->hint());
}

TEST_F(WindowAccessibility, KeyboardAloneReachesEveryControlSwitchesSectionsAndPressesTheButton)
{
    MainWindow& w = shownWindow();
    auto press = [](Qt::Key key, Qt::KeyboardModifiers modifiers = {}, int times = 1) {
        for (int i = 0; i < times; ++i)
            QTest::keyClick(QApplication::focusWidget(), key, modifiers);
    };
    const QList<QWidget*> order{w.productNameField, w.planTitleField,    w.firstStatementBox, w.secondStatementBox,
                                w.firstSectionTabs, w.secondSectionTabs, w.generateButton,    w.productNameField};
    ASSERT_EQ(QApplication::focusWidget(), order[0]);
    const QImage unfocusedStrip = w.firstSectionTabs->grab().toImage();
    for (int i = 1; i < order.size(); ++i) {
        press(Qt::Key_Tab);
        ASSERT_EQ(QApplication::focusWidget(), order[i]) << "stop " << i;
        if (order[i] == w.firstSectionTabs) {
            // The focus shows on the chosen tab and nowhere else.
            const QImage focused = w.firstSectionTabs->grab().toImage();
            QRegion changed;
            for (int y = 0; y < focused.height(); ++y)
                for (int x = 0; x < focused.width(); ++x)
                    if (focused.pixel(x, y) != unfocusedStrip.pixel(x, y))
                        changed += QRect(x, y, 1, 1);
            EXPECT_FALSE(changed.isEmpty());
            EXPECT_TRUE(w.firstSectionTabs->tabRect(4).contains(changed.boundingRect()));
        }
    }
    press(Qt::Key_Tab, Qt::ShiftModifier, 3); // back past the button to the first strip
    ASSERT_EQ(QApplication::focusWidget(), w.firstSectionTabs);

    // On a strip, keys choose sections; the load puts the focus in the box.
    press(Qt::Key_Right);
    EXPECT_EQ(w.firstSectionTabs->tab(), 5);
    EXPECT_EQ(QApplication::focusWidget(), w.firstStatementBox);
    EXPECT_EQ(w.firstStatementBox->accessibleName(), QStringLiteral("Packaging and Fulfillment statement"));
    press(Qt::Key_Tab, {}, 2);
    press(Qt::Key_Home);
    EXPECT_EQ(w.firstSectionTabs->tab(), 0);
    press(Qt::Key_Tab, {}, 3);
    ASSERT_EQ(QApplication::focusWidget(), w.secondSectionTabs);
    press(Qt::Key_End);
    EXPECT_EQ(w.secondSectionTabs->tab(), 7);
    EXPECT_EQ(QApplication::focusWidget(), w.secondStatementBox);

    press(Qt::Key_Tab, {}, 3);
    ASSERT_EQ(QApplication::focusWidget(), w.generateButton);
    press(Qt::Key_Space);
    press(Qt::Key_Return);
    press(Qt::Key_Enter, Qt::KeypadModifier);
    EXPECT_EQ(generations, 3);
    // Return stays a line break in a statement box.
    press(Qt::Key_Tab, Qt::ShiftModifier, 3);
    ASSERT_EQ(QApplication::focusWidget(), w.secondStatementBox);
    const qsizetype breaks = w.secondStatementBox->text().count(QStringLiteral("\r\n"));
    press(Qt::Key_Return);
    EXPECT_EQ(generations, 3);
    EXPECT_EQ(w.secondStatementBox->text().count(QStringLiteral("\r\n")), breaks + 1);
}

TEST_F(WindowAccessibility, WithADarkSchemeTheTextOnTheWhiteWindowTurnsBlackAndTheBoxesStayDark)
{
    const QPalette original = QApplication::palette();
    QPalette dark(QColor(0x35, 0x35, 0x35), QColor(0x2a, 0x2a, 0x2a));
    dark.setColor(QPalette::WindowText, QColor(0xee, 0xee, 0xee));
    QApplication::setPalette(dark);
    {
        MainWindow w(fake.platform, store, hooks);
        for (QWidget* onWhite : QList<QWidget*>{w.productNameFrame, w.planTitleFrame, w.firstSectionTabs}) {
            EXPECT_EQ(onWhite->palette().color(QPalette::Window), QColor(Qt::white));
            EXPECT_EQ(onWhite->palette().color(QPalette::Active, QPalette::WindowText), QColor(Qt::black));
            EXPECT_EQ(onWhite->palette().color(QPalette::Inactive, QPalette::WindowText), QColor(Qt::black));
        }
        EXPECT_EQ(w.firstStatementBox->palette().color(QPalette::Base), dark.color(QPalette::Base));
        EXPECT_EQ(w.firstStatementBox->palette().color(QPalette::Text), dark.color(QPalette::Text));
    }
    QApplication::setPalette(original);

    auto textAfter = [](const QColor& text, const QColor& back) {
        QWidget widget;
        QPalette palette = widget.palette();
        palette.setColor(QPalette::WindowText, text);
        widget.setPalette(palette);
        setBackColor(widget, back);
        return widget.palette().color(QPalette::WindowText);
    };
    EXPECT_EQ(textAfter(QColor(0x20, 0x20, 0x60), Qt::white), QColor(0x20, 0x20, 0x60));
    EXPECT_EQ(textAfter(QColor(0x90, 0x90, 0x90), Qt::white), QColor(Qt::black)); // 3.2 : 1, too faint
    EXPECT_EQ(textAfter(QColor(0x20, 0x20, 0x20), QColor(0x10, 0x10, 0x40)), QColor(Qt::white));
}

TEST(ProgressDescriptionTest, TheButtonDescribesHowFarTheRunHasGotInWholePercent)
{
    QPushButton button(QStringLiteral("Start Creating Template"));
    const auto described = [&](int done, int total) {
        describeProgress(button, done, total);
        return accessible(&button)->text(QAccessible::Description);
    };
    EXPECT_EQ(described(7, 18), QStringLiteral("Creating the template: 38% done"));
    EXPECT_EQ(described(18, 18), QStringLiteral("Creating the template: 100% done"));
    EXPECT_EQ(described(25, 18), QStringLiteral("Creating the template: 100% done"));
    EXPECT_EQ(described(3, 0), QStringLiteral("Creating the template: 0% done"));
    clearProgressDescription(button);
    EXPECT_TRUE(accessible(&button)->text(QAccessible::Description).isEmpty());
    EXPECT_EQ(accessible(&button)->text(QAccessible::Name), QStringLiteral("Start Creating Template"));
}

TEST_F(WindowAccessibility, TheMenusReachAssistiveTechnologyAsAMenuBarWithMenusAndItems)
{
    MainWindow& w = window();
    QAccessibleInterface* bar = accessible(w.menu().bar());
    ASSERT_NE(bar, nullptr);
    EXPECT_EQ(bar->role(), QAccessible::MenuBar);
    ASSERT_EQ(bar->childCount(), 4);
    EXPECT_EQ(bar->child(0)->role(), QAccessible::MenuItem);
    EXPECT_EQ(bar->child(1)->text(QAccessible::Name), QStringLiteral("View"));
    EXPECT_EQ(bar->child(2)->text(QAccessible::Name), QStringLiteral("Tools"));
    EXPECT_EQ(bar->child(3)->text(QAccessible::Name), QStringLiteral("Help"));
    // The mnemonic is told as the menu's key, not as part of its name.
    EXPECT_EQ(bar->child(0)->text(QAccessible::Name), QStringLiteral("File"));
    EXPECT_EQ(bar->child(0)->text(QAccessible::Accelerator), QStringLiteral("Alt+F"));
    QAccessibleInterface* file = accessible(w.menu().fileMenu());
    EXPECT_EQ(file->role(), QAccessible::PopupMenu);
    EXPECT_EQ(file->child(0)->role(), QAccessible::MenuItem);
    EXPECT_EQ(file->child(0)->text(QAccessible::Name), QStringLiteral("Open Plan…"));
    EXPECT_EQ(file->child(0)->text(QAccessible::Accelerator), QStringLiteral("Ctrl+O"));
}
