#pragma once

// The framework's classes, declared for headers that only name them.
namespace Orvane {

class BitmapImage;
class Device;
class Font;
class IndexBuffer;
class RenderTarget;
class Shader;
class Texture;
class Timer;
class VertexBuffer;
class Window;

namespace Utils {
class Geometry;
class InputStream;
class OutputStream;
}

namespace Utils::SceneGraph {
class Node;
class Scene;
}

namespace Utils::Loaders {
class DefaultResourceProxy;
class ResourceProxy;
}

}
