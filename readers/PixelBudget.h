#pragma once

#include <cstdint>

// How many pixels one read of a binary font may make, in proportion to the file: a file of a
// few kilobytes can declare sheets, cells and code maps that would take gigabytes to decode and
// minutes to walk, and whatever is read is drawn again by the writer cell by cell. Every sheet
// expanded and every glyph handed to the font is charged; past the budget the read fails with
// message 282 (category 6), before anything is made for the pixels that overran it.
class CPixelBudget {
public:
    // The least any file gets, enough for thousands of glyphs of 64 x 64 pixels.
    static constexpr int64_t kFloor = int64_t{8} << 20;
    // Pixels allowed per byte of file: a whole font stored uncompressed holds at most two
    // pixels of its cells per byte, compressed sheets of sparse glyphs some dozens.
    static constexpr int64_t kPerFileByte = 128;

    explicit CPixelBudget(int64_t fileBytes);

    void Spend(int64_t pixels);

private:
    int64_t m_limit;
    int64_t m_spent = 0;
};
