#include "orvane/utils/scenegraph/FsgReader.h"

#include "orvane/exceptions/Exception.h"
#include "orvane/utils/File.h"
#include "orvane/utils/StreamReaders.h"
#include "orvane/utils/geometry/FgmReader.h"
#include "orvane/utils/geometry/Geometry.h"
#include "orvane/utils/scenegraph/ChannelBlock.h"
#include "orvane/utils/scenegraph/FsgFormat.h"
#include "orvane/utils/scenegraph/MatrixControllers.h"

#include <cstdint>
#include <string>

namespace Orvane::Utils::SceneGraph {

using Exceptions::UnsupportedFormatException;
using FsgFormat::TransformKind;

namespace {

class FsgReader {
public:
    FsgReader(InputStream& stream, const TextureResolver& resolver, int meshBufferMode)
        : stream_(stream)
        , resolver_(resolver)
        , meshBufferMode_(meshBufferMode)
    {}

    std::unique_ptr<Scene> read()
    {
        readMagic();
        auto scene = std::make_unique<Scene>();
        scene_ = scene.get();
        readMeshes();
        readEntityTable(scene_->entityTableA());
        readEntityTable(scene_->entityTableB());
        readMaterials();
        for (int count = readCount("root node"), i = 0; i < count; ++i)
            scene_->addChild(readNode(1));
        return scene;
    }

private:
    void readMagic()
    {
        char magic[FsgFormat::Magic.size()];
        readExactly(stream_, magic, 1, int(sizeof magic));
        if (std::string_view(magic, sizeof magic) != FsgFormat::Magic)
            throw UnsupportedFormatException("Incorrect FSG file format version. Only FSG100 supported");
    }

    int readCount(const char* what)
    {
        std::int32_t count = readInt32(stream_);
        if (count < 0)
            throw UnsupportedFormatException("loadFSG(): negative " + std::string(what) + " count "
                                             + std::to_string(count));
        return count;
    }

    void readMeshes()
    {
        for (int count = readCount("mesh"), i = 0; i < count; ++i) {
            std::string key = readString(stream_);
            readString(stream_);
            std::unique_ptr<Geometry> mesh = loadFgm(stream_, meshBufferMode_);
            scene_->meshes()[key] = std::move(mesh);
        }
    }

    void readParameters(Object& object)
    {
        for (int count = readCount("parameter"), i = 0; i < count; ++i) {
            AnimatedParameter parameter;
            parameter.name = readString(stream_);
            parameter.components = readChannelBlock(stream_, readInt32(stream_));
            object.parameters().push_back(std::move(parameter));
        }
    }

    void readEntityTable(Scene::Table<Entity>& table)
    {
        for (int count = readCount("entity"), i = 0; i < count; ++i) {
            std::string key = readString(stream_);
            auto entity = std::make_unique<Entity>(readString(stream_));
            entity->firstDetail = readString(stream_);
            entity->secondDetail = readString(stream_);
            readParameters(*entity);
            table[key] = std::move(entity);
        }
    }

    void readMaterials()
    {
        for (int count = readCount("material"), i = 0; i < count; ++i) {
            std::string key = readString(stream_);
            auto material = std::make_unique<Material>(readString(stream_));
            readParameters(*material);
            for (int slots = readCount("texture slot"), s = 0; s < slots; ++s) {
                TextureSlot slot;
                slot.slotName = readString(stream_);
                slot.textureName = readString(stream_);
                if (resolver_)
                    slot.texture = resolver_(slot.textureName);
                material->slots().push_back(std::move(slot));
            }
            scene_->materials()[key] = std::move(material);
        }
    }

    void readEntityReferences(std::vector<EntityReference>& references, Scene::Table<Entity>& table)
    {
        for (int count = readCount("entity reference"), i = 0; i < count; ++i) {
            std::string key = readString(stream_);
            Entity* entity = table[key].get();
            references.push_back({std::move(key), entity});
        }
    }

