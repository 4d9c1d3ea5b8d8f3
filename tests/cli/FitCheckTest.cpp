// quillora-deck --check-fit run as scripts run it: one line per section,
// exit 0 when every section fits at the readable scale, 2 when one does
// not, 1 on bad input, and nothing written. quillora-deck --preview: one
// slide as a PNG, nothing printed, and refusals as one sentence.

#include "tests/support/BuiltTemplate.h"
#include "tests/support/ChildProcess.h"
#include "tests/support/TestFiles.h"
#include "deck/Deck.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QImage>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>
#include <QTemporaryDir>

namespace quillora {
namespace {

const QString kTool = QStringLiteral(QUILLORA_BIN_DIR "/quillora-deck");

QByteArray planWith(const QString& section, int lines, const QString& words)
{
    QJsonArray statement;
    for (int i = 0; i < lines; ++i)
        statement.append(QStringLiteral("Point %1 %2").arg(i + 1).arg(words));
    return QJsonDocument(QJsonObject{{QStringLiteral("productName"), QStringLiteral("Lantern")},
                                     {QStringLiteral("sections"), QJsonObject{{section, statement}}}})
        .toJson();
}

class FitCheck : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        environment.insert(QStringLiteral("XDG_CONFIG_HOME"), dir.filePath(QStringLiteral("config")));
        environment.insert(QStringLiteral("XDG_DATA_HOME"), dir.filePath(QStringLiteral("data")));
        environment.insert(QStringLiteral("LANGUAGE"), QStringLiteral("en"));
    }

    testing::ChildRun run(const QStringList& arguments)
    {
        testing::ChildOptions options;
        options.environment = environment;
        options.workingDirectory = dir.path();
        options.timeoutMs = 120'000;
        return testing::runChild(kTool, arguments, options);
    }

    QString plan(const QByteArray& json)
    {
        const QString path = dir.filePath(QStringLiteral("plan.json"));
        testing::writeFile(path, json);
        return path;
    }

    QTemporaryDir dir;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
};

TEST_F(FitCheck, SaysForEachSectionHowItFitsAndExitsByTheReadableScale)
{
    struct Row {
        const char* what;
        QByteArray json;
        int status;
        QString marketSummary; // the pattern of slide 2's line
    };
    const std::vector<Row> rows{
        {"a short section fits", planWith(QStringLiteral("Market Summary"), 3, QStringLiteral("in short")), 0,
         QStringLiteral("^slide 2, Market Summary: fits$")},
        {"eleven points shrink", planWith(QStringLiteral("Market Summary"), 11, QStringLiteral("about the market")), 0,
         QStringLiteral("^slide 2, Market Summary: (7[0-9]|8[0-9]|9[0-9]) %$")},
        {"forty long points are too long",
         planWith(QStringLiteral("Market Summary"), 40, QStringLiteral("about the market with quite a few words in it")), 2,
         QStringLiteral("^slide 2, Market Summary: [0-9]+ lines over at 71 %$")},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        const QString path = plan(row.json);
        const QStringList before = QDir(dir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot);
        const testing::ChildRun child = run({QStringLiteral("--check-fit"), QStringLiteral("--plan"), path});
        ASSERT_TRUE(child.finished);
        EXPECT_EQ(child.exitCode, row.status) << child.err.constData();
        EXPECT_TRUE(child.err.isEmpty()) << child.err.constData();
        const QStringList lines = QString::fromUtf8(child.out).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
        ASSERT_EQ(lines.size(), 16) << child.out.constData();
        EXPECT_TRUE(QRegularExpression(row.marketSummary).match(lines[0]).hasMatch()) << qPrintable(lines[0]);
        EXPECT_EQ(lines[15], QStringLiteral("slide 17, Schedule: fits"));
        EXPECT_EQ(QDir(dir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot), before) << "nothing written";
    }
}

TEST_F(FitCheck, ReadsTheStoredPlanWithoutAPlanFile)
{
    const QString path = plan(planWith(QStringLiteral("Pricing"), 40, QStringLiteral("about prices and many more words")));
    ASSERT_EQ(run({QStringLiteral("--import-plan"), path}).exitCode, 0);
    const testing::ChildRun child = run({QStringLiteral("--check-fit")});
    EXPECT_EQ(child.exitCode, 2) << child.err.constData();
    EXPECT_TRUE(child.out.contains("slide 12, Pricing: ")) << child.out.constData();
    EXPECT_TRUE(child.out.contains("lines over at 71 %")) << child.out.constData();
}

