#pragma once

#include <vector>

namespace Orvane {

// The power of two that GLU would scale a texture side to before building its mipmaps: the nearest
// one, 3 going up to 4.
int nearestPowerOfTwo(int size);

// Resamples tightly packed pixels of channels components (bytes or floats) to a new size, each new
// pixel the area-weighted mean of the source pixels it covers, in either direction.
template <typename T>
std::vector<T> scaleByArea(const T* pixels, int width, int height, int channels, int newWidth, int newHeight);

}
