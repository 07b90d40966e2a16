#include "orvane/utils/scenegraph/FsgWriter.h"

#include "orvane/exceptions/Exception.h"
#include "orvane/utils/File.h"
#include "orvane/utils/MemoryStream.h"
#include "orvane/utils/StreamReaders.h"
#include "orvane/utils/geometry/FgmWriter.h"
#include "orvane/utils/geometry/Geometry.h"
#include "orvane/utils/scenegraph/ChannelBlock.h"
#include "orvane/utils/scenegraph/FsgFormat.h"
#include "orvane/utils/scenegraph/MatrixControllers.h"

#include <cstdint>

namespace Orvane::Utils::SceneGraph {

using Exceptions::Exception;
using FsgFormat::TransformKind;

namespace {

using Components = std::vector<const Controller<float>*>;

template <typename T>
int presentEntries(const Scene::Table<T>& table)
{
    int count = 0;
    for (const auto& entry : table)
        count += entry.second ? 1 : 0;
    return count;
}

template <int N>
Components componentsOf(const CompositeVectorController<float, N>& vector)
{
    Components components;
    for (int i = 0; i < N; ++i)
        components.push_back(&vector.component(i));
    return components;
}

class FsgWriter {
public:
    explicit FsgWriter(OutputStream& stream)
        : stream_(stream)
    {}

    void write(const Scene& scene)
    {
        if (!scene.transforms().empty() || !scene.meshInstances().empty() || !scene.parameters().empty()
            || !scene.entityReferencesA().empty() || !scene.entityReferencesB().empty())
            throw Exception("writeFsg(): scene files have no place for transforms, meshes, parameters or "
                            "references of the scene itself; give them to a root node");
        writeExactly(stream_, FsgFormat::Magic.data(), 1, int(FsgFormat::Magic.size()));
        writeMeshes(scene.meshes());
        writeEntityTable(scene.entityTableA());
        writeEntityTable(scene.entityTableB());
        writeMaterials(scene.materials());
        writeChildren(scene, 0);
    }

private:
    void writeCount(size_t count) { writeInt32(stream_, std::int32_t(count)); }

    void writeMeshes(const Scene::Table<Geometry>& meshes)
    {
        writeInt32(stream_, presentEntries(meshes));
        for (const auto& [key, mesh] : meshes) {
            if (!mesh)
                continue;
            writeString(stream_, key);
            writeString(stream_, "");
            writeFgm(stream_, *mesh);
        }
    }

    void writeParameters(const Object& object)
    {
        writeCount(object.parameters().size());
        for (const AnimatedParameter& parameter : object.parameters()) {
            Components components;
            for (const auto& component : parameter.components)
                components.push_back(component.get());
            if (!sharesOneChannelBlock(components))
                throw Exception("writeFsg(): the parameter \"" + parameter.name + "\" of \"" + object.getName()
                                + "\" mixes controller kinds or key times");
            writeString(stream_, parameter.name);
            writeCount(components.size());
            writeChannelBlock(stream_, components);
        }
    }

    void writeEntityTable(const Scene::Table<Entity>& table)
    {
        writeInt32(stream_, presentEntries(table));
        for (const auto& [key, entity] : table) {
            if (!entity)
                continue;
            writeString(stream_, key);
            writeString(stream_, entity->getName());
            writeString(stream_, entity->firstDetail);
            writeString(stream_, entity->secondDetail);
            writeParameters(*entity);
        }
    }

    void writeMaterials(const Scene::Table<Material>& materials)
    {
        writeInt32(stream_, presentEntries(materials));
        for (const auto& [key, material] : materials) {
            if (!material)
                continue;
            writeString(stream_, key);
            writeString(stream_, material->getName());
            writeParameters(*material);
            writeCount(material->slots().size());
            for (const TextureSlot& slot : material->slots()) {
                writeString(stream_, slot.slotName);
                writeString(stream_, slot.textureName);
            }
        }
    }

