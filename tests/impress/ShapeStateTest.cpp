// The plugin's cursor cache against a stand-in for Impress's text cursor:
// wherever the state believes the cursor is, it is, after selections in
// both directions, insertions, failures and texts longer than one move.

#include "impress/ShapeState.h"

#include <gtest/gtest.h>
#include <algorithm>
#include <utility>
#include <vector>

using namespace quillora::impress;

namespace {

// Impress's cursor over a text of `length` positions, as it moves: from
// the end of its selection; goLeft with expanding puts the start before
// the end; a move without expanding collapses where it ends.
struct FakeCursor final : CursorMoves {
    explicit FakeCursor(int textLength) : length(textLength) {}
    void gotoStart(bool expand) override { to(0, expand); }
    void gotoEnd(bool expand) override { to(length, expand); }
    void goLeft(qint16 count, bool expand) override
    {
        if (!expand)
            return to(end - count, false);
        ++moves;
        start = std::max(0, end - count);
    }
    void goRight(qint16 count, bool expand) override { to(end + count, expand); }
    void collapseToStart() override { to(start, false); }
    void collapseToEnd() override { to(end, false); }
    void to(int position, bool expand)
    {
        ++moves;
        end = std::clamp(position, 0, length);
        if (!expand)
            start = end;
    }
    // Inserting replaces the selection and selects what was inserted.
    void insert(int count)
    {
        length += count - (end - start);
        end = start + count;
    }
    int length, start = 0, end = 0, moves = 0;
};

struct Cursor {
    explicit Cursor(int length) : fake(new FakeCursor(length))
    {
        state = std::make_unique<ShapeState>(std::unique_ptr<CursorMoves>(fake), [this] {
            ++reads;
            return QString(fake->length, QLatin1Char('x'));
        });
    }
    std::pair<int, int> selection() const { return {fake->start, fake->end}; }
    FakeCursor* fake;
    std::unique_ptr<ShapeState> state;
    int reads = 0;
};

struct SelectionRow {
    const char* what;
    int length;
    std::vector<std::pair<int, int>> selections;
    int mostMoves; // for any one selection after the first
};

} // namespace

TEST(ShapeState, EverySelectionEndsWhereTheStateBelievesAndShortOnesTakeAtMostTwoMoves)
{
    const SelectionRow rows[] = {
        {"forwards and back", 40, {{5, 5}, {5, 12}, {12, 12}, {20, 30}, {3, 3}, {0, 40}, {40, 40}, {39, 40}}, 2},
        {"the same place again", 40, {{7, 9}, {7, 9}, {9, 9}, {9, 9}}, 2},
        {"from the nearer end", 40, {{35, 38}, {2, 4}}, 2},
        {"longer than one move", 100000, {{70000, 70000}, {0, 70000}, {70000, 70000}, {99999, 100000}, {10, 40000}, {3, 3}}, 6},
    };
    for (const SelectionRow& row : rows) {
        SCOPED_TRACE(row.what);
        Cursor cursor(row.length);
        for (size_t i = 0; i < row.selections.size(); ++i) {
            const auto [from, to] = row.selections[i];
            const int before = cursor.fake->moves;
            cursor.state->select(from, to);
            EXPECT_EQ(cursor.selection(), std::make_pair(from, to)) << "selection " << i;
            if (i > 0)
                EXPECT_LE(cursor.fake->moves - before, row.mostMoves) << "selection " << i;
        }
        EXPECT_EQ(cursor.reads, 1) << "the text is read once, to find the nearer end";
    }
}

TEST(ShapeState, InsertionsAndPlacingFollowTheCursorAndAFailureIsNotTrusted)
{
    Cursor cursor(20);
    cursor.state->select(4, 8);
    cursor.state->forget();
    cursor.fake->insert(10);
    cursor.state->inserted(10);
    cursor.state->select(14, 14);
    EXPECT_EQ(cursor.selection(), std::make_pair(14, 14));
    cursor.state->place(3);
    EXPECT_EQ(cursor.selection(), std::make_pair(3, 3));

    // A call that failed between forget() and inserted() left the cursor
    // anywhere: the next selection starts again from an end.
    cursor.state->forget();
    cursor.fake->to(17, false);
    cursor.state->select(5, 6);
    EXPECT_EQ(cursor.selection(), std::make_pair(5, 6));
}

TEST(ShapeState, AShapeClearedFirstIsNeverRead)
{
    Cursor cursor(30);
    cursor.state->selectAll();
    EXPECT_EQ(cursor.selection(), std::make_pair(0, 30));
    cursor.state->forget();
    cursor.fake->insert(6);
    cursor.state->inserted(6);
    cursor.state->replacedAll(QStringLiteral("Alpha\r"));
    cursor.state->select(6, 6);
    EXPECT_EQ(cursor.selection(), std::make_pair(6, 6));
    EXPECT_EQ(cursor.state->model().text(), QStringLiteral("Alpha\r"));
    EXPECT_EQ(cursor.reads, 0);
}
