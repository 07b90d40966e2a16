#pragma once

#include "orvane/Forward.h"

namespace Tavrin::Flow {

// The device the flow draws on; throws, naming the user, when none exists yet.
Orvane::Device& currentDevice(const char* user);

}
