#include "tavrin/Demo.h"

#include "orvane/Font.h"
#include "orvane/utils/File.h"
#include "orvane/utils/loaders/DefaultResourceProxy.h"
#include "orvane/utils/loaders/WithPath.h"
#include "tavrin/resources/TextureStrips.h"

namespace Tavrin {

namespace {

const char* const FontPath = "data/fonts/eurostile.ttf";

const char* const BuiltinShaderNames[] = {
    "tavrin/constant_color.cg",   "tavrin/texture_color.cg", "tavrin/vertex_normals.cg", "tavrin/vertex_color.cg",
    "tavrin/spherical_envmap.cg", "tavrin/planar_envmap.cg", "tavrin/box_blur.cg",
};

}

Orvane::Shader* Demo::loadShader(const std::string& name) { return resourceCache_->getShader(name); }
Orvane::Texture* Demo::loadTexture(const std::string& name) { return resourceCache_->getTexture(name); }
Orvane::Utils::Geometry* Demo::loadGeometry(const std::string& name) { return resourceCache_->getGeometry(name); }

Orvane::Utils::SceneGraph::Scene* Demo::loadScene(const std::string& name,
                                                  std::function<Orvane::Texture*(const std::string&)> resolveTexture)
{
    return resourceCache_->getScene(name, std::move(resolveTexture));
}

Orvane::Texture* Demo::loadTextureStrip(const std::string& pattern, int count)
{
    return textureStrips_->load(pattern, count);
}

bool Demo::reloadTextureStrips(const std::string& name) { return textureStrips_->reload(name); }

void Demo::loadBuiltins()
{
    Orvane::Utils::File fontFile(FontPath, Orvane::Utils::File::Read);
    ownedFont_
        = Orvane::Utils::Loaders::withPath(FontPath, [&] { return std::make_unique<Orvane::Font>(fontFile, 20); });
    font = ownedFont_.get();
    for (int slot = 0; slot < 7; ++slot)
        builtinShaders[slot] = loadShader(BuiltinShaderNames[slot]);
}

}
