#pragma once

#include "orvane/Vector.h"
#include "orvane/exceptions/Exception.h"
#include "orvane/utils/scenegraph/Controller.h"

#include <array>
#include <memory>
#include <string>

namespace Orvane::Utils::SceneGraph {

// Builds a vector from one owned scalar controller per component, sampled in component order.
template <typename T, int N>
class CompositeVectorController {
public:
    using Component = std::unique_ptr<Controller<T>>;

    const Controller<T>& component(int index) const { return *components_[size_t(index)]; }
    static constexpr int componentCount = N;

protected:
    explicit CompositeVectorController(std::array<Component, N> components)
        : components_(std::move(components))
    {
        for (const Component& c : components_)
            if (!c)
                throw Exceptions::Exception("CompositeVectorController: every component needs a controller");
    }

    T sampleComponent(int index, float time) { return components_[size_t(index)]->Sample(time); }

private:
    std::array<Component, N> components_;
};

template <typename T>
class CompositeVector3Controller : public Controller<Vector3t<T>>, public CompositeVectorController<T, 3> {
public:
    using Component = typename CompositeVectorController<T, 3>::Component;

    CompositeVector3Controller(Component x, Component y, Component z)
        : CompositeVectorController<T, 3>({std::move(x), std::move(y), std::move(z)})
    {}

    Vector3t<T> Sample(float time) override
    {
        T x = this->sampleComponent(0, time);
        T y = this->sampleComponent(1, time);
        T z = this->sampleComponent(2, time);
        return {x, y, z};
    }
};

template <typename T>
class CompositeVector4Controller : public Controller<Vector4t<T>>, public CompositeVectorController<T, 4> {
public:
    using Component = typename CompositeVectorController<T, 4>::Component;

    CompositeVector4Controller(Component x, Component y, Component z, Component w)
        : CompositeVectorController<T, 4>({std::move(x), std::move(y), std::move(z), std::move(w)})
    {}

    Vector4t<T> Sample(float time) override
    {
        T x = this->sampleComponent(0, time);
        T y = this->sampleComponent(1, time);
        T z = this->sampleComponent(2, time);
        T w = this->sampleComponent(3, time);
        return {x, y, z, w};
    }
};

}
