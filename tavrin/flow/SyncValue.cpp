#include "tavrin/flow/SyncValue.h"

#include "tavrin/Demo.h"

namespace Tavrin::Flow {

SyncValue::SyncValue(const Demo& demo, int trackNumber, int componentIndex, float scaleBy, float offsetBy)
    : track(trackNumber)
    , component(componentIndex)
    , scale(scaleBy)
    , offset(offsetBy)
    , demo_(demo)
{}

float SyncValue::evaluate(float)
{
    const float* values = demo_.syncValues[track].data();
    return values[component] * scale + offset;
}

}
