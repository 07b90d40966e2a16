#pragma once

#include "orvane/Matrix4.h"
#include "orvane/utils/scenegraph/CompositeVectorControllers.h"
#include "orvane/utils/scenegraph/Controller.h"

#include <array>
#include <memory>

namespace Orvane::Utils::SceneGraph {

// The animated transforms of scene nodes. Each returns a reference to its own cached matrix,
// valid until its next Sample.

class CompositeMatrixController : public Controller<Matrix4&> {
public:
    // One controller per matrix element, in the matrix's column-major storage order.
    using Elements = std::array<std::unique_ptr<Controller<float>>, 16>;

    explicit CompositeMatrixController(Elements elements);

    Matrix4& Sample(float time) override;
    const Controller<float>& element(int index) const { return *elements_[size_t(index)]; }

private:
    Elements elements_;
    Matrix4 cache_;
};

class Translation : public Controller<Matrix4&> {
public:
    explicit Translation(std::unique_ptr<CompositeVector3Controller<float>> offset);

    Matrix4& Sample(float time) override;
    const CompositeVector3Controller<float>& vector() const { return *offset_; }

private:
    std::unique_ptr<CompositeVector3Controller<float>> offset_;
    Matrix4 cache_;
};

// Rotation by w degrees about the axis (x, y, z).
class Rotation : public Controller<Matrix4&> {
public:
    explicit Rotation(std::unique_ptr<CompositeVector4Controller<float>> axisAngle);

    Matrix4& Sample(float time) override;
    const CompositeVector4Controller<float>& vector() const { return *axisAngle_; }

private:
    std::unique_ptr<CompositeVector4Controller<float>> axisAngle_;
    Matrix4 cache_;
};

class Scale : public Controller<Matrix4&> {
public:
    explicit Scale(std::unique_ptr<CompositeVector3Controller<float>> factors);

    Matrix4& Sample(float time) override;
    const CompositeVector3Controller<float>& vector() const { return *factors_; }

private:
    std::unique_ptr<CompositeVector3Controller<float>> factors_;
    Matrix4 cache_;
};

}
