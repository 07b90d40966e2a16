#include "orvane/utils/scenegraph/MatrixControllers.h"

#include "orvane/exceptions/Exception.h"

namespace Orvane::Utils::SceneGraph {

namespace {

template <typename P>
P requireController(P controller, const char* owner)
{
    if (!controller)
        throw Exceptions::Exception(std::string(owner) + ": a controller is missing");
    return controller;
}

}

CompositeMatrixController::CompositeMatrixController(Elements elements)
    : elements_(std::move(elements))
{
    for (const auto& element : elements_)
        requireController(element.get(), "CompositeMatrixController");
}

Matrix4& CompositeMatrixController::Sample(float time)
{
    for (int i = 0; i < 16; ++i)
        cache_[i] = elements_[size_t(i)]->Sample(time);
    return cache_;
}

Translation::Translation(std::unique_ptr<CompositeVector3Controller<float>> offset)
    : offset_(requireController(std::move(offset), "Translation"))
{}

Matrix4& Translation::Sample(float time)
{
    Vector3t<float> v = offset_->Sample(time);
    cache_.setTranslation(v.x, v.y, v.z);
    return cache_;
}

Rotation::Rotation(std::unique_ptr<CompositeVector4Controller<float>> axisAngle)
    : axisAngle_(requireController(std::move(axisAngle), "Rotation"))
{}

Matrix4& Rotation::Sample(float time)
{
    Vector4t<float> v = axisAngle_->Sample(time);
    cache_.setRotation(v.w, v.x, v.y, v.z);
    return cache_;
}

Scale::Scale(std::unique_ptr<CompositeVector3Controller<float>> factors)
    : factors_(requireController(std::move(factors), "Scale"))
{}

Matrix4& Scale::Sample(float time)
{
    Vector3t<float> v = factors_->Sample(time);
    cache_.setScale(v.x, v.y, v.z);
    return cache_;
}

}
