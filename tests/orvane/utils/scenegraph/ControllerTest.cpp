#include "orvane/exceptions/Exception.h"
#include "orvane/utils/scenegraph/LinearTrack.h"
#include "orvane/utils/scenegraph/MatrixControllers.h"

#include <gtest/gtest.h>

#include <string>

using namespace Orvane::Utils::SceneGraph;
using Orvane::Matrix4;

namespace {

// Records the order in which composites sample their components.
class RecordingController : public Controller<float> {
public:
    RecordingController(std::string& log, char name, float value)
        : log_(log)
        , name_(name)
        , value_(value)
    {}
    float Sample(float time) override
    {
        log_ += name_;
        return value_ + time;
    }

private:
    std::string& log_;
    char name_;
    float value_;
};

std::unique_ptr<Controller<float>> constant(float v) { return std::make_unique<ConstantController<float>>(v); }

std::unique_ptr<CompositeVector3Controller<float>> vector3(float x, float y, float z)
{
    return std::make_unique<CompositeVector3Controller<float>>(constant(x), constant(y), constant(z));
}

}

TEST(CompositeVectorControllers, SampleComponentsInOrderAtTheSameTime)
{
    std::string log;
    CompositeVector4Controller<float> v(
        std::make_unique<RecordingController>(log, 'x', 1.0f), std::make_unique<RecordingController>(log, 'y', 2.0f),
        std::make_unique<RecordingController>(log, 'z', 3.0f), std::make_unique<RecordingController>(log, 'w', 4.0f));
    EXPECT_EQ(v.Sample(10.0f), (Orvane::Vector4t<float>(11.0f, 12.0f, 13.0f, 14.0f)));
    EXPECT_EQ(log, "xyzw");

    log.clear();
    CompositeVector3Controller<float> u(std::make_unique<RecordingController>(log, 'x', 1.0f),
                                        std::make_unique<RecordingController>(log, 'y', 2.0f),
                                        std::make_unique<RecordingController>(log, 'z', 3.0f));
    EXPECT_EQ(u.Sample(0.5f), (Orvane::Vector3t<float>(1.5f, 2.5f, 3.5f)));
    EXPECT_EQ(log, "xyz");
}

TEST(CompositeVectorControllers, MissingComponentIsRejected)
{
    EXPECT_THROW(CompositeVector3Controller<float>(constant(1.0f), nullptr, constant(2.0f)),
                 Orvane::Exceptions::Exception);
    EXPECT_THROW(Translation(nullptr), Orvane::Exceptions::Exception);
}

TEST(MatrixControllers, TranslationScaleAndRotationFillTheirElements)
{
    Translation translation(vector3(1.0f, 2.0f, 3.0f));
    const Matrix4& t = translation.Sample(0.0f);
    EXPECT_EQ(t[12], 1.0f);
    EXPECT_EQ(t[13], 2.0f);
    EXPECT_EQ(t[14], 3.0f);
    EXPECT_EQ(t[0], 1.0f);
    EXPECT_EQ(t[15], 1.0f);

    Scale scale(vector3(2.0f, 3.0f, 4.0f));
    Matrix4 expected;
    expected.setScale(2.0f, 3.0f, 4.0f);
    EXPECT_EQ(scale.Sample(0.0f), expected);

    // A non-unit axis is normalised: 90 degrees about (0, 0, 5) takes x to y.
    Rotation rotation(std::make_unique<CompositeVector4Controller<float>>(constant(0.0f), constant(0.0f),
                                                                          constant(5.0f), constant(90.0f)));
    auto p = rotation.Sample(0.0f).transformPoint(1.0f, 0.0f, 0.0f);
    EXPECT_NEAR(p.x, 0.0f, 1e-6f);
    EXPECT_NEAR(p.y, 1.0f, 1e-6f);
    EXPECT_NEAR(p.z, 0.0f, 1e-6f);
}

TEST(MatrixControllers, AnimatedTranslationReturnsItsOwnCache)
{
    auto x = std::make_unique<LinearTrack>();
    x->addKey(0.0f, 0.0f);
    x->addKey(1.0f, 10.0f);
    Translation translation(
        std::make_unique<CompositeVector3Controller<float>>(std::move(x), constant(0.0f), constant(0.0f)));
    Matrix4& first = translation.Sample(0.5f);
    EXPECT_FLOAT_EQ(first[12], 5.0f);
    Matrix4& second = translation.Sample(1.0f);
    EXPECT_EQ(&first, &second);
    EXPECT_FLOAT_EQ(first[12], 10.0f);
}

TEST(MatrixControllers, CompositeMatrixSetsElementsInStorageOrder)
{
    CompositeMatrixController::Elements elements;
    for (int i = 0; i < 16; ++i)
        elements[size_t(i)] = constant(float(i));
    CompositeMatrixController matrix(std::move(elements));
    const Matrix4& m = matrix.Sample(0.0f);
    for (int i = 0; i < 16; ++i)
        EXPECT_EQ(m[i], float(i));
}
