// The piano's geometry: key counts, proportions and hit testing.

#include <gtest/gtest.h>

#include "keyboard/piano_layout.h"

namespace hq::kbd {
namespace {

TEST(PianoLayout, OctavesOneToSevenHave49WhiteAnd35BlackKeys) {
    const PianoLayout layout(24, 107, 18);
    int32_t white = 0, black = 0;
    for (const KeyShape& s : layout.Shapes()) (s.black ? black : white)++;
    EXPECT_EQ(white, 49);
    EXPECT_EQ(black, 35);
    EXPECT_EQ(layout.Width(), 49 * 18);
    // A white key is about 6.4 times as long as it is wide.
    EXPECT_EQ(layout.Height(), 115);
}

TEST(PianoLayout, WhiteKeysTileTheWidthAndBlackKeysSitBetweenThem) {
    for (int32_t width : {8, 13, 18, 24}) {
        const PianoLayout layout(0, 127, width);
        int32_t nextX = 0;
        for (const KeyShape& s : layout.Shapes()) {
            if (s.black) {
                const KeyShape* left = layout.ShapeOf(s.key - 1);
                const KeyShape* right = layout.ShapeOf(s.key + 1);
                ASSERT_NE(left, nullptr);
                ASSERT_NE(right, nullptr);
                // Over the gap between its two white neighbours, shorter than they.
                EXPECT_LT(s.x, right->x) << s.key;
                EXPECT_GT(s.x + s.width, right->x) << s.key;
                EXPECT_GT(s.x, left->x) << s.key;
                EXPECT_LT(s.height, left->height);
                EXPECT_NEAR(s.width, width * 13.7 / 23.5, 1.0);
            } else {
                EXPECT_EQ(s.x, nextX) << s.key;
                EXPECT_NEAR(s.width, width, 1) << s.key;
                nextX = s.x + s.width;
            }
        }
        EXPECT_EQ(nextX, layout.Width());
    }
}

TEST(PianoLayout, BlackKeysStandOffCentreAsOnAPiano) {
    const PianoLayout layout(60, 71, 70);
    // C# leans towards C, D# towards E; F# towards F, A# towards B.
    const auto centre = [&layout](int32_t key) {
        const KeyShape* s = layout.ShapeOf(key);
        return s->x + s->width / 2;
    };
    EXPECT_LT(centre(61), 70);
    EXPECT_GT(centre(63), 140);
    EXPECT_LT(centre(66), 280);
    EXPECT_EQ(centre(68), 350);
    EXPECT_GT(centre(70), 350);
}

TEST(PianoLayout, KeyAtFindsTheKeyOnTop) {
    const PianoLayout layout(24, 107, 18);
    const struct {
        int32_t x, y, key;
    } cases[] = {
        {1, 110, 24},      // C1, below the black keys
        {12, 20, 25},      // C#1 lies over C1 and D1
        {12, 100, 24},     // below C#1: C1
        {18 * 7 * 3 + 1, 110, 60},  // C4
        {49 * 18 - 1, 110, 107},    // B7, the last pixel
        {49 * 18, 110, -1}, {-1, 50, -1}, {5, 115, -1}, {5, -1, -1},
    };
    for (const auto& c : cases) EXPECT_EQ(layout.KeyAt(c.x, c.y), c.key) << c.x << "," << c.y;
    for (const KeyShape& s : layout.Shapes()) {
        const int32_t y = s.black ? s.height / 2 : s.height - 5;
        EXPECT_EQ(layout.KeyAt(s.x + s.width / 2, y), s.key);
    }
    EXPECT_EQ(layout.ShapeOf(23), nullptr);
    EXPECT_EQ(layout.ShapeOf(108), nullptr);
}

}  // namespace
}  // namespace hq::kbd
