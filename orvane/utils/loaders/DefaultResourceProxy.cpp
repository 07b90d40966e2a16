#include "orvane/utils/loaders/DefaultResourceProxy.h"

#include "orvane/BitmapImage.h"
#include "orvane/BufferModeEnum.h"
#include "orvane/ImageLoader.h"
#include "orvane/Shader.h"
#include "orvane/Texture.h"
#include "orvane/utils/StreamReaders.h"
#include "orvane/utils/geometry/FgmReader.h"
#include "orvane/utils/geometry/Geometry.h"
#include "orvane/utils/geometry/GeometryReload.h"
#include "orvane/utils/loaders/WithPath.h"
#include "orvane/utils/scenegraph/FsgReader.h"
#include "orvane/utils/scenegraph/SceneReload.h"

namespace Orvane::Utils::Loaders {

namespace {

template <typename T, typename Build>
T* cached(std::map<std::string, std::unique_ptr<T>>& cache, const std::string& name, Build build)
{
    auto found = cache.find(name);
    if (found != cache.end())
        return found->second.get();
    std::unique_ptr<T> object = build();
    T* result = object.get();
    cache.emplace(name, std::move(object));
    return result;
}

std::unique_ptr<Shader> loadShader(const std::string& path)
{
    std::string source = readTextFile(path);
    return withPath(path, [&] { return std::make_unique<Shader>(source, "vsMain", "psMain"); });
}

}

DefaultResourceProxy::DefaultResourceProxy(std::string basePath)
    : basePath_([path = std::move(basePath)] { return path; })
{}

DefaultResourceProxy::DefaultResourceProxy(std::function<std::string()> basePath)
    : basePath_(std::move(basePath))
{}

DefaultResourceProxy::~DefaultResourceProxy() = default;

void DefaultResourceProxy::clear()
{
    textures_.clear();
    geometries_.clear();
    shaders_.clear();
    scenes_.clear();
}

bool DefaultResourceProxy::reload(const std::string& name)
{
    std::string path = basePath_() + name;
    if (auto shader = shaders_.find(name); shader != shaders_.end()) {
        std::unique_ptr<Shader> replacement = loadShader(path);
        shader->second->adoptProgram(*replacement);
        return true;
    }
    if (auto texture = textures_.find(name); texture != textures_.end()) {
        std::unique_ptr<BitmapImage> image = withPath(path, [&] { return loadImage(path); });
        Texture& target = *texture->second;
        target.upload(image->getWidth(), image->getHeight(), image->getData(), image->getPixelType(),
                      target.getFilter());
        return true;
    }
    if (auto geometry = geometries_.find(name); geometry != geometries_.end()) {
        FgmMesh mesh = readFgmFile(path);
        withPath(path, [&] { reloadGeometry(*geometry->second, mesh, hardware_mem_static_draw); });
        return true;
    }
    return reloadScenes(name, path);
}

bool DefaultResourceProxy::reloadScenes(const std::string& name, const std::string& path)
{
    bool found = false;
    for (LoadedScene& loaded : scenes_) {
        if (loaded.name != name)
            continue;
        std::unique_ptr<SceneGraph::Scene> fresh = SceneGraph::loadFsg(path, loaded.resolver);
        withPath(path, [&] { SceneGraph::reloadScene(*loaded.scene, *fresh); });
        found = true;
    }
    return found;
}

Texture* DefaultResourceProxy::getTexture(const std::string& name)
{
    return cached(textures_, name, [&] {
        std::string path = basePath_() + name;
        std::unique_ptr<BitmapImage> image = withPath(path, [&] { return loadImage(path); });
        return std::make_unique<Texture>(*image, Mipmapped);
    });
}

Geometry* DefaultResourceProxy::getGeometry(const std::string& name)
{
    return cached(geometries_, name, [&] { return loadFgmFile(basePath_() + name, hardware_mem_static_draw); });
}

SceneGraph::Scene* DefaultResourceProxy::getScene(const std::string& name, SceneGraph::TextureResolver resolver)
{
    std::unique_ptr<SceneGraph::Scene> scene = SceneGraph::loadFsg(basePath_() + name, resolver);
    scenes_.push_back({name, std::move(resolver), std::move(scene)});
    return scenes_.back().scene.get();
}

Shader* DefaultResourceProxy::getShader(const std::string& name)
{
    return cached(shaders_, name, [&] { return loadShader(basePath_() + name); });
}

}
