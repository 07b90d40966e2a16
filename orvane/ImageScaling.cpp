#include "orvane/ImageScaling.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <type_traits>

namespace Orvane {

namespace {

// One output sample's share of each input sample along one axis.
struct Tap {
    int first;
    std::vector<float> weights;
};

std::vector<Tap> tapsFor(int from, int to)
{
    std::vector<Tap> taps(static_cast<size_t>(to));
    double scale = double(from) / double(to);
    for (int i = 0; i < to; ++i) {
        double begin = i * scale, end = (i + 1) * scale;
        int first = int(std::floor(begin)), last = std::min(from - 1, int(std::ceil(end)) - 1);
        Tap& tap = taps[size_t(i)];
        tap.first = first;
        for (int s = first; s <= last; ++s) {
            double covered = std::min(end, double(s + 1)) - std::max(begin, double(s));
            tap.weights.push_back(float(covered / scale));
        }
    }
    return taps;
}

template <typename T>
T fromSum(float value)
{
    if constexpr (std::is_same_v<T, float>)
        return value;
    else
        return T(std::clamp(std::lround(value), 0L, 255L));
}

}

int nearestPowerOfTwo(int size)
{
    int power = 1;
    for (unsigned value = unsigned(std::max(size, 1));; value >>= 1, power *= 2) {
        if (value == 1)
            return power;
        if (value == 3)
            return power * 4;
    }
}

// Both passes run along memory, so a 1280 x 720 overlay scales in a few milliseconds at start-up;
// each sample still sums its taps in order, so the result does not depend on the loop order.
template <typename T>
std::vector<T> scaleByArea(const T* pixels, int width, int height, int channels, int newWidth, int newHeight)
{
    std::vector<Tap> across = tapsFor(width, newWidth), down = tapsFor(height, newHeight);
    const size_t inRow = size_t(width) * size_t(channels), outRow = size_t(newWidth) * size_t(channels);
    std::vector<float> rows(outRow * size_t(height), 0.0f);
    for (int y = 0; y < height; ++y) {
        const T* in = pixels + size_t(y) * inRow;
        float* out = rows.data() + size_t(y) * outRow;
        for (int x = 0; x < newWidth; ++x) {
            const Tap& tap = across[size_t(x)];
            float* sample = out + size_t(x) * size_t(channels);
            for (size_t k = 0; k < tap.weights.size(); ++k) {
                const T* source = in + (size_t(tap.first) + k) * size_t(channels);
                for (int c = 0; c < channels; ++c)
                    sample[c] += tap.weights[k] * float(source[c]);
            }
        }
    }
    std::vector<T> scaled(outRow * size_t(newHeight));
    std::vector<float> sum(outRow);
    for (int y = 0; y < newHeight; ++y) {
        const Tap& tap = down[size_t(y)];
        std::fill(sum.begin(), sum.end(), 0.0f);
        for (size_t k = 0; k < tap.weights.size(); ++k) {
            const float* source = rows.data() + (size_t(tap.first) + k) * outRow;
            for (size_t i = 0; i < outRow; ++i)
                sum[i] += tap.weights[k] * source[i];
        }
        std::transform(sum.begin(), sum.end(), scaled.begin() + std::ptrdiff_t(size_t(y) * outRow), fromSum<T>);
    }
    return scaled;
}

template std::vector<std::uint8_t> scaleByArea(const std::uint8_t*, int, int, int, int, int);
template std::vector<float> scaleByArea(const float*, int, int, int, int, int);

}
