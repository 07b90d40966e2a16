#pragma once

#include "orvane/exceptions/Exception.h"

#include <string>

namespace Orvane::Utils::Loaders {

// Runs build. A decoding or compile error does not say which file it was about, so it gets the
// path in front; it keeps its type, and a missing file (whose message names it) passes unchanged.
template <typename Build>
auto withPath(const std::string& path, Build build) -> decltype(build())
{
    using namespace Orvane::Exceptions;
    try {
        return build();
    } catch (const FileNotFoundException&) {
        throw;
    } catch (const UnsupportedFormatException& e) {
        throw UnsupportedFormatException(path + ": " + e.getMessage());
    } catch (const IllegalEnumException& e) {
        throw IllegalEnumException(path + ": " + e.getMessage());
    } catch (const DeviceNotCapableException&) {
        throw;
    } catch (const Exception& e) {
        throw Exception(path + ": " + e.getMessage());
    }
}

}
