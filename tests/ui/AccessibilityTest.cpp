#include "plan/SectionCatalogue.h"
#include "ui/Skin.h"
#include "ui/controls/AccessibleEvents.h"
#include "ui/controls/LineBox.h"
#include "ui/controls/ProgressDescription.h"
#include "ui/controls/StatementBox.h"
#include "ui/controls/TabStrip.h"
#include "tests/support/WindowFixture.h"

#include <QAccessible>
#include <QGroupBox>
#include <QImage>
#include <QPushButton>
#include <QTest>

using namespace quillora;
using quillora::testing::WindowFixture;

namespace {

struct Seen {
    QAccessible::Event type;
    QObject* object;
    int child;
    QAccessible::State changed;
};

// Keeps every accessibility event the program raises itself.
class EventLog {
public:
    EventLog()
    {
        m_previous = setAccessibleEventReceiver([this](QAccessibleEvent& event) {
            QAccessible::State changed;
            if (event.type() == QAccessible::StateChanged)
                changed = static_cast<QAccessibleStateChangeEvent&>(event).changedStates();
            seen << Seen{event.type(), event.object(), event.child(), changed};
        });
    }
    ~EventLog() { setAccessibleEventReceiver(m_previous); }

    QList<Seen> of(QAccessible::Event type, const QObject* object) const
    {
        QList<Seen> found;
        for (const Seen& e : seen) {
            if (e.type == type && e.object == object)
                found << e;
        }
        return found;
    }

    QList<Seen> seen;

private:
    AccessibleEventReceiver m_previous;
};

QAccessibleInterface* accessible(QObject* object)
{
    return QAccessible::queryAccessibleInterface(object);
}

QStringList eight()
{
    QStringList captions;
    for (int i = 0; i < 8; ++i)
        captions << QStringLiteral("Tab %1").arg(i);
    return captions;
}

struct Strip4 {
    Strip4()
    {
        strip.setCaptions(eight());
        strip.setTabsPerRow(4);
        strip.resize(400, 200);
        strip.move(30, 40);
        strip.setTab(2);
    }
    TabStrip strip;
};

} // namespace

TEST(TabStripAccessibility, TheStripIsAPageTabListOfItsTabsWithTheChosenOneSelected)
{
    Strip4 s;
    QAccessibleInterface* list = accessible(&s.strip);
    ASSERT_NE(list, nullptr);
    EXPECT_EQ(list->role(), QAccessible::PageTabList);
    EXPECT_EQ(list->text(QAccessible::Name), QStringLiteral("Tab 2"));
    ASSERT_EQ(list->childCount(), 8);
    for (int i = 0; i < 8; ++i) {
        QAccessibleInterface* tab = list->child(i);
        ASSERT_NE(tab, nullptr) << i;
        EXPECT_EQ(tab->role(), QAccessible::PageTab);
        EXPECT_EQ(tab->text(QAccessible::Name), QStringLiteral("Tab %1").arg(i));
        EXPECT_EQ(tab->parent(), list);
        EXPECT_EQ(list->indexOfChild(tab), i);
        EXPECT_EQ(list->child(i), tab) << "one interface per tab";
        EXPECT_TRUE(tab->state().focusable);
        EXPECT_EQ(bool(tab->state().selected), i == 2) << i;
        const QRect onScreen(s.strip.mapToGlobal(s.strip.tabRect(i).topLeft()), s.strip.tabRect(i).size());
        EXPECT_EQ(tab->rect(), onScreen) << i;
        EXPECT_EQ(list->childAt(onScreen.center().x(), onScreen.center().y()), tab) << i;
    }
    EXPECT_EQ(list->childCount(), 8);
    EXPECT_EQ(list->childAt(-1000, -1000), nullptr);

    // The tabs' press action chooses them, as a click does.
    QAccessibleInterface* sixth = list->child(5);
    ASSERT_NE(sixth->actionInterface(), nullptr);
    EXPECT_EQ(sixth->actionInterface()->actionNames(), QStringList{QAccessibleActionInterface::pressAction()});
    sixth->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
    EXPECT_EQ(s.strip.tab(), 5);
    EXPECT_TRUE(sixth->state().selected);
    EXPECT_FALSE(list->child(2)->state().selected);
    EXPECT_EQ(list->text(QAccessible::Name), QStringLiteral("Tab 5"));

    // A name given to the strip wins over the chosen caption.
    s.strip.setAccessibleName(QStringLiteral("Sections"));
    EXPECT_EQ(list->text(QAccessible::Name), QStringLiteral("Sections"));

    // Tabs that are gone stop being valid instead of reading past the captions.
    s.strip.setCaptions({QStringLiteral("A"), QStringLiteral("B")});
    EXPECT_EQ(list->childCount(), 2);
    EXPECT_FALSE(sixth->isValid());
    EXPECT_TRUE(sixth->text(QAccessible::Name).isEmpty());
}

