#pragma once
// The round's scenery (the islands and the props around the board) changes
// only when the camera moves or the round changes. While the camera stands
// still, a software rasterizer would draw the same scenery every frame: the
// round draws it once, keeps the frame on the device (Device->KeepFrame) and
// starts each later frame from that copy, drawing the board, the turning sky
// and everything else over it as before.
#include <cstdint>

// A fingerprint of everything the scenery's pixels follow from: the view, the
// projection, the scene objects and the ground left out under the board.
uint64_t sceneryTag();
