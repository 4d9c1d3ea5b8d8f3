#pragma once
// The plan form: the product name and plan title fields and the two tab
// strips of eight sections each, every strip with one statement box laid
// over its page and the fit meter's line under it; the slide preview stands
// beside the strips while shown. The form owns these controls, their layout
// and tab order, and the editing of the plan the window holds through them.

#include "plan/PlanKeeper.h"
#include "plan/SectionCatalogue.h"
#include "ui/SectionEditor.h"

#include <QList>
#include <QMetaObject>
#include <QWidget>
#include <optional>

class QGroupBox;
class QLabel;

namespace quillora {

class LineBox;
class PictureBox;
class SlidePreview;
class StatementBox;
class StoreNotice;
class TabStrip;

// The form's controls. Their object names (what a skin's style sheet
// selects) are the classic ones: "Frame1", "SSTab1", "txtMktPlan", ...
struct PlanControls {
    QGroupBox* productNameFrame = nullptr;
    QGroupBox* planTitleFrame = nullptr;
    LineBox* productNameField = nullptr;
    LineBox* planTitleField = nullptr;
    TabStrip* firstSectionTabs = nullptr;
    TabStrip* secondSectionTabs = nullptr;
    PictureBox* firstStatementPage = nullptr;
    PictureBox* secondStatementPage = nullptr;
    StatementBox* firstStatementBox = nullptr;
    StatementBox* secondStatementBox = nullptr;
    // The fit meter's line under each statement box.
    QLabel* firstFitLine = nullptr;
    QLabel* secondFitLine = nullptr;
    // Beside the strips, taking room only while shown.
    SlidePreview* slidePreview = nullptr;
};

// Where in the form the user is at: the two titles, or a strip's section.
enum class FormPart { Titles, First, Second };

class PlanForm : public QWidget, public PlanControls {
    Q_OBJECT

public:
    // Edits the plan `keeper` holds.
    explicit PlanForm(PlanKeeper& keeper, QWidget* parent = nullptr);
    ~PlanForm() override;

    // Shows the plan, loads sections and stores what the hints give.
    SectionEditor& editor() { return m_editor; }
    // Where the store's state is told.
    void setStoreNotice(StoreNotice* notice) { m_editor.setStoreNotice(notice); }

    // The form's controls in their control order.
    QList<QWidget*> controls() const;
    TabStrip* tabs(Strip strip) const { return strip == Strip::First ? firstSectionTabs : secondSectionTabs; }
    StatementBox* statementBox(Strip strip) const
    {
        return strip == Strip::First ? firstStatementBox : secondStatementBox;
    }
    QLabel* fitLine(Strip strip) const { return strip == Strip::First ? firstFitLine : secondFitLine; }
    // The section the strip's chosen tab shows.
    std::optional<Section> shownSection(Strip strip) const;

    // The focus goes to the first field, as when the window opens.
    void focusFirstField();
    // The last control in the tab order, the one the window's own follow.
    QWidget* lastInTabOrder() const;

Q_SIGNALS:
    // The user edited the product name or the plan title; the plan holds it.
    void titleEdited();
    // The user edited the section the strip shows; the plan holds it.
    void statementEdited(Strip strip);
    // A tab of the strip was chosen and its section shown.
    void sectionChosen(Strip strip);
    // The keyboard focus entered a field of this part of the form.
    void partFocused(FormPart part);

private:
    void createControls();

    SectionEditor m_editor;
    QMetaObject::Connection m_focusFollower;
};

} // namespace quillora
