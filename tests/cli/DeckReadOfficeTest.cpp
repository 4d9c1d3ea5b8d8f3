// Decks edited, then saved by LibreOffice as .pptx, .odp or .ppt, read back by the
// command with the edit (.odp and .ppt converted back by LibreOffice first).

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

class EditedInOffice : public ::testing::TestWithParam<const char*> {};

TEST_P(EditedInOffice, TheCommandReadsTheEditAndTheEmptyStatements)
{
    const QString soffice = findOfficeTools().soffice;
    if (soffice.isEmpty())
        GTEST_SKIP() << "LibreOffice is not installed";
    QTemporaryDir dir;
    // Impress also writes control characters as "_xHHHH_" text and ends a
    // closing line break with a space, so only empty statements go through it.
    const Plan plan = fullPlan(QStringLiteral("Acme"), QStringLiteral("Plan"),
                               {{4, QString()}, {5, QStringLiteral("\r\n")}, {6, QStringLiteral("\r\n\r\n")},
                                {7, QStringLiteral("   ")}, {8, QStringLiteral("one\r\n")},
                                {10, QStringLiteral("Premium\r\n- above the rest")}});
    PackageParts parts = PackageParts::fromZip(filledDeck(plan));
    const QString slide = QStringLiteral("ppt/slides/slide12.xml");
    parts.set(slide, parts.part(slide).replace(">Premium<", ">Premium, 10 % off in May<"));
    writeFile(dir.filePath(QStringLiteral("edited.pptx")), parts.zip());

    const QString format = QString::fromLatin1(GetParam());
    const ChildRun office = runChild(
        soffice,
        {QStringLiteral("--headless"), QStringLiteral("--norestore"),
         QStringLiteral("-env:UserInstallation=") + QUrl::fromLocalFile(dir.filePath(QStringLiteral("profile"))).toString(),
         QStringLiteral("--convert-to"), format, QStringLiteral("--outdir"), dir.filePath(QStringLiteral("out")),
         dir.filePath(QStringLiteral("edited.pptx"))},
        ChildOptions{.timeoutMs = 180'000});
    const QString deck = dir.filePath(QStringLiteral("out/edited.") + format);
    ASSERT_TRUE(office.succeeded() && QFileInfo(deck).isFile()) << office.diagnostics(QStringLiteral("soffice")).toStdString();

    ChildOptions options;
    options.environment.insert(QStringLiteral("XDG_CONFIG_HOME"), dir.filePath(QStringLiteral("config")));
    options.timeoutMs = 240'000;
    const ChildRun run = runChild(QStringLiteral(QUILLORA_BIN_DIR "/quillora-deck"), {QStringLiteral("--read-deck"), deck}, options);
    ASSERT_TRUE(run.succeeded()) << run.diagnostics(QStringLiteral("quillora-deck")).toStdString();
    Plan expected = plan;
    expected.statements[10] = QStringLiteral("Premium, 10 % off in May\r\n- above the rest");
    EXPECT_EQ(planText(planOf(parsePlanJson(run.out, QStringLiteral("out")))), planText(expected));
}

INSTANTIATE_TEST_SUITE_P(Formats, EditedInOffice, ::testing::Values("pptx", "odp", "ppt"));

} // namespace
