#pragma once

namespace Orvane {
class Device;
}

namespace Tavrin::Flow {

// The device the flow draws on; throws, naming the user, when none exists yet.
Orvane::Device& currentDevice(const char* user);

}
