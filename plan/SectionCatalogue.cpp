#include "plan/SectionCatalogue.h"
#include "plan/PlanKeys.h"

#include <QCoreApplication>

namespace quillora {
namespace {

// The captions and hints are translated under these contexts.
constexpr char kCaptionContext[] = "Section";
constexpr char kHintContext[] = "SectionHint";

// The slide and shape each statement is written into: the template's shape
// names are not uniform.
constexpr std::array<Section, kSectionCount> kSections{{
    {Strip::First, 0, QT_TRANSLATE_NOOP("Section", "Market Summary"),
     QT_TRANSLATE_NOOP("SectionHint",
     "Market: past, present, & future\r\n"
     "- Review changes in market share, leadership, players, market shifts, costs, pricing, competition"), 2, "Rectangle 98"},
    {Strip::First, 1, QT_TRANSLATE_NOOP("Section", "Product Definition"),
     QT_TRANSLATE_NOOP("SectionHint",
     "Describe product/service being marketed."), 3, "Rectangle 3"},
    {Strip::First, 2, QT_TRANSLATE_NOOP("Section", "Competition"),
     QT_TRANSLATE_NOOP("SectionHint",
     "The competitive landscape\r\n"
     "- Provide an overview of product competitors, their strengths and weaknesses\r\n"
     "- Position each competitor\u2019s product against new product"), 4, "Rectangle 18"},
    {Strip::First, 3, QT_TRANSLATE_NOOP("Section", "Positioning"),
     QT_TRANSLATE_NOOP("SectionHint",
     "Positioning of product or service.\r\n"
     "- Statement that distinctly defines the product in its market and against its competition over time.\r\n"
     "Consumer promise.\r\n"
     "- Statement summarizing the benefit of the product or service to the consumer."), 5, "Rectangle 3"},
    {Strip::First, 4, QT_TRANSLATE_NOOP("Section", "Communication Strategies"),
     QT_TRANSLATE_NOOP("SectionHint",
     "Messaging by audience.\r\n"
     "Target consumer demographics."), 6, "Rectangle 3"},
    {Strip::First, 5, QT_TRANSLATE_NOOP("Section", "Packaging and Fulfillment"),
     QT_TRANSLATE_NOOP("SectionHint",
     "Product packaging.\r\n"
     "- Discuss form-factor, pricing, look, strategy.\r\n"
     "- Discuss fulfillment issues for items not shipped directly with product.\r\n"
     "COGs\r\n"
     "- Summarize Cost of Goods and high-level Bill of Materials."), 7, "Rectangle 3"},
    {Strip::First, 6, QT_TRANSLATE_NOOP("Section", "Launch  Strategies"),
     QT_TRANSLATE_NOOP("SectionHint",
     "Launch plan.\r\n"
     "- If product is being announced\r\n"
     "Promotion budget\r\n"
     "- Supply back-up material with detailed budget information for review."), 8, "Rectangle 3"},
    {Strip::First, 7, QT_TRANSLATE_NOOP("Section", "Public Relations"),
     QT_TRANSLATE_NOOP("SectionHint",
     "Strategy & execution.\r\n"
     "- PR strategies\r\n"
     "- PR plan highlights\r\n"
     "- Have back-up PR plan, including editorial calendars, speaking engagements, conference schedules, etc."), 9, "Rectangle 3"},
    {Strip::Second, 0, QT_TRANSLATE_NOOP("Section", "Advertising"),
     QT_TRANSLATE_NOOP("SectionHint",
     "Strategy & execution.\r\n"
     "- Overview of strategy.\r\n"
     "- Overview of media & timing\r\n"
     "- Overview of ad spending"), 10, "Rectangle 3"},
    {Strip::Second, 1, QT_TRANSLATE_NOOP("Section", "Other Promotion"),
     QT_TRANSLATE_NOOP("SectionHint",
     "Direct marketing.\r\n"
     "- Overview of strategy, vehicles & timing.\r\n"
     "- Overview of response targets, goals & budget.\r\n"
     "Third-party marketing\r\n"
     "- Co-marketing arrangements with other companies\r\n"
     "Marketing programs\r\n"
     "- Other promotional programs"), 11, "Rectangle 3"},
    {Strip::Second, 2, QT_TRANSLATE_NOOP("Section", "Pricing"),
     QT_TRANSLATE_NOOP("SectionHint",
     "Pricing\r\n"
     "- Summarize specific pricing or pricing strategies\r\n"
     "- Compare to similar products\r\n"
     "Policies\r\n"
     "- Summarize policy relevant to understanding key pricing issues"), 12, "Rectangle 3"},
    {Strip::Second, 3, QT_TRANSLATE_NOOP("Section", "Distribution"),
     QT_TRANSLATE_NOOP("SectionHint",
     "Distribution strategy.\r\n"
     "Channels of distribution.\r\n"
     "- Summarize channels of distribution.\r\n"
     "Distribution by channel\r\n"
     "- Show plan of what percent share of distribution will be contributed by each channel -- a pie chart might be helpful"), 13, "Rectangle 3"},
    {Strip::Second, 4, QT_TRANSLATE_NOOP("Section", "Vertical Markets/Segments"),
     QT_TRANSLATE_NOOP("SectionHint",
     "Vertical market opportunities\r\n"
     "- Discuss specific market segment opportunities.\r\n"
     "- Address distribution strategies for those markets or segments.\r\n"
     "- Address use of third-party partner role in distribution to vertical markets"), 14, "Rectangle 3"},
    {Strip::Second, 5, QT_TRANSLATE_NOOP("Section", "International"),
     QT_TRANSLATE_NOOP("SectionHint",
     "International distribution\r\n"
     "- Address distribution strategies.\r\n"
     "- Discuss issues specific to international distribution.\r\n"
     "International pricing strategy\r\n"
     "Localization issues\r\n"
     "- Highlight requirements for local product variations"), 15, "Rectangle 3"},
    {Strip::Second, 6, QT_TRANSLATE_NOOP("Section", "Success Metrics"),
     QT_TRANSLATE_NOOP("SectionHint",
     "First year goals\r\n"
     "Additional year goals\r\n"
     "Measures of success/failure\r\n"
     "Requirements for success"), 16, "Rectangle 3"},
    {Strip::Second, 7, QT_TRANSLATE_NOOP("Section", "Schedule"),
     QT_TRANSLATE_NOOP("SectionHint",
     "18-month schedule highlights\r\n"
     "Timing\r\n"
     "- Isolate timing dependencies critical to success"), 17, "Rectangle 3"},
}};

} // namespace

QString statementKey(Strip strip, int tab)
{
    const QString prefix = QLatin1String(strip == Strip::First ? kFirstStatementKeyPrefix : kSecondStatementKeyPrefix);
    return prefix + QString::number(tab);
}

QString Section::shownCaption() const
{
    return QCoreApplication::translate(kCaptionContext, caption);
}

QString Section::shownHint() const
{
    return QCoreApplication::translate(kHintContext, hintUtf8);
}

QString Section::key() const
{
    return statementKey(strip, tab);
}

int Section::index() const
{
    return (strip == Strip::First ? 0 : kTabsPerStrip) + tab;
}

std::optional<Section> findSection(Strip strip, int tab)
{
    if (tab < 0 || tab >= kTabsPerStrip)
        return std::nullopt;
    return kSections[static_cast<size_t>((strip == Strip::First ? 0 : kTabsPerStrip) + tab)];
}

std::optional<Section> findSection(const QString& key)
{
    for (const Section& section : kSections) {
        if (section.key() == key)
            return section;
    }
    return std::nullopt;
}

const std::array<Section, kSectionCount>& allSections()
{
    return kSections;
}

} // namespace quillora
