#include "tests/layout/LayoutSamples.h"

#include "tests/support/DeckBuilder.h"
#include "tests/support/EngineDeck.h"

#include <QFile>
#include <QTemporaryDir>

namespace quillora::testing {
namespace {

const QStringList kTopics{QStringLiteral("the Nordic markets"), QStringLiteral("outdoor retailers"),
                          QStringLiteral("the spring catalogue"), QStringLiteral("trail running clubs")};

QString topic(int variant, int i)
{
    return kTopics[(variant + i) % kTopics.size()];
}

QStringList longLines(int count, int variant)
{
    QStringList lines;
    for (int i = 0; i < count; ++i) {
        const QString sentence = QStringLiteral("Point %1 about %2, with enough words to need a second line in the box")
                                     .arg(i + 1)
                                     .arg(topic(variant, i));
        lines << (i % 3 == 2 ? QStringLiteral("- ") + sentence : sentence);
    }
    return lines;
}

} // namespace

std::vector<SampleSection> sampleSections(int variant)
{
    const QString focus = topic(variant, 0);
    return {
        {"short", {QStringLiteral("Grow our share in ") + focus, QStringLiteral("Launch at the Oslo outdoor fair"),
                   QStringLiteral("Partner with two retailers")}},
        {"market summary (5 points, 8 sub-points)",
         {QStringLiteral("Market: past, present, & future"), QStringLiteral("- Outdoor lighting grew 9% a year since 2019"),
          QStringLiteral("- Rechargeable lamps are now half of ") + focus,
          QStringLiteral("Leaders: Petzl, Black Diamond, Ledlenser"),
          QStringLiteral("- The leader holds a third of the premium segment"),
          QStringLiteral("- Prices fell 12% as LED costs dropped"), QStringLiteral("Shifts: online sales overtook stores"),
          QStringLiteral("- Direct brands took 15% share"), QStringLiteral("- Subscriptions are appearing"),
          QStringLiteral("Costs: battery cells are the largest item"), QStringLiteral("- Cell prices fell 30% in three years"),
          QStringLiteral("Pricing: premium lamps sell from 80 to 150 euros"),
          QStringLiteral("- Discounts peak before the summer")}},
        {"long", longLines(9, variant)},
        {"very long", longLines(22, variant)},
        {"long words",
         {QStringLiteral("Register https://example.com/campaigns/") + focus.simplified().replace(QLatin1Char(' '), QLatin1Char('-'))
              + QStringLiteral("/spring-launch-2027/landing-page-with-tracking-parameters-that-never-end"),
          QStringLiteral("Supercalifragilisticexpialidociouslylongproductnamewithoutanyspaceswhateverthatcannotbreak"
                         "atawordboundaryanywhere"),
          QStringLiteral("- Sub-point after the long words")}},
        {"sub-points",
         {QStringLiteral("Channels for ") + focus, QStringLiteral("- Specialist outdoor shops"),
          QStringLiteral("- Department stores"), QStringLiteral("- The web shop"), QStringLiteral("- Marketplaces"),
          QStringLiteral("Events"), QStringLiteral("- Trail races"), QStringLiteral("- Trade fairs"),
          QStringLiteral("- Club evenings")}},
        {"just too long", longLines(variant % 2 ? 7 : 6, variant) + QStringList{QStringLiteral("One more short point")}},
        {"a few lines more", QStringList{QStringLiteral("Opening point about ") + focus} + longLines(8, variant + 1)},
    };
}

QStringList statementOfSize(qsizetype characters)
{
    QStringList lines;
    qsizetype total = 0;
    for (int i = 0; total < characters; ++i) {
        const QString line = i % 2 ? QStringLiteral("- Point %1 of the section: the detail that supports the line above").arg(i)
                                   : QStringLiteral("Line %1 of the section: a statement about the plan").arg(i);
        lines << line;
        total += line.size() + 2;
    }
    return lines;
}

QByteArray filledThroughEngine(const QByteArray& templateBytes, const std::vector<ShapeWrite>& writes)
{
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("deck.pptx"));
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(templateBytes) != templateBytes.size())
        return {};
    file.close();
    EngineDeck engine(path);
    for (const ShapeWrite& write : writes)
        engine.write(write.slide, write.shape, write.lines);
    return engine.failures.failures.empty() ? engine.pack() : QByteArray();
}

