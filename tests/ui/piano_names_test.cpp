// Note names on the piano's keys read whole: each lies within its key, and a
// locked key's dot never touches its name. Run at scale 1 and, through its
// own ctest entry, at scale 2.

#include <gtest/gtest.h>

#include <QImage>

#include <string>
#include <vector>

#include "tests/ui/keyboard_fixture.h"
#include "theory/composition.h"
#include "theory/key_names.h"
#include "theory/symbol.h"

namespace hq {
namespace {

using testing::KeyboardRig;

// Pixels where two pictures of the piano differ, in device pixels.
std::vector<QPoint> Differing(const QImage& a, const QImage& b) {
    std::vector<QPoint> points;
    for (int y = 0; y < a.height(); ++y) {
        for (int x = 0; x < a.width(); ++x) {
            if (a.pixel(x, y) != b.pixel(x, y)) points.push_back({x, y});
        }
    }
    return points;
}

TEST(PianoKeyNames, EachNameLiesWithinItsKeyAndClearOfTheLockDot) {
    struct Case {
        const char* symbol;
        std::vector<int32_t> keys;  // named keys to lock, black ones among them
        std::vector<const char*> names;
    };
    const std::vector<Case> cases = {
        {"Ebm7b5", {63, 66, 61, 69}, {"Eb", "Gb", "Db", "Bbb"}},
        {"Dbdim7", {61, 70}, {"Db", "Cbb"}},
        {"Am(maj7)", {68}, {"G#"}},
        {"F#7#9", {66, 70, 73}, {"F#", "A#", "C#"}},
    };
    for (const Case& c : cases) {
        const Composition chord = Compose(*ReadChordSymbol(c.symbol).definition);
        const KeyNames names = KeyNamesOf(chord.definition, chord.chord);
        for (size_t k = 0; k < c.keys.size(); ++k) {
            // One key at a time: only its name and dot differ between the pictures.
            KeyboardRig rig;
            rig.Start();
            rig.Window().SetKeyNames(names);
            kbd::PianoWidget& piano = rig.Piano();
            const auto picture = [&piano](kbd::NoteNaming naming) {
                piano.SetNaming(naming);
                return piano.grab().toImage();
            };
            const int32_t key = c.keys[k];
            EXPECT_EQ(names[static_cast<size_t>(key % 12)], c.names[k]) << c.symbol;
            rig.Press(key);  // held, not yet locked: the name without the dot
            const QImage named = picture(kbd::NoteNaming::All);
            const std::vector<QPoint> name = Differing(named, picture(kbd::NoteNaming::COnly));
            rig.MoveTo(-1);
            rig.Release(-1);
            ASSERT_EQ(rig.Get(key), 1) << c.symbol << " " << key;
            const std::vector<QPoint> dot = Differing(picture(kbd::NoteNaming::All), named);
            ASSERT_GT(name.size(), 8u) << c.names[k];
            ASSERT_GT(dot.size(), 2u) << c.names[k];
            const double dpr = named.devicePixelRatio();
            const kbd::KeyShape& s = *piano.Layout().ShapeOf(key);
            // Inside the key, clear of its border lines.
            const QRectF inside((s.x + 1) * dpr, s.y * dpr, (s.width - 2) * dpr, (s.height - 1) * dpr);
            int touching = 0, outside = 0;
            for (const QPoint& p : name) {
                outside += inside.contains(QPointF(p) + QPointF(0.5, 0.5)) ? 0 : 1;
                for (const QPoint& q : dot) touching += std::max(std::abs(p.x() - q.x()), std::abs(p.y() - q.y())) <= 1;
            }
            EXPECT_EQ(outside, 0) << c.names[k] << " at scale " << dpr;
            EXPECT_EQ(touching, 0) << c.names[k] << " at scale " << dpr;
        }
    }
}

}  // namespace
}  // namespace hq