TEST(TabStripAccessibility, ClicksAndKeysMoveTheSelectionAndTellAssistiveTechnology)
{
    Strip4 s;
    s.strip.show();
    QApplication::setActiveWindow(&s.strip);
    EventLog log;

    QTest::mouseClick(&s.strip, Qt::LeftButton, {}, s.strip.tabRect(6).center());
    ASSERT_EQ(s.strip.tab(), 6);
    const QList<Seen> states = log.of(QAccessible::StateChanged, &s.strip);
    ASSERT_EQ(states.size(), 2);
    EXPECT_EQ(states[0].child, 2);
    EXPECT_EQ(states[1].child, 6);
    EXPECT_TRUE(states[0].changed.selected && states[1].changed.selected);
    ASSERT_EQ(log.of(QAccessible::Selection, &s.strip).size(), 1);
    EXPECT_EQ(log.of(QAccessible::Selection, &s.strip)[0].child, 6);
    EXPECT_EQ(log.of(QAccessible::NameChanged, &s.strip).size(), 1);
    // The click gave the strip the focus, and the focus is on the chosen tab.
    ASSERT_TRUE(s.strip.hasFocus());
    EXPECT_TRUE(accessible(&s.strip)->child(6)->state().focused);
    EXPECT_EQ(accessible(&s.strip)->focusChild(), accessible(&s.strip)->child(6));
    QApplication::processEvents();
    ASSERT_FALSE(log.of(QAccessible::Focus, &s.strip).isEmpty());
    EXPECT_EQ(log.of(QAccessible::Focus, &s.strip).last().child, 6);

    log.seen.clear();
    QTest::keyClick(&s.strip, Qt::Key_End);
    EXPECT_EQ(s.strip.tab(), 7);
    ASSERT_EQ(log.of(QAccessible::Selection, &s.strip).size(), 1);
    EXPECT_EQ(log.of(QAccessible::Selection, &s.strip)[0].child, 7);
    ASSERT_EQ(log.of(QAccessible::Focus, &s.strip).size(), 1);
    EXPECT_EQ(log.of(QAccessible::Focus, &s.strip)[0].child, 7);

    // Coming back to the strip, the chosen tab is reported as focused once
    // Qt has reported the bare strip.
    s.strip.clearFocus();
    log.seen.clear();
    s.strip.setFocus(Qt::TabFocusReason);
    EXPECT_TRUE(log.of(QAccessible::Focus, &s.strip).isEmpty());
    QApplication::processEvents();
    ASSERT_EQ(log.of(QAccessible::Focus, &s.strip).size(), 1);
    EXPECT_EQ(log.of(QAccessible::Focus, &s.strip)[0].child, 7);
    // The same tab again is no change and says nothing.
    log.seen.clear();
    s.strip.setTab(7);
    EXPECT_TRUE(log.seen.isEmpty());
}

class WindowAccessibility : public WindowFixture {};

TEST_F(WindowAccessibility, EveryControlHasTheRoleAndNameAScreenReaderNeeds)
{
    MainWindow& w = loadedWindow();
    struct Expected {
        QWidget* control;
        QAccessible::Role role;
        QString name;
    };
    const QList<Expected> expected{
        {w.generateButton, QAccessible::Button, QStringLiteral("Start Creating Template")},
        {w.productNameField, QAccessible::EditableText, QStringLiteral("Product Name")},
        {w.planTitleField, QAccessible::EditableText, QStringLiteral("Marketing Plan")},
        {w.firstStatementBox, QAccessible::EditableText, QStringLiteral("Communication Strategies statement")},
        {w.secondStatementBox, QAccessible::EditableText, QStringLiteral("Advertising statement")},
        {w.firstSectionTabs, QAccessible::PageTabList, QStringLiteral("Communication Strategies")},
        {w.secondSectionTabs, QAccessible::PageTabList, QStringLiteral("Advertising")},
    };
    for (const Expected& e : expected) {
        QAccessibleInterface* iface = accessible(e.control);
        ASSERT_NE(iface, nullptr) << e.control->objectName().toStdString();
        EXPECT_EQ(iface->role(), e.role) << e.control->objectName().toStdString();
        EXPECT_EQ(iface->text(QAccessible::Name), e.name);
        EXPECT_TRUE(iface->state().focusable) << e.control->objectName().toStdString();
    }
    // The strips sit in the window's tree with their eight tabs, captions unchanged.
    QAccessibleInterface* strip = accessible(w.firstSectionTabs);
    EXPECT_EQ(strip->parent(), accessible(&w));
    ASSERT_EQ(strip->childCount(), 8);
    EXPECT_EQ(strip->child(6)->text(QAccessible::Name), QStringLiteral("Launch  Strategies"));
    EXPECT_TRUE(strip->child(4)->state().selected);
    EXPECT_EQ(accessible(w.secondSectionTabs)->child(4)->text(QAccessible::Name), QStringLiteral("Vertical Markets/Segments"));
}

