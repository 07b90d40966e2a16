#pragma once

#include "orvane/Forward.h"
#include "tavrin/flow/ParentNode.h"

#include <functional>
#include <memory>
#include <string>

namespace Tavrin {
class Demo;
}

namespace Tavrin::Flow {

struct LoadOptions {
    // Called after every element with the loading-screen percentage: 10 + 70 * (nodes built so
    // far) / (remembered node count). Empty: no reports.
    std::function<void(float percent)> progress;
    // Textures of textured quads by name, relative to the data folder (the demo's texture cache).
    // Empty: a flow that names a texture is refused.
    std::function<Orvane::Texture*(const std::string& name)> loadTexture;
    // Called after each "demo" element, once its settings are in the demo. Empty: no calls.
    std::function<void()> settingsRead;
    // Called for each effect the registry placed, with the element name it was placed under.
    // Empty: no calls.
    std::function<void(const Node& node, const std::string& name)> visualPlaced;
    // Remembers the node count between runs; relative to the working directory.
    std::string nodeCountFile = "data/lol.dat";
};

// Reads a flow file into a tree of nodes. Built-in element names become built-in nodes; any
// other name goes to demo.createVisual, whose visuals the tree only borrows. The "demo" element
// writes the data folder, music file and tempo into demo. Throws FileNotFoundException for a
// missing or unreadable file, UnsupportedFormatException for malformed XML and Exception for a
// bad element, each naming the file (and line).
std::unique_ptr<ParentNode> loadFlow(const std::string& fileName, Demo& demo, const LoadOptions& options = {});

}
