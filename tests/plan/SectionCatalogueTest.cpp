#include "plan/SectionCatalogue.h"

#include <gtest/gtest.h>
#include <QRegularExpression>
#include <set>

using namespace quillora;

TEST(SectionCatalogue, HintLengthsAreExact)
{
    const int expected[kSectionCount] = {130, 40, 161, 235, 53, 209, 135, 165,
                                         103, 233, 165, 232, 224, 228, 94, 87};
    int i = 0;
    for (const Section& s : allSections()) {
        EXPECT_EQ(s.hint().size(), expected[i]) << s.caption;
        EXPECT_FALSE(s.hint().endsWith(QStringLiteral("\r\n"))) << s.caption;
        EXPECT_FALSE(s.hint().contains(QRegularExpression(QStringLiteral("(?<!\r)\n|\r(?!\n)")))) << s.caption;
        ++i;
    }
}

TEST(SectionCatalogue, TextsThatAreEasyToGetWrong)
{
    EXPECT_EQ(findSection(Strip::First, 6)->captionText(), QStringLiteral("Launch  Strategies"));
    EXPECT_TRUE(findSection(Strip::First, 2)->hint().contains(QChar(0x2019)));
    EXPECT_FALSE(findSection(Strip::First, 2)->hint().contains(QLatin1Char('\'')));
    EXPECT_TRUE(findSection(Strip::Second, 3)->hint().contains(QStringLiteral("channel -- a pie chart")));
    EXPECT_EQ(findSection(Strip::First, 1)->hint(), QStringLiteral("Describe product/service being marketed."));
    EXPECT_TRUE(findSection(Strip::First, 0)->hint().startsWith(QStringLiteral("Market: past, present, & future\r\n- Review")));
}

TEST(SectionCatalogue, KeysFollowStripAndTab)
{
    EXPECT_EQ(statementKey(Strip::First, 0), QStringLiteral("FirstStatementMkt_0"));
    EXPECT_EQ(statementKey(Strip::Second, 3), QStringLiteral("SecondStatementMkt_3"));
    std::set<QString> keys;
    int i = 0;
    for (const Section& s : allSections()) {
        EXPECT_EQ(s.strip, i < 8 ? Strip::First : Strip::Second);
        EXPECT_EQ(s.tab, i % 8);
        EXPECT_EQ(s.key(), statementKey(s.strip, s.tab));
        keys.insert(s.key());
        ++i;
    }
    EXPECT_EQ(keys.size(), 16u);
}

TEST(SectionCatalogue, OutOfRangeTabsHaveNoSection)
{
    EXPECT_FALSE(findSection(Strip::Second, 8).has_value());
    EXPECT_FALSE(findSection(Strip::Second, -1).has_value());
    EXPECT_FALSE(findSection(Strip::First, 1000).has_value());
    ASSERT_TRUE(findSection(Strip::Second, 7).has_value());
    EXPECT_EQ(findSection(Strip::Second, 7)->captionText(), QStringLiteral("Schedule"));
}