TestTemplate styledTestTemplate(int slides)
{
    const QString body = QStringLiteral(
        "<p:sp><p:nvSpPr><p:cNvPr id=\"3\" name=\"Body Placeholder\"/><p:cNvSpPr/><p:nvPr><p:ph type=\"body\" idx=\"1\"/>"
        "</p:nvPr></p:nvSpPr><p:spPr><a:xfrm><a:off x=\"731520\" y=\"1371600\"/><a:ext cx=\"10728960\" cy=\"4846320\"/>"
        "</a:xfrm></p:spPr><p:txBody><a:bodyPr lIns=\"182880\" tIns=\"91440\" rIns=\"137160\" bIns=\"118872\">"
        "<a:normAutofit/></a:bodyPr><a:lstStyle/><a:p><a:r><a:t>Body</a:t></a:r></a:p></p:txBody></p:sp>");
    const QString styles = QStringLiteral(
        "<p:titleStyle><a:lvl1pPr><a:defRPr sz=\"4000\"><a:latin typeface=\"+mj-lt\"/></a:defRPr></a:lvl1pPr></p:titleStyle>"
        "<p:bodyStyle><a:lvl1pPr marL=\"365760\" indent=\"-274320\"><a:lnSpc><a:spcPct val=\"115000\"/></a:lnSpc>"
        "<a:spcBef><a:spcPct val=\"30000\"/></a:spcBef><a:spcAft><a:spcPts val=\"400\"/></a:spcAft>"
        "<a:buFont typeface=\"Arial\"/><a:buChar char=\"&#8226;\"/><a:defRPr sz=\"2000\"><a:latin typeface=\"+mn-lt\"/>"
        "</a:defRPr></a:lvl1pPr></p:bodyStyle>"
        "<p:otherStyle><a:lvl1pPr><a:defRPr sz=\"1800\"/></a:lvl1pPr></p:otherStyle>");
    const QString layoutBody = QStringLiteral(
        "<p:sp><p:nvSpPr><p:cNvPr id=\"3\" name=\"Content\"/><p:cNvSpPr/><p:nvPr><p:ph idx=\"1\"/></p:nvPr></p:nvSpPr>"
        "<p:spPr/><p:txBody><a:bodyPr/><a:lstStyle><a:lvl1pPr marL=\"457200\" indent=\"-320040\"/></a:lstStyle>"
        "<a:p><a:r><a:t>Content</a:t></a:r></a:p></p:txBody></p:sp>");
    const auto slideBody = [](bool own) {
        const QString box = own ? QStringLiteral("<a:xfrm><a:off x=\"1097280\" y=\"1188720\"/><a:ext cx=\"9509760\" "
                                                 "cy=\"5120640\"/></a:xfrm>")
                                : QString();
        const QString list = own ? QStringLiteral("<a:lvl1pPr><a:lnSpc><a:spcPts val=\"2800\"/></a:lnSpc>"
                                                  "<a:defRPr><a:latin typeface=\"Cambria\"/></a:defRPr></a:lvl1pPr>")
                                 : QString();
        return QStringLiteral("<p:sp><p:nvSpPr><p:cNvPr id=\"3\" name=\"Rectangle 3\"/><p:cNvSpPr/><p:nvPr><p:ph idx=\"1\"/>"
                              "</p:nvPr></p:nvSpPr><p:spPr>%1</p:spPr><p:txBody><a:bodyPr/><a:lstStyle>%2</a:lstStyle>"
                              "<a:p><a:pPr><a:buChar char=\"&#8226;\"/></a:pPr><a:r><a:rPr lang=\"en-US\"/><a:t>Hint</a:t>"
                              "</a:r></a:p></p:txBody></p:sp>")
            .arg(box, list);
    };
    DeckRecipe recipe;
    for (int n = 1; n <= slides; ++n)
        recipe.slides << slideBody(n == slides);
    PackageParts parts = PackageParts::fromZip(makeDeck(recipe));
    parts.set(QStringLiteral("ppt/slideMasters/slideMaster1.xml"), masterXml(body, styles));
    parts.set(QStringLiteral("ppt/slideLayouts/slideLayout1.xml"), layoutXml(layoutBody));
    parts.set(QStringLiteral("ppt/theme/theme1.xml"), themeXml(QStringLiteral("Cambria"), QStringLiteral("Calibri")));
    return {parts.zip(), slides};
}

} // namespace quillora::testing
