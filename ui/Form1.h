#pragma once
// The main window: the generate button, the product name and plan title
// fields, and two tab strips of eight plan sections each, every strip with
// one statement box laid over its page.

#include "builder/SlideOneTexts.h"
#include "ui/GenerateCommand.h"
#include "ui/SectionEditor.h"
#include "ui/BuilderHooks.h"
#include "core/ErrorReport.h"
#include "core/Platform.h"
#include "ui/SkinFramework.h"

#include <QCursor>
#include <QWidget>
#include <optional>

class QGroupBox;
class QPushButton;

namespace quillora {

class LineBox;
class PictureBox;
class StatementBox;
class TabStrip;

inline constexpr char kProductName[] = "Quillora";
inline constexpr char kFormLoadLocation[] = "in Brindlecoe2021/08/31.Form1.Form_Load ";

class Form1 : public QWidget, public SlideOneTexts {
    Q_OBJECT

public:
    // Mouse pointer values: the default pointer, or the window's mouse icon.
    static constexpr int kDefaultPointer = 0;
    static constexpr int kCustomPointer = 99;

    Form1(Platform& platform, BuilderHooks hooks, QWidget* parent = nullptr);
    ~Form1() override;

    // The start-up: dresses the window and fills the fields from the plan store.
    void Form_Load();
    // Shows the window centred on the screen with the focus in the first field.
    void showCentred();

    QString productName() const override;
    QString planTitle() const override;

    int mousePointer() const { return m_mousePointer; }
    void setMousePointer(int pointer);
    const std::optional<QCursor>& mouseIcon() const { return m_mouseIcon; }

    // The controls in the window's control order.
    QList<QWidget*> controls() const;

    SectionEditor& editor() { return m_editor; }
    GenerateCommand& generateCommand() { return m_generate; }
    const SkinFramework& skin() const { return m_skin; }

    // The controls, named as the event procedures name them.

    QPushButton* PushButton1 = nullptr;
    QGroupBox* Frame1 = nullptr;
    QGroupBox* Frame2 = nullptr;
    LineBox* txtProductName = nullptr;
    LineBox* txtMktPlan = nullptr;
    TabStrip* SSTab1 = nullptr;
    TabStrip* SSTab3 = nullptr;
    PictureBox* Picture1 = nullptr;
    PictureBox* Picture2 = nullptr;
    StatementBox* txtFirstStatement = nullptr;
    StatementBox* txtSecondStatement = nullptr;

protected:
    void mouseMoveEvent(QMouseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void createControls();
    void Form_MouseMove();
    void Frame1_MouseMove();
    void Frame2_MouseMove();
    void PushButton1_MouseMove();
    void Form_Unload();

    Platform& m_platform;
    BuilderHooks m_hooks;
    ErrorReport m_report;
    SkinFramework m_skin;
    int m_mousePointer = kDefaultPointer;
    std::optional<QCursor> m_mouseIcon;
    // Created after the controls they work on.
    SectionEditor m_editor;
    GenerateCommand m_generate;
};

} // namespace quillora
