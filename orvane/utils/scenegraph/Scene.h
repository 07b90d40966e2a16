#pragma once

#include "orvane/utils/geometry/Geometry.h"
#include "orvane/utils/scenegraph/Entity.h"
#include "orvane/utils/scenegraph/Material.h"
#include "orvane/utils/scenegraph/Node.h"

#include <map>
#include <memory>
#include <string>

namespace Orvane::Utils::SceneGraph {

// A whole scene: the tables that node instances and references point into, and the root nodes
// as its children. It owns everything in its tables; an entry may be null when a node named a key
// the file did not define.
class Scene : public Node {
public:
    template <typename T>
    using Table = std::map<std::string, std::unique_ptr<T>>;

    Scene();
    ~Scene() override;

    using Node::update;
    // Updates the whole hierarchy with the identity as parent.
    void update(float time);

    // Adds an instance to the node, linked to the mesh and material under those keys (null where a
    // table has no such entry; the tables are left as they are).
    void addMeshInstance(Node& node, const std::string& meshKey, const std::string& materialKey) const;

    Table<Geometry>& meshes() { return meshes_; }
    const Table<Geometry>& meshes() const { return meshes_; }
    Table<Entity>& entityTableA() { return entityTableA_; }
    const Table<Entity>& entityTableA() const { return entityTableA_; }
    Table<Entity>& entityTableB() { return entityTableB_; }
    const Table<Entity>& entityTableB() const { return entityTableB_; }
    Table<Material>& materials() { return materials_; }
    const Table<Material>& materials() const { return materials_; }

private:
    Table<Geometry> meshes_;
    Table<Entity> entityTableA_;
    Table<Entity> entityTableB_;
    Table<Material> materials_;
};

}
