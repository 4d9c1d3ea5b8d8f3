// File > Bring Back Edits from a Deck: what the window offers from a filled
// deck edited elsewhere, and that nothing is stored before the choice.

#include "cli/GeneratorFiller.h"
#include "core/FileNames.h"
#include "plan/PlanHistory.h"
#include "plan/PlanKeys.h"
#include "ui/DeckEditsChooser.h"
#include "ui/MainMenu.h"
#include "ui/controls/LineBox.h"
#include "ui/controls/TabStrip.h"
#include "tests/support/BuiltTemplate.h"
#include "tests/support/TestFiles.h"
#include "tests/support/WindowFixture.h"

#include <QAction>
#include <QApplication>
#include <QProgressDialog>
#include <QDir>
#include <QTemporaryDir>

using namespace quillora;
using quillora::testing::WindowFixture;
using quillora::testing::builtTemplatePath;

namespace {

const QString kPricing = allSections()[10].key();
const QString kName = QLatin1String(kProductNameKey);

struct ScriptedEdits final : DeckEditsChooser {
    QStringList choose(const std::vector<PartChange>& changes, const QStringList&) override
    {
        shown = changes;
        if (onChoose)
            onChoose();
        return answer;
    }
    std::vector<PartChange> shown;
    QStringList answer;
    std::function<void()> onChoose;
};

struct TakeRow {
    const char* name;
    QStringList taken;
    QString nameAfter, pricingAfter;
};

class DeckEditsFixture : public WindowFixture {
protected:
    void SetUp() override
    {
        WindowFixture::SetUp();
        QDir(planHistoryFolder()).removeRecursively();
        QFile::copy(builtTemplatePath(), QDir(programDir.path()).filePath(QLatin1String(kTemplateFileName)));
        store->values[kName] = QStringLiteral("Acme");
        store->values[kPricing] = QStringLiteral("Old prices");
        auto chooser = std::make_unique<ScriptedEdits>();
        edits = chooser.get();
        loadedWindow().setDeckEditsChooser(std::move(chooser));
    }
    void TearDown() override { QDir(planHistoryFolder()).removeRecursively(); }

