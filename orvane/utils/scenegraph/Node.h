#pragma once

#include "orvane/Matrix4.h"
#include "orvane/Vector.h"
#include "orvane/utils/scenegraph/Controller.h"
#include "orvane/utils/scenegraph/Object.h"

#include <memory>
#include <string>
#include <vector>

namespace Orvane::Utils {
class Geometry;
}

namespace Orvane::Utils::SceneGraph {

class Entity;
class Material;

// A mesh drawn at a node. The keys are what the scene file named; the pointers are borrowed from
// the scene's tables and are null when the key was not in its table.
struct MeshInstance {
    std::string meshKey;
    std::string materialKey;
    Geometry* mesh = nullptr;
    Material* material = nullptr;
};

struct EntityReference {
    std::string key;
    Entity* entity = nullptr;
};

// A node of the scene hierarchy: animated transforms, children and the meshes drawn at it.
class Node : public Object {
public:
    using Transform = std::unique_ptr<Controller<Matrix4&>>;

    using Object::Object;
    ~Node() override;

    // local = product of the transforms in list order (the first is outermost), world = parent x
    // local; then the children in list order.
    void update(float time, const Matrix4& parent);

    const Matrix4& getLocalMatrix() const { return local_; }
    const Matrix4& getWorldMatrix() const { return world_; }
    Vector3t<float> getWorldPosition() const { return {world_[12], world_[13], world_[14]}; }

    // This node if its name matches exactly, else the first match depth-first in child order;
    // null when the subtree has no such node.
    Node* findByName(const std::string& name);
    const Node* findByName(const std::string& name) const;

    std::vector<Transform>& transforms() { return transforms_; }
    const std::vector<Transform>& transforms() const { return transforms_; }
    std::vector<std::unique_ptr<Node>>& children() { return children_; }
    const std::vector<std::unique_ptr<Node>>& children() const { return children_; }
    std::vector<MeshInstance>& meshInstances() { return meshInstances_; }
    const std::vector<MeshInstance>& meshInstances() const { return meshInstances_; }
    std::vector<EntityReference>& entityReferencesA() { return referencesA_; }
    const std::vector<EntityReference>& entityReferencesA() const { return referencesA_; }
    std::vector<EntityReference>& entityReferencesB() { return referencesB_; }
    const std::vector<EntityReference>& entityReferencesB() const { return referencesB_; }

    Node& addChild(std::unique_ptr<Node> child);
    void addTransform(Transform transform);

private:
    Matrix4 local_;
    Matrix4 world_;
    std::vector<Transform> transforms_;
    std::vector<std::unique_ptr<Node>> children_;
    std::vector<MeshInstance> meshInstances_;
    std::vector<EntityReference> referencesA_;
    std::vector<EntityReference> referencesB_;
};

}