TEST_F(FitCheck, BadInputIsOneSentenceAndStatusOne)
{
    const QString good = plan(planWith(QStringLiteral("Market Summary"), 3, QStringLiteral("short")));
    const QString broken = dir.filePath(QStringLiteral("broken.json"));
    testing::writeFile(broken, "{\"sections\": ");
    const std::vector<std::pair<QStringList, QString>> rows{
        {{QStringLiteral("--check-fit"), QStringLiteral("--plan"), broken}, QStringLiteral("broken.json")},
        {{QStringLiteral("--check-fit"), QStringLiteral("--plan"), good, QStringLiteral("--template"),
          dir.filePath(QStringLiteral("none.pptx"))},
         QStringLiteral("does not exist")},
        {{QStringLiteral("--check-fit"), QStringLiteral("--plan"), good, QStringLiteral("-o"), QStringLiteral("out.pptx")},
         QStringLiteral("-o does not go with --check-fit")},
        {{QStringLiteral("--check-fit"), QStringLiteral("--pdf")}, QStringLiteral("--pdf does not go with --check-fit")},
        {{QStringLiteral("--check-fit"), QStringLiteral("--check-template")},
         QStringLiteral("--check-template does not go with --check-fit")},
        {{QStringLiteral("--check-fit"), QStringLiteral("extra")}, QStringLiteral("extra does not go with --check-fit")},
    };
    for (const auto& [arguments, words] : rows) {
        SCOPED_TRACE(arguments.join(QLatin1Char(' ')).toStdString());
        const testing::ChildRun child = run(arguments);
        EXPECT_EQ(child.exitCode, 1);
        EXPECT_TRUE(child.out.isEmpty()) << child.out.constData();
        const QString err = QString::fromUtf8(child.err);
        EXPECT_TRUE(err.startsWith(QStringLiteral("quillora-deck: ")) && err.count(QLatin1Char('\n')) == 1)
            << qPrintable(err);
        EXPECT_TRUE(err.contains(words)) << qPrintable(err);
    }
}

using PreviewCommand = FitCheck;

TEST_F(PreviewCommand, WritesTheSlideAsAPngOfTheWidthAskedAndPrintsNothing)
{
    const QString path = plan(planWith(QStringLiteral("Market Summary"), 5, QStringLiteral("about the market")));
    const QSizeF size = [] {
        const auto deck = deck::Presentation::open(testing::builtTemplatePath());
        const deck::XmlElement slide = deck->element().child("sldSz");
        return QSizeF(slide.attribute("cx").value_or(QString()).toDouble(), slide.attribute("cy").value_or(QString()).toDouble());
    }();
    for (const auto& [width, arguments] : std::vector<std::pair<int, QStringList>>{
             {640, {QStringLiteral("--width"), QStringLiteral("640")}}, {1280, {}}}) {
        const QString out = dir.filePath(QStringLiteral("slide%1.png").arg(width));
        const testing::ChildRun child =
            run(QStringList{QStringLiteral("--preview"), QStringLiteral("2"), QStringLiteral("--plan"), path,
                            QStringLiteral("-o"), out} + arguments);
        ASSERT_TRUE(child.finished);
        EXPECT_EQ(child.exitCode, 0) << child.err.constData();
        EXPECT_TRUE(child.out.isEmpty() && child.err.isEmpty()) << child.out.constData() << child.err.constData();
        const QImage image(out, "PNG");
        EXPECT_EQ(image.size(), QSize(width, qRound(width * size.height() / size.width())));
    }
}

TEST_F(PreviewCommand, RefusesWhatItCannotDrawWithOneSentenceAndWritesNothing)
{
    const QString path = plan(planWith(QStringLiteral("Market Summary"), 3, QStringLiteral("short")));
    const QString out = dir.filePath(QStringLiteral("slide.png"));
    const auto preview = [&](const QString& slide, const QStringList& more) {
        return QStringList{QStringLiteral("--preview"), slide, QStringLiteral("--plan"), path} + more;
    };
    const QStringList toOut{QStringLiteral("-o"), out};
    const std::vector<std::tuple<QStringList, int, QString>> rows{
        {preview(QStringLiteral("0"), toOut), 1, QStringLiteral("there is no slide 0: the filled deck has slides 1 to 17")},
        {preview(QStringLiteral("18"), toOut), 1, QStringLiteral("there is no slide 18")},
        {preview(QStringLiteral("two"), toOut), 2, QStringLiteral("--preview takes a slide number")},
        {preview(QStringLiteral("2"), toOut + QStringList{QStringLiteral("--width"), QStringLiteral("9")}), 2,
         QStringLiteral("--width takes a number of pixels from 16 to 8192")},
        {preview(QStringLiteral("2"), toOut + QStringList{QStringLiteral("--pdf")}), 2,
         QStringLiteral("--pdf does not go with --preview")},
        {preview(QStringLiteral("2"), {QStringLiteral("-o"), path}), 1, QStringLiteral("is the plan file being read")},
    };
    for (const auto& [arguments, status, words] : rows) {
        SCOPED_TRACE(arguments.join(QLatin1Char(' ')).toStdString());
        const testing::ChildRun child = run(arguments);
        EXPECT_EQ(child.exitCode, status);
        const QString err = QString::fromUtf8(child.err);
        EXPECT_TRUE(err.startsWith(QStringLiteral("quillora-deck: ")) && err.count(QLatin1Char('\n')) == 1) << qPrintable(err);
        EXPECT_TRUE(err.contains(words)) << qPrintable(err);
        EXPECT_FALSE(QFile::exists(out));
    }
}

} // namespace
} // namespace quillora