    void writeChildren(const Node& parent, int depth)
    {
        if (!parent.children().empty() && depth + 1 > FsgFormat::MaxNodeDepth)
            throw Exception("writeFsg(): nodes are nested deeper than " + std::to_string(FsgFormat::MaxNodeDepth)
                            + " levels");
        writeCount(parent.children().size());
        for (const auto& child : parent.children())
            writeNode(*child, depth + 1);
    }

    void writeEntityReferences(const std::vector<EntityReference>& references)
    {
        writeCount(references.size());
        for (const EntityReference& reference : references)
            writeString(stream_, reference.key);
    }

    void writeNode(const Node& node, int depth)
    {
        writeString(stream_, "");
        writeString(stream_, node.getName());
        writeCount(node.meshInstances().size());
        for (const MeshInstance& instance : node.meshInstances()) {
            writeString(stream_, instance.meshKey);
            writeString(stream_, instance.materialKey);
        }
        writeEntityReferences(node.entityReferencesB());
        writeEntityReferences(node.entityReferencesA());
        writeCount(node.transforms().size());
        for (const Node::Transform& transform : node.transforms())
            writeTransform(node, *transform);
        writeChildren(node, depth);
    }

    void writeTransform(const Node& node, const Controller<Matrix4&>& transform)
    {
        if (const auto* t = dynamic_cast<const Translation*>(&transform))
            writeTransform(node, TransformKind::Translate, componentsOf(t->vector()));
        else if (const auto* r = dynamic_cast<const Rotation*>(&transform))
            writeTransform(node, TransformKind::Rotate, componentsOf(r->vector()));
        else if (const auto* s = dynamic_cast<const Scale*>(&transform))
            writeTransform(node, TransformKind::Scale, componentsOf(s->vector()));
        else if (const auto* m = dynamic_cast<const CompositeMatrixController*>(&transform))
            writeTransform(node, TransformKind::Matrix, matrixComponentsInFileOrder(*m));
        else
            throw Exception("writeFsg(): the node \"" + node.getName()
                            + "\" has a transform that scene files cannot store");
    }

    static Components matrixComponentsInFileOrder(const CompositeMatrixController& matrix)
    {
        Components components;
        for (int i = 0; i < 16; ++i)
            components.push_back(&matrix.element(FsgFormat::swapMatrixOrder(i)));
        return components;
    }

    // One block when the components share a timeline; otherwise constants as the base block and
    // an override group for every animated component.
    void writeTransform(const Node& node, TransformKind kind, const Components& components)
    {
        writeString(stream_, std::string(FsgFormat::transformKindInfo(kind).name));
        if (sharesOneChannelBlock(components)) {
            writeChannelBlock(stream_, components);
            writeInt32(stream_, 0);
            return;
        }
        std::vector<ConstantController<float>> bases;
        std::vector<int> animated;
        for (size_t i = 0; i < components.size(); ++i) {
            const auto* constant = dynamic_cast<const ConstantController<float>*>(components[i]);
            bases.emplace_back(constant ? constant->value() : 0.0f);
            if (!constant)
                animated.push_back(int(i));
        }
        Components baseView;
        for (const auto& base : bases)
            baseView.push_back(&base);
        writeChannelBlock(stream_, baseView);
        writeCount(animated.size());
        for (int index : animated) {
            if (!sharesOneChannelBlock({components[size_t(index)]}))
                throw Exception("writeFsg(): a transform of the node \"" + node.getName()
                                + "\" is animated by a controller that scene files cannot store");
            writeInt32(stream_, index);
            writeInt32(stream_, 1);
            writeChannelBlock(stream_, {components[size_t(index)]});
        }
    }

    OutputStream& stream_;
};

}

void writeFsg(OutputStream& stream, const Scene& scene) { FsgWriter(stream).write(scene); }

void writeFsg(const std::string& path, const Scene& scene)
{
    MemoryStream encoded;
    writeFsg(encoded, scene);
    File file(path, File::Write);
    writeExactly(file, encoded.bytes().data(), 1, int(encoded.bytes().size()));
    file.close();
}

}