TEST_F(WindowAccessibility, ChoosingASectionRenamesOnlyItsOwnStatementBox)
{
    MainWindow& w = loadedWindow();
    w.firstSectionTabs->setTab(0);
    EXPECT_EQ(accessible(w.firstStatementBox)->text(QAccessible::Name), QStringLiteral("Market Summary statement"));
    EXPECT_EQ(accessible(w.secondStatementBox)->text(QAccessible::Name), QStringLiteral("Advertising statement"));
    w.secondSectionTabs->setTab(3);
    EXPECT_EQ(accessible(w.secondStatementBox)->text(QAccessible::Name), QStringLiteral("Distribution statement"));
    // The statements themselves are untouched by the naming.
    EXPECT_EQ(w.firstStatementBox->text(), findSection(Strip::First, 0)->hint());
}

TEST_F(WindowAccessibility, BeforeTheStartUpTheBoxesAreAlreadyNamedForTheInitialSections)
{
    MainWindow& w = window();
    EXPECT_EQ(w.firstStatementBox->accessibleName(), QStringLiteral("Communication Strategies statement"));
    EXPECT_EQ(w.secondStatementBox->accessibleName(), QStringLiteral("Advertising statement"));
}

class KeyboardOnly : public WindowFixture {
protected:
    void press(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
    {
        QWidget* focus = QApplication::focusWidget();
        ASSERT_NE(focus, nullptr);
        QTest::keyClick(focus, key, modifiers);
    }
    // Presses Tab until the focus is on target; fails after a whole round.
    void tabTo(QWidget* target)
    {
        for (int i = 0; i < 10 && QApplication::focusWidget() != target; ++i)
            press(Qt::Key_Tab);
        ASSERT_EQ(QApplication::focusWidget(), target);
    }
};

TEST_F(KeyboardOnly, TabVisitsEveryControlInOrderAndComesBackRound)
{
    MainWindow& w = shownWindow();
    ASSERT_EQ(QApplication::focusWidget(), w.productNameField);
    QList<QWidget*> visited{QApplication::focusWidget()};
    for (int i = 0; i < 7; ++i) {
        press(Qt::Key_Tab);
        visited << QApplication::focusWidget();
    }
    const QList<QWidget*> expected{w.productNameField,   w.planTitleField,    w.firstStatementBox,
                                   w.secondStatementBox, w.firstSectionTabs,  w.secondSectionTabs,
                                   w.generateButton,     w.productNameField};
    EXPECT_EQ(visited, expected);
    press(Qt::Key_Tab, Qt::ShiftModifier);
    EXPECT_EQ(QApplication::focusWidget(), w.generateButton);
}

TEST_F(KeyboardOnly, TheStripsSwitchSectionsAndTheButtonRunsWithoutTheMouse)
{
    MainWindow& w = shownWindow();
    tabTo(w.firstSectionTabs);
    press(Qt::Key_Right);
    EXPECT_EQ(w.firstSectionTabs->tab(), 5);
    // The section load hands the focus to the box, now named for the new section.
    EXPECT_EQ(QApplication::focusWidget(), w.firstStatementBox);
    EXPECT_EQ(w.firstStatementBox->accessibleName(), QStringLiteral("Packaging and Fulfillment statement"));
    EXPECT_EQ(w.firstStatementBox->text(), findSection(Strip::First, 5)->hint());

    tabTo(w.firstSectionTabs);
    press(Qt::Key_Home);
    EXPECT_EQ(w.firstSectionTabs->tab(), 0);
    tabTo(w.secondSectionTabs);
    press(Qt::Key_End);
    EXPECT_EQ(w.secondSectionTabs->tab(), 7);
    EXPECT_EQ(QApplication::focusWidget(), w.secondStatementBox);
    tabTo(w.secondSectionTabs);
    press(Qt::Key_Up);
    EXPECT_EQ(w.secondSectionTabs->tab(), 6);

    tabTo(w.generateButton);
    press(Qt::Key_Space);
    EXPECT_EQ(generations, 1);
    press(Qt::Key_Return);
    EXPECT_EQ(generations, 2);
    press(Qt::Key_Enter, Qt::KeypadModifier);
    EXPECT_EQ(generations, 3);
    // Return stays a plain key elsewhere: in a statement box it is a line break.
    tabTo(w.firstStatementBox);
    const qsizetype breaks = w.firstStatementBox->text().count(QStringLiteral("\r\n"));
    press(Qt::Key_Return);
    EXPECT_EQ(generations, 3);
    EXPECT_EQ(w.firstStatementBox->text().count(QStringLiteral("\r\n")), breaks + 1);
}

TEST_F(KeyboardOnly, AFocusedStripDrawsTheFocusOnItsChosenTab)
{
    MainWindow& w = shownWindow();
    const QImage unfocused = w.firstSectionTabs->grab().toImage();
    tabTo(w.firstSectionTabs);
    const QImage focused = w.firstSectionTabs->grab().toImage();
    ASSERT_EQ(focused.size(), unfocused.size());
    // Only the chosen tab changes.
    const QRect chosen = w.firstSectionTabs->tabRect(w.firstSectionTabs->tab());
    bool changedInside = false;
    bool changedOutside = false;
    for (int y = 0; y < focused.height(); ++y) {
        for (int x = 0; x < focused.width(); ++x) {
            if (focused.pixel(x, y) != unfocused.pixel(x, y))
                (chosen.contains(x, y) ? changedInside : changedOutside) = true;
        }
    }
    EXPECT_TRUE(changedInside);
    EXPECT_FALSE(changedOutside);
}

TEST(ProgressDescriptionTest, TheButtonDescribesHowFarTheRunHasGotInWholePercent)
{
    QPushButton button(QStringLiteral("Start Creating Template"));
    describeProgress(button, 7, 18);
    EXPECT_EQ(accessible(&button)->text(QAccessible::Description), QStringLiteral("Creating the template: 38% done"));
    describeProgress(button, 18, 18);
    EXPECT_EQ(button.accessibleDescription(), QStringLiteral("Creating the template: 100% done"));
    describeProgress(button, 25, 18);
    EXPECT_EQ(button.accessibleDescription(), QStringLiteral("Creating the template: 100% done"));
    describeProgress(button, 3, 0);
    EXPECT_EQ(button.accessibleDescription(), QStringLiteral("Creating the template: 0% done"));
    clearProgressDescription(button);
    EXPECT_TRUE(accessible(&button)->text(QAccessible::Description).isEmpty());
    // The caption is never touched.
    EXPECT_EQ(accessible(&button)->text(QAccessible::Name), QStringLiteral("Start Creating Template"));
}

TEST_F(WindowAccessibility, WithADarkSchemeTheTextOnTheWhiteWindowTurnsBlackAndTheBoxesStayDark)
{
    const QPalette original = QApplication::palette();
    QPalette dark(QColor(0x35, 0x35, 0x35), QColor(0x2a, 0x2a, 0x2a));
    dark.setColor(QPalette::WindowText, QColor(0xee, 0xee, 0xee));
    QApplication::setPalette(dark);
    {
        MainWindow darkWindow(fake.platform, hooks);
        for (QWidget* onWhite : {static_cast<QWidget*>(darkWindow.productNameFrame),
                                 static_cast<QWidget*>(darkWindow.planTitleFrame),
                                 static_cast<QWidget*>(darkWindow.firstSectionTabs),
                                 static_cast<QWidget*>(darkWindow.secondSectionTabs)}) {
            EXPECT_EQ(onWhite->palette().color(QPalette::Window), QColor(Qt::white));
            EXPECT_EQ(onWhite->palette().color(QPalette::Active, QPalette::WindowText), QColor(Qt::black))
                << onWhite->objectName().toStdString();
            EXPECT_EQ(onWhite->palette().color(QPalette::Inactive, QPalette::WindowText), QColor(Qt::black));
        }
        // The boxes keep the scheme's own dark page and light text.
        EXPECT_EQ(darkWindow.firstStatementBox->palette().color(QPalette::Base), dark.color(QPalette::Base));
        EXPECT_EQ(darkWindow.firstStatementBox->palette().color(QPalette::Text), dark.color(QPalette::Text));
    }
    QApplication::setPalette(original);
}

TEST(BackColor, TextKeepsItsColourWhereReadableElseTakesBlackOrWhite)
{
    auto textAfter = [](const QColor& text, const QColor& back) {
        QWidget widget;
        QPalette palette = widget.palette();
        palette.setColor(QPalette::WindowText, text);
        widget.setPalette(palette);
        setBackColor(widget, back);
        EXPECT_EQ(widget.palette().color(QPalette::Window), back);
        return widget.palette().color(QPalette::WindowText);
    };
    EXPECT_EQ(textAfter(QColor(0x20, 0x20, 0x60), Qt::white), QColor(0x20, 0x20, 0x60));
    EXPECT_EQ(textAfter(QColor(0x90, 0x90, 0x90), Qt::white), QColor(Qt::black)); // 3.2 : 1, too faint
    EXPECT_EQ(textAfter(QColor(0x20, 0x20, 0x20), QColor(0x10, 0x10, 0x40)), QColor(Qt::white));
    EXPECT_EQ(textAfter(QColor(0xee, 0xee, 0xee), QColor(0x10, 0x10, 0x40)), QColor(0xee, 0xee, 0xee));
}
