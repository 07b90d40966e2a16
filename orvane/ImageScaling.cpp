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
    else  // sums of non-negative samples and weights: adding a half rounds them
        return T(std::min(value + 0.5f, 255.0f));
}

// Each output sample of a row of channels-sized pixels from its taps, in order.
template <typename T, int Channels>
void scaleRow(const T* in, const std::vector<Tap>& across, float* out)
{
    for (const Tap& tap : across) {
        const T* source = in + size_t(tap.first) * Channels;
        for (float weight : tap.weights) {
            for (int c = 0; c < Channels; ++c)
                out[c] += weight * float(source[c]);
            source += Channels;
        }
        out += Channels;
    }
}

template <typename T>
void scaleRow(const T* in, const std::vector<Tap>& across, int channels, float* out)
{
    switch (channels) {
    case 1: scaleRow<T, 1>(in, across, out); return;
    case 3: scaleRow<T, 3>(in, across, out); return;
    case 4: scaleRow<T, 4>(in, across, out); return;
    default:
        for (const Tap& tap : across) {
            for (size_t k = 0; k < tap.weights.size(); ++k)
                for (int c = 0; c < channels; ++c)
                    out[c] += tap.weights[k] * float(in[(size_t(tap.first) + k) * size_t(channels) + size_t(c)]);
            out += channels;
        }
    }
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
    for (int y = 0; y < height; ++y)
        scaleRow(pixels + size_t(y) * inRow, across, channels, rows.data() + size_t(y) * outRow);
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