    ScriptedEdits* edits = nullptr;
    QTemporaryDir files;
};

class BringBackEdits : public DeckEditsFixture, public ::testing::WithParamInterface<TakeRow> {};

TEST_P(BringBackEdits, TheChangedPartsAreShownAndOnlyThoseTakenAreStored)
{
    MainWindow& w = window();
    Plan edited = w.plan();
    edited.productName = QStringLiteral("Acme Two");
    edited.set(kPricing, QStringLiteral("New prices\r\n- lower"));
    const QString deck = files.filePath(QStringLiteral("edited.pptx"));
    quillora::testing::writeFile(deck, generatorFiller()(builtTemplatePath(), edited, false).bytes);
    const auto before = store->values;
    store->writes.clear();
    edits->answer = GetParam().taken;
    QStringList captionsWhileChoosing;
    edits->onChoose = [&] { captionsWhileChoosing = w.firstSectionTabs->captions() + w.secondSectionTabs->captions(); };
    const QStringList captions = w.firstSectionTabs->captions() + w.secondSectionTabs->captions();
    fake.files.answers = {deck};
    w.menu().bringBackEdits->trigger();
    // Pricing's tab is marked while the choice is made, and only then.
    QStringList marked = captions;
    marked[10].prepend(QStringLiteral("\u25CF "));
    EXPECT_EQ(captionsWhileChoosing, marked);
    EXPECT_EQ(w.firstSectionTabs->captions() + w.secondSectionTabs->captions(), captions);

    EXPECT_TRUE(fake.messages.shown.empty()) << fake.messages.shown.front().text.toStdString();
    ASSERT_EQ(edits->shown.size(), 2u);
    EXPECT_EQ(edits->shown[0].key, kName);
    EXPECT_EQ(edits->shown[1].inPlan, QStringLiteral("Old prices"));
    EXPECT_EQ(edits->shown[1].inDeck, QStringLiteral("New prices\r\n- lower"));
    EXPECT_EQ(store->values[kName], GetParam().nameAfter);
    EXPECT_EQ(store->values[kPricing], GetParam().pricingAfter);
    EXPECT_EQ(w.productNameField->text(), GetParam().nameAfter);
    const std::vector<Snapshot> kept = PlanHistory(planHistoryFolder()).snapshots();
    if (GetParam().taken.isEmpty()) {
        EXPECT_TRUE(store->writes.empty());
        EXPECT_TRUE(kept.empty());
    } else {
        ASSERT_EQ(kept.size(), 1u);
        EXPECT_EQ(kept[0].plan.statements.at(kPricing), before.at(kPricing));
    }
}

INSTANTIATE_TEST_SUITE_P(
    Choices, BringBackEdits,
    ::testing::Values(TakeRow{"None", {}, "Acme", "Old prices"},
                      TakeRow{"Some", {kPricing}, "Acme", "New prices\r\n- lower"},
                      TakeRow{"All", {kName, kPricing}, "Acme Two", "New prices\r\n- lower"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(BringBackEdits, AFileThatIsNoDeckIsToldAndChangesNothing)
{
    const QString notes = files.filePath(QStringLiteral("notes.pptx"));
    quillora::testing::writeFile(notes, "only text");
    fake.files.answers = {notes};
    window().menu().bringBackEdits->trigger();
    ASSERT_EQ(fake.messages.shown.size(), 1u);
    EXPECT_TRUE(fake.messages.shown[0].text.startsWith(QStringLiteral("\"%1\" was not read: ").arg(notes)))
        << fake.messages.shown[0].text.toStdString();
    EXPECT_TRUE(edits->shown.empty());
    EXPECT_EQ(store->values[kName], QStringLiteral("Acme"));
}

// Plays LibreOffice converting an .odp deck: writes the given .pptx bytes, or nothing.
struct ConvertingOffice final : ProcessRunner {
    ProcessOutcome run(const QString&, const QStringList& arguments, int, const Tick& tick) override
    {
        bool goOn = tick(100);
        // The user presses Stop on the dialog the wait shows.
        for (QWidget* widget : QApplication::topLevelWidgets())
            if (auto* progress = qobject_cast<QProgressDialog*>(widget); progress && stop)
                progress->cancel();
        goOn = goOn && tick(200);
        if (goOn && !pptx.isEmpty())
            quillora::testing::writeFile(arguments.at(arguments.indexOf(QStringLiteral("--outdir")) + 1)
                                             + QStringLiteral("/deck.pptx"),
                                         pptx);
        return {true, false, 0, {}, !goOn};
    }
    QString findProgram(const QString& name) override { return installed ? QStringLiteral("/opt/") + name : QString(); }
    bool installed = true, stop = false;
    QByteArray pptx;
};

struct ConversionRow {
    const char* name;
    bool installed, converts, stop;
    const char* told; // %1: the deck; nullptr: nothing told, the edits are shown
};

class BringBackFromOdp : public DeckEditsFixture, public ::testing::WithParamInterface<ConversionRow> {};

TEST_P(BringBackFromOdp, AnOdpDeckIsReadThroughLibreOfficeOrRefusedInASentence)
{
    const ConversionRow& row = GetParam();
    Plan edited = window().plan();
    edited.set(kPricing, QStringLiteral("Prices from Impress"));
    ConvertingOffice office;
    office.installed = row.installed;
    office.stop = row.stop;
    if (row.converts)
        office.pptx = generatorFiller()(builtTemplatePath(), edited, false).bytes;
    fake.platform.processes = &office;
    const QString odp = files.filePath(QStringLiteral("edited.odp"));
    QByteArray package("PK\x03\x04", 4);
    package.append(QByteArray(26, '\0')).append("mimetypeapplication/vnd.oasis.opendocument.presentation");
    quillora::testing::writeFile(odp, package);
    fake.files.answers = {odp};
    window().menu().bringBackEdits->trigger();
    fake.platform.processes = nullptr;
    if (!row.told) {
        EXPECT_TRUE(fake.messages.shown.empty()) << fake.messages.shown.front().text.toStdString();
        ASSERT_EQ(edits->shown.size(), 1u);
        EXPECT_EQ(edits->shown[0].inDeck, QStringLiteral("Prices from Impress"));
        return;
    }
    ASSERT_EQ(fake.messages.shown.size(), 1u);
    EXPECT_EQ(fake.messages.shown[0].text, QString::fromUtf8(row.told).arg(odp));
    EXPECT_TRUE(edits->shown.empty());
}

INSTANTIATE_TEST_SUITE_P(
    Conversions, BringBackFromOdp,
    ::testing::Values(ConversionRow{"Converted", true, true, false, nullptr},
                      ConversionRow{"NotInstalled", false, true, false,
                                    "\"%1\" was not read: the deck \"%1\" is not a .pptx deck, and LibreOffice, "
                                    "which would convert it, is not installed"},
                      ConversionRow{"NothingWritten", true, false, false,
                                    "\"%1\" was not read: LibreOffice could not convert the deck \"%1\" to .pptx"},
                      ConversionRow{"Stopped", true, true, true,
                                    "\"%1\" was not read: the conversion of the deck \"%1\" was stopped"}),
    [](const auto& info) { return std::string(info.param.name); });

} // namespace
