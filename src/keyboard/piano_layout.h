#pragma once
// Where each key of a piano lies, in pixels, with white and black keys in
// the proportions of a real keyboard.

#include <cstdint>
#include <vector>

namespace hq::kbd {

struct KeyShape {
    int32_t key;
    int32_t x;
    int32_t y;
    int32_t width;
    int32_t height;
    bool black;
    bool Contains(int32_t px, int32_t py) const {
        return px >= x && px < x + width && py >= y && py < y + height;
    }
};

bool IsBlackKey(int32_t key);

/// Where a locked key's dot and the key's name go: the name at the key's
/// near end, the dot above it and never on it.
struct KeyMarks {
    int32_t dotX;
    int32_t dotY;
    int32_t dotSize;
    int32_t labelTop;  // the name's lines start here
};

/// For a name `labelHeight` pixels high (0 without a name).
KeyMarks MarksOf(const KeyShape& shape, int32_t labelHeight);

class PianoLayout {
public:
    /// Keys lowKey..highKey (both white) with white keys `whiteWidthPx` wide.
    PianoLayout(int32_t lowKey, int32_t highKey, int32_t whiteWidthPx);

    int32_t Width() const { return width_; }
    int32_t Height() const { return height_; }
    int32_t LowKey() const { return lowKey_; }
    int32_t HighKey() const { return highKey_; }
    /// White keys first, then black ones, each group in key order: the order
    /// to draw them in.
    const std::vector<KeyShape>& Shapes() const { return shapes_; }
    /// The shape of `key`, or null outside the range.
    const KeyShape* ShapeOf(int32_t key) const;
    /// The key under a point (black keys lie on top), or -1.
    int32_t KeyAt(int32_t px, int32_t py) const;

private:
    int32_t lowKey_;
    int32_t highKey_;
    int32_t width_ = 0;
    int32_t height_ = 0;
    std::vector<KeyShape> shapes_;
};

}  // namespace hq::kbd
