#pragma once

#include "orvane/exceptions/Exception.h"

#include <string>

namespace TestSupport {

// The message of the E that action throws, or "<nothing thrown>".
template <typename E = Orvane::Exceptions::Exception, typename Action>
std::string messageOf(Action&& action)
{
    try {
        action();
    } catch (const E& error) {
        return error.getMessage();
    }
    return "<nothing thrown>";
}

}
