#pragma once

#include <cstdint>
#include <span>

// The orientation tag (0x0112) of the Exif metadata in the body of an APP1
// segment, as cameras and phones write it: 1 for a picture stored upright,
// up to 8; 1 when the segment holds no Exif metadata, no such tag, or a value
// outside 1 to 8. Every offset is checked against the segment, in either byte
// order.
int exifOrientation(std::span<const std::uint8_t> app1Body);

// How to turn a picture stored as a file of this orientation holds it into
// the picture upright: mirror each row first when `mirrored`, then turn it
// clockwise by `quarterTurns` quarters.
struct UprightTurn {
    bool mirrored = false;
    int quarterTurns = 0;

    bool swapsSides() const { return quarterTurns % 2 == 1; }
    bool isNone() const { return !mirrored && quarterTurns == 0; }
};

UprightTurn uprightTurn(int exifOrientation);

// Writes a picture of width x height 32-bit pixels, rows packed one after the
// other, turned upright into `upright`, which holds as many pixels; its rows
// are `height` long when the turn swaps the sides.
void turnUpright(std::span<const std::uint32_t> pixels, int width, int height, UprightTurn turn,
                 std::span<std::uint32_t> upright);
