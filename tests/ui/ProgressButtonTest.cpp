// The generate button's progress display: the part done fills behind the
// caption, the rest of the face and the caption stay, and cleared it paints
// exactly as before.

#include "ui/controls/ProgressButton.h"

#include <QApplication>
#include <QImage>
#include <gtest/gtest.h>

using namespace quillora;

namespace {

struct ProgressButtonTest : ::testing::Test {
    ProgressButtonTest()
    {
        button.resize(400, 27);
        button.show();
        QApplication::processEvents();
    }
    QImage face() { return button.grab().toImage().convertToFormat(QImage::Format_RGB32); }
    // Pixels that differ between two images of the button in the columns
    // [from, to), over the middle row band away from the border.
    static int differing(const QImage& a, const QImage& b, int from, int to)
    {
        int n = 0;
        for (int x = from; x < to; ++x)
            for (int y = a.height() / 4; y < a.height() * 3 / 4; ++y)
                n += a.pixel(x, y) != b.pixel(x, y) ? 1 : 0;
        return n;
    }

    ProgressButton button{QStringLiteral("Start Creating Template")};
};

TEST_F(ProgressButtonTest, FillsTheDonePartFromTheLeftAndLooksAsBeforeWhenCleared)
{
    const QImage idle = face();
    const int w = idle.width();

    button.showProgress(9, 18);
    EXPECT_TRUE(button.showsProgress());
    const QImage half = face();
    // The left half is filled (the caption's middle straddles both halves);
    // past it the face is untouched.
    EXPECT_GT(differing(idle, half, 8, 30), 0);
    EXPECT_EQ(differing(idle, half, w / 2 + 8, w - 8), 0);

    button.showProgress(18, 18);
    EXPECT_GT(differing(idle, face(), w - 30, w - 8), 0);

    button.clearProgress();
    EXPECT_FALSE(button.showsProgress());
    EXPECT_EQ(face(), idle);
    EXPECT_EQ(button.text(), QStringLiteral("Start Creating Template"));
    EXPECT_EQ(button.size(), QSize(400, 27));
}

TEST_F(ProgressButtonTest, KeepsTheCountWithinItsTotal)
{
    button.showProgress(25, 18);
    EXPECT_EQ(button.progressDone(), 18);
    button.showProgress(-3, 18);
    EXPECT_EQ(button.progressDone(), 0);
    EXPECT_TRUE(button.showsProgress());
    button.showProgress(1, 0);
    EXPECT_FALSE(button.showsProgress());
}

} // namespace
