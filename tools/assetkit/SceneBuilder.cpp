#include "SceneBuilder.h"

#include "MeshExport.h"
#include "orvane/BufferModeEnum.h"
#include "orvane/exceptions/Exception.h"
#include "orvane/utils/scenegraph/FsgWriter.h"
#include "orvane/utils/scenegraph/LinearTrack.h"

namespace AssetKit {

using namespace Orvane::Utils::SceneGraph;

SceneBuilder::Channel SceneBuilder::linear(std::initializer_list<Key> keys)
{
    auto track = std::make_unique<LinearTrack>();
    for (const Key& key : keys)
        track->addKey(key.first, key.second);
    return track;
}

SceneBuilder::Node& SceneBuilder::addNode(const std::string& name, Node* parent)
{
    return (parent != nullptr ? *parent : static_cast<Node&>(scene_)).addChild(std::make_unique<Node>(name));
}

void SceneBuilder::addMesh(const std::string& key, const Mesh& mesh)
{
    // Client memory: scenes are built and written by tools that have no GL context.
    scene_.meshes()[key] = toFgm(mesh).toGeometry(Orvane::system_mem);
}

void SceneBuilder::instance(Node& node, const std::string& meshKey)
{
    if (scene_.meshes().count(meshKey) == 0)
        throw Orvane::Exceptions::Exception("Scene node \"" + node.getName() + "\" uses mesh \"" + meshKey
                                            + "\", which was never added");
    scene_.addMeshInstance(node, meshKey, "");
}

void SceneBuilder::translate(Node& node, Channel x, Channel y, Channel z)
{
    node.addTransform(makeTranslation(std::move(x), std::move(y), std::move(z)));
}

void SceneBuilder::rotate(Node& node, float axisX, float axisY, float axisZ, Channel degrees)
{
    node.addTransform(makeRotation(constant(axisX), constant(axisY), constant(axisZ), std::move(degrees)));
}

void SceneBuilder::scale(Node& node, Channel x, Channel y, Channel z)
{
    node.addTransform(makeScale(std::move(x), std::move(y), std::move(z)));
}

void SceneBuilder::save(const std::string& path) const
{
    try {
        writeFsg(path, scene_);
    } catch (const Orvane::Exceptions::Exception& e) {
        const std::string& message = e.getMessage();
        throw Orvane::Exceptions::Exception(message.rfind(path, 0) == 0 ? message
                                                                        : "Cannot write " + path + ": " + message);
    }
}

}
