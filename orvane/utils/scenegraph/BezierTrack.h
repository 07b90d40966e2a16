#pragma once

#include "orvane/utils/scenegraph/Controller.h"

#include <array>
#include <vector>

namespace Orvane::Utils::SceneGraph {

// A scalar keyframe track that carries a tangent pair on each side of every key. The tangents are
// kept so files can be written back unchanged, but sampling interpolates linearly, which is what
// every scene was authored against.
class BezierTrack : public Controller<float> {
public:
    using Tangent = std::array<float, 2>;

    struct Key {
        float time;
        float value;
        Tangent tangent1;
        Tangent tangent2;
    };

    void addKey(float time, float value, Tangent tangent1 = {}, Tangent tangent2 = {})
    {
        keys_.push_back({time, value, tangent1, tangent2});
    }
    const std::vector<Key>& keys() const { return keys_; }

    float Sample(float time) override;

private:
    std::vector<Key> keys_;
};

}
