#pragma once

namespace Orvane::Utils::SceneGraph {

// Anything that answers a value for a time: scalar tracks, vector composites, animated transforms.
template <typename T>
class Controller {
public:
    virtual ~Controller() = default;
    virtual T Sample(float time) = 0;
};

template <typename T>
class ConstantController : public Controller<T> {
public:
    explicit ConstantController(T value)
        : value_(value)
    {}

    T Sample(float) override { return value_; }
    T value() const { return value_; }

private:
    T value_;
};

}
