#include "ui/PlanForm.h"
#include "ui/Skin.h"
#include "ui/SlidePreview.h"
#include "ui/WindowLayout.h"
#include "ui/controls/LineBox.h"
#include "ui/controls/PictureBox.h"
#include "ui/controls/StatementBox.h"
#include "ui/controls/TabStrip.h"
#include "ui/controls/Twips.h"

#include <QApplication>
#include <QGroupBox>
#include <QLabel>

namespace quillora {
namespace {

constexpr int kTabHeightTwips = 300;

QStringList captionsOf(Strip strip)
{
    QStringList captions;
    for (int tab = 0; tab < kTabsPerStrip; ++tab)
        captions << findSection(strip, tab)->shownCaption();
    return captions;
}

} // namespace

PlanForm::PlanForm(PlanKeeper& keeper, QWidget* parent)
    : QWidget(parent), m_editor(EditorControls{}, keeper)
{
    createControls();
    m_editor = SectionEditor(EditorControls{firstSectionTabs, secondSectionTabs, firstStatementBox, secondStatementBox,
                                            productNameField, planTitleField, nullptr},
                             keeper);
    m_editor.connectControls();
    m_editor.nameStatementBoxes();
    // After the editor's handlers: the plan holds the change when the form
    // tells it.
    for (const Strip strip : {Strip::First, Strip::Second}) {
        connect(statementBox(strip), &StatementBox::Change, this, [this, strip] { Q_EMIT statementEdited(strip); });
        connect(tabs(strip), &TabStrip::tabClicked, this, [this, strip] { Q_EMIT sectionChosen(strip); });
    }
    for (LineBox* field : {productNameField, planTitleField})
        connect(field, &LineBox::Change, this, &PlanForm::titleEdited);
    m_focusFollower = connect(qApp, &QApplication::focusChanged, this, [this](QWidget*, QWidget* now) {
        if (now == productNameField || now == planTitleField)
            Q_EMIT partFocused(FormPart::Titles);
        else if (now == firstStatementBox)
            Q_EMIT partFocused(FormPart::First);
        else if (now == secondStatementBox)
            Q_EMIT partFocused(FormPart::Second);
    });
}

PlanForm::~PlanForm()
{
    // The application's focus moves while QWidget's destructor hides the
    // form, after its own members are gone.
    disconnect(m_focusFollower);
}

void PlanForm::createControls()
{
    // Moves over the form's own background pass on to the window.
    setMouseTracking(true);
    auto makeFrame = [this](const char* name, const QString& caption) {
        auto* frame = new QGroupBox(caption, this);
        frame->setObjectName(QLatin1String(name));
        setBackColor(*frame, Qt::white);
        auto* field = new LineBox(frame);
        return std::pair{frame, field};
    };
    std::tie(productNameFrame, productNameField) = makeFrame("Frame1", tr("Product Name"));
    std::tie(planTitleFrame, planTitleField) = makeFrame("Frame2", tr("Marketing Plan"));
    productNameField->setObjectName(QStringLiteral("txtProductName"));
    planTitleField->setObjectName(QStringLiteral("txtMktPlan"));

    auto makeStrip = [this](const char* name, Strip strip, int tabsPerRow) {
        auto* tabs = new TabStrip(this);
        tabs->setObjectName(QLatin1String(name));
        tabs->setCaptions(captionsOf(strip));
        tabs->setTabsPerRow(tabsPerRow);
        tabs->setTabHeight(twipsToPixels(kTabHeightTwips));
        return tabs;
    };
    firstSectionTabs = makeStrip("SSTab1", Strip::First, 4);
    secondSectionTabs = makeStrip("SSTab3", Strip::Second, 5);
    // The lower strip keeps the classic dialog font, so its five tabs a row fit.
    secondSectionTabs->setFont(formFont(8.25, false));
    // The initial sections: "Communication Strategies" and "Advertising".
    firstSectionTabs->blockSignals(true);
    firstSectionTabs->setTab(4);
    firstSectionTabs->blockSignals(false);

    auto makePicture = [this](const char* boxName, const char* lineName) {
        auto* picture = new PictureBox(this);
        // Picture boxes start in the window-background colour of text areas.
        setBackColor(*picture, picture->palette().color(QPalette::Base));
        auto* box = new StatementBox(picture);
        box->setObjectName(QLatin1String(boxName));
        // The fit meter's line: quiet, in the text area's faint colour.
        auto* line = new QLabel(picture);
        line->setObjectName(QLatin1String(lineName));
        line->setFont(formFont(8.25, false));
        line->setForegroundRole(QPalette::PlaceholderText);
        line->setAccessibleDescription(tr("How the statement above fits its slide"));
        return std::tuple{picture, box, line};
    };
    std::tie(firstStatementPage, firstStatementBox, firstFitLine) = makePicture("txtFirstStatement", "lblFirstFit");
    std::tie(secondStatementPage, secondStatementBox, secondFitLine) = makePicture("txtSecondStatement", "lblSecondFit");
    firstStatementPage->setObjectName(QStringLiteral("Picture1"));
    secondStatementPage->setObjectName(QStringLiteral("Picture2"));
    // Over the strips' pages, whichever tab is selected.
    firstStatementPage->raise();
    secondStatementPage->raise();

    slidePreview = new SlidePreview(this);
    slidePreview->hide();

    layOutForm(*this, *this);

    QWidget::setTabOrder(productNameField, planTitleField);
    QWidget::setTabOrder(planTitleField, firstStatementBox);
    QWidget::setTabOrder(firstStatementBox, secondStatementBox);
    QWidget::setTabOrder(secondStatementBox, firstSectionTabs);
    QWidget::setTabOrder(firstSectionTabs, secondSectionTabs);
}

QList<QWidget*> PlanForm::controls() const
{
    return {productNameField, planTitleField, firstStatementBox, secondStatementBox, firstSectionTabs,
            secondSectionTabs, firstStatementPage, secondStatementPage, productNameFrame, planTitleFrame};
}

std::optional<Section> PlanForm::shownSection(Strip strip) const
{
    return findSection(strip, tabs(strip)->tab());
}

void PlanForm::focusFirstField()
{
    productNameField->setFocus(Qt::TabFocusReason);
}

QWidget* PlanForm::lastInTabOrder() const
{
    return secondSectionTabs;
}

} // namespace quillora
