#include "ui/WindowLayout.h"
#include "ui/PlanForm.h"
#include "ui/SlidePreview.h"
#include "ui/WindowPlacement.h"
#include "ui/controls/LineBox.h"
#include "ui/controls/PictureBox.h"
#include "ui/controls/StatementBox.h"
#include "ui/controls/TabStrip.h"
#include "ui/controls/Twips.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QGroupBox>
#include <QPushButton>
#include <QVBoxLayout>

namespace quillora {
namespace {

// A frame holding its field at the field's designed distance from each edge.
void layOutFrame(QGroupBox& frame, LineBox& field, const QRect& frameRect, const QRect& fieldRect)
{
    // Measured from the frame's edges, whatever room its title takes.
    frame.setAttribute(Qt::WA_LayoutOnEntireRect);
    auto* layout = new QVBoxLayout(&frame);
    layout->setContentsMargins(marginsAround(QRect(QPoint(), frameRect.size()), fieldRect));
    layout->addWidget(&field);
    field.setFixedHeight(fieldRect.height());
    frame.setFixedHeight(frameRect.height());
}

// A picture box holding its statement box, with the fit meter's line under
// it, at the designed distances.
void layOutPicture(PictureBox& picture, StatementBox& box, QLabel& fitLine, const QRect& pictureRect,
                   const QRect& boxRect)
{
    auto* layout = new QVBoxLayout(&picture);
    layout->setContentsMargins(marginsAround(QRect(QPoint(), pictureRect.size()), boxRect));
    layout->setSpacing(0);
    layout->addWidget(&box);
    layout->addWidget(&fitLine);
    fitLine.setFixedHeight(fitLine.fontMetrics().height() + 2);
    // Made small, a box keeps three lines to write in.
    box.setMinimumHeight(3 * box.fontMetrics().lineSpacing() + 2 * box.frameWidth());
}

// A strip with its picture box laid over the strip's page: the strip spans a
// 3x3 grid whose outer rows and columns are the designed distances, and the
// picture box fills the middle cell, which takes every change of size.
QGridLayout* overlay(TabStrip& tabs, PictureBox& picture, const QRect& tabsRect, const QRect& pictureRect)
{
    auto* grid = new QGridLayout;
    grid->setContentsMargins(0, 0, 0, 0);
    grid->setSpacing(0);
    const QMargins around = marginsAround(tabsRect, pictureRect);
    grid->addWidget(&tabs, 0, 0, 3, 3);
    grid->addWidget(&picture, 1, 1);
    grid->setRowMinimumHeight(0, around.top());
    grid->setRowMinimumHeight(2, around.bottom());
    grid->setColumnMinimumWidth(0, around.left());
    grid->setColumnMinimumWidth(2, around.right());
    grid->setRowStretch(1, 1);
    grid->setColumnStretch(1, 1);
    return grid;
}

// The store notice's distance below the lower strip.
constexpr int kNoticeGapTwips = 60;
constexpr char kNoticeRoomName[] = "StoreNoticeRoom";

} // namespace

QSize designedWindowSize()
{
    return QSize(twipsToPixels(12720), twipsToPixels(11235));
}

namespace {

// The designed places, in pixels of the designed client area.
struct DesignedPlaces {
    QRect generateButton, productNameFrame, planTitleFrame, productNameField, planTitleField;
    QRect firstSectionTabs, secondSectionTabs, firstStatementPage, secondStatementPage;
    QRect firstStatementBox, secondStatementBox;
};

// The room between two places one above the other.
int gap(const QRect& above, const QRect& below)
{
    return below.top() - above.bottom() - 1;
}

const DesignedPlaces& designedPlaces()
{
    static const DesignedPlaces places = [] {
        DesignedPlaces p;
        p.generateButton = twipsRect(120, 120, 12480, 400);
        p.productNameFrame = twipsRect(120, 550, 12480, 820);
        p.planTitleFrame = twipsRect(120, 1440, 12480, 820);
        p.productNameField = twipsRect(240, 300, 12000, 375); // inside its frame
        p.planTitleField = p.productNameField;
        p.firstSectionTabs = twipsRect(120, 2385, 12480, 4335);
        p.secondSectionTabs = twipsRect(120, 6840, 12480, 4275);
        p.firstStatementPage = twipsRect(180, 3045, 12200, 3600);
        p.secondStatementPage = twipsRect(180, 7500, 12200, 3560);
        p.firstStatementBox = twipsRect(120, 120, 11970, 3375); // inside its picture box
        p.secondStatementBox = twipsRect(120, 120, 11970, 3315);
        return p;
    }();
    return places;
}

} // namespace

int slidePreviewRoom(const QWidget& preview)
{
    return preview.isHidden() ? 0 : preview.sizeHint().width();
}

int fitStoreNotice(QWidget& window, const QWidget& notice)
{
    const int gap = notice.isHidden() ? 0 : twipsToPixels(kNoticeGapTwips);
    if (auto* room = window.findChild<QVBoxLayout*>(QLatin1String(kNoticeRoomName)))
        room->setContentsMargins(0, gap, 0, 0);
    if (notice.isHidden())
        return 0;
    const int sides = designedWindowSize().width() - designedPlaces().secondSectionTabs.width();
    return gap + notice.heightForWidth(window.width() - sides);
}

void layOutForm(QWidget& form, const PlanControls& c)
{
    const DesignedPlaces& p = designedPlaces();

    layOutFrame(*c.productNameFrame, *c.productNameField, p.productNameFrame, p.productNameField);
    layOutFrame(*c.planTitleFrame, *c.planTitleField, p.planTitleFrame, p.planTitleField);
    layOutPicture(*c.firstStatementPage, *c.firstStatementBox, *c.firstFitLine, p.firstStatementPage,
                  p.firstStatementBox);
    layOutPicture(*c.secondStatementPage, *c.secondStatementBox, *c.secondFitLine, p.secondStatementPage,
                  p.secondStatementBox);
    for (QWidget* grows : {static_cast<QWidget*>(c.firstSectionTabs), static_cast<QWidget*>(c.secondSectionTabs),
                           static_cast<QWidget*>(c.firstStatementPage), static_cast<QWidget*>(c.secondStatementPage)})
        grows->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);

