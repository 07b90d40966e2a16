#include "tavrin/flow/CurrentDevice.h"

#include "orvane/Device.h"
#include "orvane/exceptions/Exception.h"

#include <string>

namespace Tavrin::Flow {

Orvane::Device& currentDevice(const char* user)
{
    Orvane::Device* device = Orvane::Device::current();
    if (!device)
        throw Orvane::Exceptions::Exception(std::string(user) + ": there is no device to draw on");
    return *device;
}

}
