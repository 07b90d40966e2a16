#pragma once

#include "orvane/utils/scenegraph/Controller.h"

#include <array>
#include <vector>

namespace Orvane::Utils::SceneGraph {

// A scalar keyframe track that carries a tangent pair on each side of every key. The tangents are
// kept so scenes can be written back unchanged; sampling is linear between keys, exactly as in
// LinearTrack, so both kinds of track in one scene move alike.
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
