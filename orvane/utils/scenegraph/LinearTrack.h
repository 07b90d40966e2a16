#pragma once

#include "orvane/utils/scenegraph/Controller.h"

#include <vector>

namespace Orvane::Utils::SceneGraph {

// A scalar keyframe track interpolated linearly between keys.
class LinearTrack : public Controller<float> {
public:
    struct Key {
        float time;
        float value;
    };

    void addKey(float time, float value) { keys_.push_back({time, value}); }
    const std::vector<Key>& keys() const { return keys_; }

    float Sample(float time) override;

private:
    std::vector<Key> keys_;
};

}
