#include "OggWriter.h"

#include <sndfile.h>

#include <algorithm>
#include <array>
#include <fstream>
#include <iterator>
#include <stdexcept>
#include <vector>

namespace Nightglass::Synth {

namespace {

// libvorbis crashes on one very large write; a few thousand frames at a time is safe.
constexpr int64_t ChunkFrames = 4096;
constexpr uint32_t FixedSerial = 0x4E474C53;
constexpr size_t PageHeaderSize = 27;

std::runtime_error failure(const std::string& path, const std::string& problem)
{
    return std::runtime_error(path + ": " + problem);
}

// Ogg's CRC-32: polynomial 0x04C11DB7, no reflection, zero initial value.
uint32_t oggChecksum(const unsigned char* data, size_t size)
{
    static const std::array<uint32_t, 256> table = [] {
        std::array<uint32_t, 256> entries{};
        for (uint32_t i = 0; i < 256; ++i) {
            uint32_t value = i << 24;
            for (int bit = 0; bit < 8; ++bit)
                value = (value & 0x80000000u) ? (value << 1) ^ 0x04C11DB7u : value << 1;
            entries[i] = value;
        }
        return entries;
    }();
    uint32_t crc = 0;
    for (size_t i = 0; i < size; ++i)
        crc = (crc << 8) ^ table[((crc >> 24) ^ data[i]) & 0xFF];
    return crc;
}

void putLittleEndian(unsigned char* at, uint32_t value)
{
    for (int i = 0; i < 4; ++i)
        at[i] = (unsigned char)(value >> (8 * i));
}

}

OggWriter::OggWriter(const std::string& path, int sampleRate, double quality)
    : path_(path)
{
    SF_INFO info{};
    info.samplerate = sampleRate;
    info.channels = 2;
    info.format = SF_FORMAT_OGG | SF_FORMAT_VORBIS;
    file_ = sf_open(path.c_str(), SFM_WRITE, &info);
    if (!file_)
        throw failure(path, std::string("cannot open for writing: ") + sf_strerror(nullptr));
    sf_command(file_, SFC_SET_VBR_ENCODING_QUALITY, &quality, sizeof quality);
}

OggWriter::~OggWriter()
{
    if (file_)
        sf_close(file_);
}

void OggWriter::write(const float* interleaved, int64_t frames)
{
    for (int64_t done = 0; done < frames; done += ChunkFrames) {
        sf_count_t chunk = std::min(ChunkFrames, frames - done);
        if (sf_writef_float(file_, interleaved + 2 * done, chunk) != chunk)
            throw failure(path_, std::string("write failed: ") + sf_strerror(file_));
    }
}

void OggWriter::close()
{
    if (sf_close(file_) != 0)
        throw failure(path_, "closing the stream failed");
    file_ = nullptr;
    setOggSerial(path_, FixedSerial);
}

void setOggSerial(const std::string& path, uint32_t serial)
{
    std::ifstream in(path, std::ios::binary);
    if (!in)
        throw failure(path, "cannot be read back");
    std::vector<unsigned char> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    size_t at = 0;
    while (at < bytes.size()) {
        if (bytes.size() - at < PageHeaderSize || !std::equal(bytes.begin() + at, bytes.begin() + at + 4, "OggS"))
            throw failure(path, "not a well-formed Ogg stream at byte " + std::to_string(at));
        size_t segments = bytes[at + 26];
        if (bytes.size() - at < PageHeaderSize + segments)
            throw failure(path, "the file is truncated");
        size_t body = 0;
        for (size_t i = 0; i < segments; ++i)
            body += bytes[at + PageHeaderSize + i];
        size_t pageSize = PageHeaderSize + segments + body;
        if (bytes.size() - at < pageSize)
            throw failure(path, "the file is truncated");
        putLittleEndian(&bytes[at + 14], serial);
        putLittleEndian(&bytes[at + 22], 0);
        putLittleEndian(&bytes[at + 22], oggChecksum(&bytes[at], pageSize));
        at += pageSize;
    }
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
    if (!out)
        throw failure(path, "cannot be rewritten");
}

}