    // The frames above the strips, with the designed gaps between them.
    auto* column = new QVBoxLayout(&form);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);
    column->addWidget(c.productNameFrame);
    column->addSpacing(gap(p.productNameFrame, p.planTitleFrame));
    column->addWidget(c.planTitleFrame);
    column->addSpacing(gap(p.planTitleFrame, p.firstSectionTabs));
    // The strips share the height as designed, and any extra in that ratio;
    // the preview stands beside them (a hidden widget takes no room).
    auto* strips = new QVBoxLayout;
    strips->setSpacing(0);
    strips->addLayout(overlay(*c.firstSectionTabs, *c.firstStatementPage, p.firstSectionTabs, p.firstStatementPage),
                      p.firstSectionTabs.height());
    strips->addSpacing(gap(p.firstSectionTabs, p.secondSectionTabs));
    strips->addLayout(
        overlay(*c.secondSectionTabs, *c.secondStatementPage, p.secondSectionTabs, p.secondStatementPage),
        p.secondSectionTabs.height());
    auto* beside = new QHBoxLayout;
    beside->setSpacing(0);
    beside->addLayout(strips, 1);
    beside->addWidget(c.slidePreview);
    column->addLayout(beside, 1);
}

void layOutWindow(QWidget& window, QPushButton& generateButton, QWidget& form, QWidget& storeNotice)
{
    const DesignedPlaces& p = designedPlaces();
    const QSize designed = designedWindowSize();

    generateButton.setFixedHeight(p.generateButton.height());
    // One column, top to bottom, with the designed margins.
    auto* column = new QVBoxLayout(&window);
    column->setContentsMargins(marginsAround(QRect(QPoint(), designed),
                                             p.generateButton.united(p.secondSectionTabs)));
    column->setSpacing(0);
    column->addWidget(&generateButton);
    column->addSpacing(gap(p.generateButton, p.productNameFrame));
    column->addWidget(&form, 1);
    // The notice's gap is only kept while the notice shows (see fitStoreNotice).
    auto* noticeRoom = new QVBoxLayout;
    noticeRoom->setObjectName(QLatin1String(kNoticeRoomName));
    noticeRoom->setContentsMargins(0, 0, 0, 0);
    noticeRoom->addWidget(&storeNotice);
    column->addLayout(noticeRoom);

    window.setMinimumSize(kMinimumWindowSize.expandedTo(column->totalMinimumSize()));
    window.resize(designed);
}

} // namespace quillora
