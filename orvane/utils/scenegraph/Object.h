#pragma once

#include "orvane/utils/scenegraph/Controller.h"

#include <memory>
#include <string>
#include <vector>

namespace Orvane::Utils::SceneGraph {

// A named value animated by one scalar controller per component.
struct AnimatedParameter {
    std::string name;
    std::vector<std::unique_ptr<Controller<float>>> components;
};

// Anything in a scene that has a name and animated parameters.
class Object {
public:
    explicit Object(std::string name = {})
        : name_(std::move(name))
    {}
    virtual ~Object() = default;
    Object(const Object&) = delete;
    Object& operator=(const Object&) = delete;

    const std::string& getName() const { return name_; }
    void setName(std::string name) { name_ = std::move(name); }

    std::vector<AnimatedParameter>& parameters() { return parameters_; }
    const std::vector<AnimatedParameter>& parameters() const { return parameters_; }
    // Returns null when there is no parameter of that name.
    const AnimatedParameter* findParameter(const std::string& name) const;

private:
    std::string name_;
    std::vector<AnimatedParameter> parameters_;
};

}
