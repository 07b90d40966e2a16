#pragma once

#include "Mesh.h"
#include "orvane/utils/scenegraph/Scene.h"
#include "orvane/utils/scenegraph/TransformFactory.h"

#include <initializer_list>
#include <string>
#include <utility>

namespace AssetKit {

// Builds an animated scene in code: named nodes in a hierarchy, translate/rotate/scale transforms
// with constant or keyed channels, and mesh instances, then writes it as an FSG file.
class SceneBuilder {
public:
    using Node = Orvane::Utils::SceneGraph::Node;
    using Channel = Orvane::Utils::SceneGraph::Channel;
    using Key = std::pair<float, float>;  // time in seconds, value

    // A channel interpolated linearly between keys (times ascending).
    static Channel linear(std::initializer_list<Key> keys);
    static Channel constant(float value) { return Orvane::Utils::SceneGraph::constantChannel(value); }

    // A node under parent, or at the top of the scene without one.
    Node& addNode(const std::string& name, Node* parent = nullptr);
    void addMesh(const std::string& key, const Mesh& mesh);
    // Draws the mesh stored under meshKey at the node.
    void instance(Node& node, const std::string& meshKey);

    // Transforms apply in the order added, the first outermost.
    void translate(Node& node, Channel x, Channel y, Channel z);
    void rotate(Node& node, float axisX, float axisY, float axisZ, Channel degrees);
    void scale(Node& node, Channel x, Channel y, Channel z);

    Orvane::Utils::SceneGraph::Scene& scene() { return scene_; }
    // Throws Exception naming the file on any error; a refused scene leaves no file.
    void save(const std::string& path) const;

private:
    Orvane::Utils::SceneGraph::Scene scene_;
};

}
