#pragma once

namespace Orvane {

// How texels are laid out; bitmaps hold only the first three.
enum PixelType : int { Luminance8 = 0, RGBA8 = 1, RGB8 = 2, RGBA32F = 3, Depth16 = 4, Depth24 = 5 };

}
