#pragma once

#include "ByteStreams.h"

#include <string>

namespace TestSupport {

// Magic plus empty mesh, entity and material tables: what precedes the root nodes.
inline ByteWriter& emptyTables(ByteWriter& w) { return w.raw("FSG100").i32(0).i32(0).i32(0).i32(0); }

// A node's fields up to its transform count: no instances and no entity references.
inline ByteWriter& plainNode(ByteWriter& w, const std::string& name)
{
    return w.str("").str(name).i32(0).i32(0).i32(0);
}

// A constant transform of the given kind without override groups.
inline ByteWriter& constantTransform(ByteWriter& w, const std::string& kind, std::initializer_list<float> values)
{
    return w.str(kind).str("none").floats(values).i32(0);
}

}
