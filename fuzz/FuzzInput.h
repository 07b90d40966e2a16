#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace Fuzz {

// Readers that take a file name get the input through one scratch file per process.
std::string writeScratchFile(const std::uint8_t* data, std::size_t size, const char* suffix);

}
