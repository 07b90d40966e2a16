#include "tavrin/ResourceCache.h"

#include "orvane/BitmapImage.h"
#include "orvane/BufferModeEnum.h"
#include "orvane/ImageLoader.h"
#include "orvane/Shader.h"
#include "orvane/Texture.h"
#include "orvane/exceptions/Exception.h"
#include "orvane/utils/StreamReaders.h"
#include "orvane/utils/geometry/FgmReader.h"
#include "orvane/utils/geometry/Geometry.h"
#include "tavrin/AssetErrors.h"

namespace Tavrin {

ResourceCache::ResourceCache(const std::string& dataFolder) : dataFolder_(dataFolder) {}

ResourceCache::~ResourceCache() = default;

namespace {

// Looks the name up; on a miss builds the object and keeps it. A build that throws keeps nothing.
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

}

Orvane::Shader* ResourceCache::shader(const std::string& name)
{
    return cached(shaders_, name, [&] {
        std::string path = dataFolder_ + name;
        std::string source = Orvane::Utils::readTextFile(path);
        return withPath(path, [&] { return std::make_unique<Orvane::Shader>(source, "vsMain", "psMain"); });
    });
}

Orvane::Texture* ResourceCache::texture(const std::string& name)
{
    return cached(textures_, name, [&] {
        std::string path = dataFolder_ + name;
        std::unique_ptr<Orvane::BitmapImage> image = withPath(path, [&] { return Orvane::loadImage(path); });
        return std::make_unique<Orvane::Texture>(*image, Orvane::Mipmapped);
    });
}

Orvane::Utils::Geometry* ResourceCache::geometry(const std::string& name)
{
    return cached(geometries_, name,
                  [&] { return Orvane::Utils::loadFgmFile(dataFolder_ + name, Orvane::hardware_mem_static_draw); });
}

}