    std::unique_ptr<Node> readNode(int depth)
    {
        if (depth > FsgFormat::MaxNodeDepth)
            throw UnsupportedFormatException("loadFSG(): nodes are nested deeper than "
                                             + std::to_string(FsgFormat::MaxNodeDepth) + " levels");
        readString(stream_);
        auto node = std::make_unique<Node>(readString(stream_));
        for (int count = readCount("mesh instance"), i = 0; i < count; ++i) {
            MeshInstance instance;
            instance.meshKey = readString(stream_);
            instance.materialKey = readString(stream_);
            instance.mesh = scene_->meshes()[instance.meshKey].get();
            instance.material = scene_->materials()[instance.materialKey].get();
            node->meshInstances().push_back(std::move(instance));
        }
        readEntityReferences(node->entityReferencesB(), scene_->entityTableB());
        readEntityReferences(node->entityReferencesA(), scene_->entityTableA());
        for (int count = readCount("transform"), i = 0; i < count; ++i)
            node->addTransform(readTransform());
        for (int count = readCount("child node"), i = 0; i < count; ++i)
            node->addChild(readNode(depth + 1));
        return node;
    }

    static const FsgFormat::TransformKindInfo& parseTransformKind(const std::string& name)
    {
        for (const FsgFormat::TransformKindInfo& info : FsgFormat::TransformKinds)
            if (info.name == name)
                return info;
        if (name == FsgFormat::SkewKind)
            throw UnsupportedFormatException("loadFSG(): skew transforms not supported");
        if (name == FsgFormat::LookAtKind)
            throw UnsupportedFormatException("loadFSG(): lookat transforms not supported");
        throw UnsupportedFormatException("loadFSG(): unknown transform type");
    }

    void readOverrideGroups(ScalarControllers& components, std::string_view kind)
    {
        for (int count = readCount("override group"), i = 0; i < count; ++i) {
            std::int32_t first = readInt32(stream_);
            std::int32_t length = readInt32(stream_);
            if (first < 0 || length < 0 || std::int64_t(first) + length > std::int64_t(components.size()))
                throw UnsupportedFormatException("loadFSG(): override group of " + std::to_string(length)
                                                 + " components from " + std::to_string(first) + " lies outside the "
                                                 + std::to_string(components.size()) + " components of a \""
                                                 + std::string(kind) + "\" transform");
            ScalarControllers replacements = readChannelBlock(stream_, length);
            for (int k = 0; k < length; ++k)
                components[size_t(first + k)] = std::move(replacements[size_t(k)]);
        }
    }

    Node::Transform readTransform()
    {
        const FsgFormat::TransformKindInfo& info = parseTransformKind(readString(stream_));
        ScalarControllers c = readChannelBlock(stream_, info.components);
        readOverrideGroups(c, info.name);
        switch (info.kind) {
        case TransformKind::Translate:
            return std::make_unique<Translation>(
                std::make_unique<CompositeVector3Controller<float>>(std::move(c[0]), std::move(c[1]), std::move(c[2])));
        case TransformKind::Rotate:
            return std::make_unique<Rotation>(std::make_unique<CompositeVector4Controller<float>>(
                std::move(c[0]), std::move(c[1]), std::move(c[2]), std::move(c[3])));
        case TransformKind::Scale:
            return std::make_unique<Scale>(
                std::make_unique<CompositeVector3Controller<float>>(std::move(c[0]), std::move(c[1]), std::move(c[2])));
        case TransformKind::Matrix: break;
        }
        CompositeMatrixController::Elements elements;
        for (int i = 0; i < 16; ++i)
            elements[size_t(FsgFormat::swapMatrixOrder(i))] = std::move(c[size_t(i)]);
        return std::make_unique<CompositeMatrixController>(std::move(elements));
    }

    InputStream& stream_;
    const TextureResolver& resolver_;
    int meshBufferMode_;
    Scene* scene_ = nullptr;
};

}

std::unique_ptr<Scene> loadFsg(InputStream& stream, const TextureResolver& resolver, int meshBufferMode)
{
    return FsgReader(stream, resolver, meshBufferMode).read();
}

std::unique_ptr<Scene> loadFsg(const std::string& path, const TextureResolver& resolver)
{
    File file(path, File::Read);
    try {
        return loadFsg(file, resolver);
    } catch (const UnsupportedFormatException& e) {
        throw UnsupportedFormatException(path + ": " + e.getMessage());
    }
}

}
