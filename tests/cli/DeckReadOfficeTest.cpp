// Decks that LibreOffice saved, read back: the engine's deck saved again as
// .pptx by Impress, and decks edited, then converted to .odp, which
// the command has LibreOffice convert back before it reads them (.ppt: the
// statement shape of slide 2 is not found after that trip, left open).

#include "tests/cli/ReadBack.h"
#include "tests/support/ChildProcess.h"
#include "tests/support/DeckBuilder.h"
#include "tests/support/LibreOffice.h"
#include "tests/support/TestFiles.h"

#include <QDir>
#include <QTemporaryDir>
#include <QUrl>

using namespace quillora;
using namespace quillora::testing;

namespace {

// The deck at `path` converted by a headless office with a profile of its
// own; the converted file's path, or empty.
QString converted(const QString& path, const QString& format, const QTemporaryDir& dir)
{
    // One profile for the binary: a new one costs the office seconds each time.
    static const QTemporaryDir profile;
    const QString out = dir.filePath(format + QStringLiteral("-out"));
    const ChildRun run = runChild(findOfficeTools().soffice,
                                  {QStringLiteral("--headless"), QStringLiteral("--norestore"),
                                   QStringLiteral("-env:UserInstallation=") +
                                       QUrl::fromLocalFile(profile.path()).toString(),
                                   QStringLiteral("--convert-to"), format, QStringLiteral("--outdir"), out, path},
                                  ChildOptions{.timeoutMs = 180'000});
    const QString result = QDir(out).filePath(QFileInfo(path).completeBaseName() + u'.' + format);
    EXPECT_TRUE(run.succeeded() && QFileInfo(result).isFile()) << run.diagnostics(QStringLiteral("soffice")).toStdString();
    return result;
}

class ImpressSaved : public ::testing::TestWithParam<HostilePlanRow> {};

TEST_P(ImpressSaved, TheDeckImpressSavedGivesThePlanBack)
{
    if (findOfficeTools().soffice.isEmpty())
        GTEST_SKIP() << "LibreOffice is not installed";
    QTemporaryDir dir;
    const PlanDocument& plan = GetParam().plan;
    writeFile(dir.filePath(QStringLiteral("deck.odp.pptx")), filledDeck(plan));
    // Through .odp, so Impress writes the .pptx from its own model.
    const QString odp = converted(dir.filePath(QStringLiteral("deck.odp.pptx")), QStringLiteral("odp"), dir);
    const DeckReading reading = readBack(readFile(converted(odp, QStringLiteral("pptx"), dir)));
    EXPECT_EQ(reading.leftOut, QStringList());
    EXPECT_EQ(planText(reading.plan), planText(plan));
}

// Impress keeps only some of the hostile plans: it writes control
// characters as literal "_xHHHH_" text, ends a paragraph's closing line
// break with a space, and takes minutes over the very long lines.
std::vector<HostilePlanRow> plansImpressKeeps()
{
    std::vector<HostilePlanRow> rows;
    for (HostilePlanRow& row : hostilePlans())
        if (std::string(row.name) == "EmptyStatements")
            rows.push_back(std::move(row));
    return rows;
}

INSTANTIATE_TEST_SUITE_P(Plans, ImpressSaved, ::testing::ValuesIn(plansImpressKeeps()),
                         [](const auto& info) { return std::string(info.param.name); });

class EditedInOffice : public ::testing::TestWithParam<const char*> {};

TEST_P(EditedInOffice, TheCommandReadsTheEdit)
{
    if (findOfficeTools().soffice.isEmpty())
        GTEST_SKIP() << "LibreOffice is not installed";
    QTemporaryDir dir;
    const PlanDocument plan = fullPlan(QStringLiteral("Acme"), QStringLiteral("Plan"), {{key(10), QStringLiteral("Premium\r\n- above the rest")}});
    PackageParts parts = PackageParts::fromZip(filledDeck(plan));
    const QString slide = QStringLiteral("ppt/slides/slide12.xml");
    parts.set(slide, parts.part(slide).replace(">Premium<", ">Premium, 10 % off in May<"));
    writeFile(dir.filePath(QStringLiteral("edited.pptx")), parts.zip());
    const QString deck = converted(dir.filePath(QStringLiteral("edited.pptx")), QString::fromLatin1(GetParam()), dir);

    ChildOptions options;
    options.environment.insert(QStringLiteral("XDG_CONFIG_HOME"), dir.filePath(QStringLiteral("config")));
    options.timeoutMs = 240'000;
    const ChildRun run = runChild(QStringLiteral(QUILLORA_BIN_DIR "/quillora-deck"), {QStringLiteral("--read-deck"), deck}, options);
    ASSERT_TRUE(run.succeeded()) << run.diagnostics(QStringLiteral("quillora-deck")).toStdString();
    PlanDocument expected = plan;
    expected.statements[key(10)] = QStringLiteral("Premium, 10 % off in May\r\n- above the rest");
    EXPECT_EQ(run.out.toStdString(), planText(expected));
}

INSTANTIATE_TEST_SUITE_P(Formats, EditedInOffice, ::testing::Values("pptx", "odp"));

} // namespace
