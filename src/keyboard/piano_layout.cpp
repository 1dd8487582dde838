#include "keyboard/piano_layout.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace hq::kbd {
namespace {

// A white key is 23.5 mm wide and 150 mm long, a black one about 13.7 mm
// by 95 mm. C..E share their width in five equal parts and F..B in seven;
// each black key fills its part, which puts it off centre as on a piano.
constexpr double kWhiteLengthPerWidth = 150.0 / 23.5;
constexpr double kBlackLengthPerWhiteLength = 95.0 / 150.0;
constexpr double kBlackWidthPerWhiteWidth = 13.7 / 23.5;

// Left edge of each pitch class within its octave, in white-key widths.
constexpr std::array<double, 12> kLeftEdge{
    0.0, 3.0 / 5, 1.0, 9.0 / 5, 2.0, 3.0, 3.0 + 4.0 / 7, 4.0, 3.0 + 12.0 / 7, 5.0, 3.0 + 20.0 / 7, 6.0,
};
constexpr std::array<bool, 12> kBlack{false, true, false, true, false, false, true, false, true, false, true, false};

// Left edge from the start of octave -1, in white-key widths.
double EdgeOf(int32_t key) { return 7.0 * (key / 12) + kLeftEdge[static_cast<size_t>(key % 12)]; }

int32_t Round(double v) { return static_cast<int32_t>(std::lround(v)); }

}  // namespace

bool IsBlackKey(int32_t key) { return key >= 0 && kBlack[static_cast<size_t>(key % 12)]; }

KeyMarks MarksOf(const KeyShape& s, int32_t labelHeight) {
    KeyMarks m{};
    m.dotSize = std::max(3, s.width / 3);
    m.dotX = s.x + (s.width - m.dotSize) / 2;
    // Clear of where the key is played: between a black key's end and its
    // name, on a white key below the black ones.
    m.dotY = s.black ? s.y + s.height - 2 * m.dotSize : s.y + s.height * 7 / 10 - m.dotSize / 2;
    m.labelTop = s.y + s.height - 2 - labelHeight;
    if (labelHeight > 0) m.dotY = std::min(m.dotY, m.labelTop - 2 - m.dotSize);
    return m;
}

PianoLayout::PianoLayout(int32_t lowKey, int32_t highKey, int32_t whiteWidthPx)
    : lowKey_(std::max(0, lowKey)), highKey_(std::max(std::max(0, lowKey), highKey)) {
    const double w = std::max(4, whiteWidthPx);
    const double origin = EdgeOf(lowKey_);
    height_ = Round(w * kWhiteLengthPerWidth);
    const int32_t blackHeight = Round(height_ * kBlackLengthPerWhiteLength);
    const int32_t blackWidth = Round(w * kBlackWidthPerWhiteWidth);
    std::vector<KeyShape> blacks;
    for (int32_t key = lowKey_; key <= highKey_; ++key) {
        const double left = (EdgeOf(key) - origin) * w;
        if (IsBlackKey(key)) {
            const double part = (key % 12 < 5 ? 3.0 / 5 : 4.0 / 7) * w;
            blacks.push_back({key, Round(left + (part - blackWidth) / 2), 0, blackWidth, blackHeight, true});
        } else {
            const int32_t x = Round(left);
            shapes_.push_back({key, x, 0, Round(left + w) - x, height_, false});
            width_ = x + shapes_.back().width;
        }
    }
    shapes_.insert(shapes_.end(), blacks.begin(), blacks.end());
}

const KeyShape* PianoLayout::ShapeOf(int32_t key) const {
    for (const KeyShape& s : shapes_) {
        if (s.key == key) return &s;
    }
    return nullptr;
}

int32_t PianoLayout::KeyAt(int32_t px, int32_t py) const {
    for (auto it = shapes_.rbegin(); it != shapes_.rend(); ++it) {
        if (it->Contains(px, py)) return it->key;
    }
    return -1;
}

}  // namespace hq::kbd
