#pragma once

#include "orvane/utils/loaders/ResourceProxy.h"
#include "orvane/utils/scenegraph/Material.h"

#include <functional>
#include <map>
#include <memory>
#include <vector>

namespace Orvane::Utils::SceneGraph {
class Scene;
}

namespace Orvane::Utils::Loaders {

// Loads assets from files named base path + name (no separator added), each at most once: later
// requests return the same object without touching the disk. One cache per kind, so a name asked
// for as two kinds cannot hand back the wrong type; a load that fails keeps nothing, so the next
// request tries again. Errors that do not name their file get the path in front.
class DefaultResourceProxy : public ResourceProxy {
public:
    explicit DefaultResourceProxy(std::string basePath);
    // The base path is read at every request, for owners whose asset folder may still change.
    explicit DefaultResourceProxy(std::function<std::string()> basePath);
    ~DefaultResourceProxy() override;

    // Decoded image as a mipmapped texture.
    Texture* getTexture(const std::string& name) override;
    // FGM mesh in static hardware buffers.
    Geometry* getGeometry(const std::string& name) override;
    // Both stages from the whole text, entries "vsMain" and "psMain".
    Shader* getShader(const std::string& name) override;
    // FSG scene, its material textures from the resolver. Unlike the other kinds, every call
    // reads a scene of its own (a scene carries its animation state), kept until clear.
    SceneGraph::Scene* getScene(const std::string& name, SceneGraph::TextureResolver resolver = {});

    // Reads the file again into the shader, texture, mesh or scenes already handed out under name,
    // so every holder sees the new version (a mesh as reloadGeometry allows, a scene as
    // reloadScene does). False when nothing of that name was loaded; a file that fails to load
    // throws and leaves the object as it was.
    bool reload(const std::string& name);

    // Releases everything loaded (GL objects must go while their context exists).
    void clear();

private:
    bool reloadScenes(const std::string& name, const std::string& path);

    std::function<std::string()> basePath_;
    std::map<std::string, std::unique_ptr<Texture>> textures_;
    std::map<std::string, std::unique_ptr<Geometry>> geometries_;
    std::map<std::string, std::unique_ptr<Shader>> shaders_;
    struct LoadedScene {
        std::string name;
        SceneGraph::TextureResolver resolver;
        std::unique_ptr<SceneGraph::Scene> scene;
    };
    std::vector<LoadedScene> scenes_;
};

}
