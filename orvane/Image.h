#pragma once

namespace Orvane {

// Pixels ready for the texture upload: 8 bits a channel, tightly packed, bottom row first.
class Image {
public:
    virtual ~Image() = default;
    virtual int getWidth() const = 0;
    virtual int getHeight() const = 0;
    virtual int getPixelType() const = 0;
    // The first byte of the bottom row.
    virtual const char* getData() const = 0;
};

}
