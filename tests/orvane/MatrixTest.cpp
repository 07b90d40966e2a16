#include "orvane/Matrix4.h"

#include <gtest/gtest.h>

using Orvane::Matrix4;
using Orvane::Vector3t;

namespace {

void expectPointNear(const Vector3t<float>& p, float x, float y, float z, float tolerance = 1e-5f)
{
    EXPECT_NEAR(p.x, x, tolerance);
    EXPECT_NEAR(p.y, y, tolerance);
    EXPECT_NEAR(p.z, z, tolerance);
}

}

TEST(Matrix4, DefaultIsIdentityAndStorageIsColumnMajor)
{
    Matrix4 m;
    for (int i = 0; i < 16; ++i)
        EXPECT_EQ(m[i], (i % 5 == 0) ? 1.0f : 0.0f);
    m.setTranslation(1, 2, 3);
    EXPECT_EQ(m[12], 1.0f);
    EXPECT_EQ(m[13], 2.0f);
    EXPECT_EQ(m[14], 3.0f);
    expectPointNear(m.transformPoint(1, 1, 1), 2, 3, 4);
}

TEST(Matrix4, RotationAboutZMapsXToY)
{
    Matrix4 m;
    m.setRotation(90, 0, 0, 1);
    expectPointNear(m.transformPoint(1, 0, 0), 0, 1, 0);
}

TEST(Matrix4, RotationNormalisesOnlyAxesClearlyOffUnitLength)
{
    Matrix4 longAxis, unitAxis;
    longAxis.setRotation(90, 0, 0, 2);
    unitAxis.setRotation(90, 0, 0, 1);
    EXPECT_EQ(longAxis, unitAxis);
}

TEST(Matrix4, PerspectiveDepthTerms)
{
    Matrix4 m;
    m.setPerspective(90, 1, 1, 100);
    EXPECT_FLOAT_EQ(m[10], -101.0f / 99.0f);
    EXPECT_FLOAT_EQ(m[14], -200.0f / 99.0f);
    EXPECT_EQ(m[11], -1.0f);
    EXPECT_EQ(m[15], 0.0f);
    EXPECT_NEAR(m[0], 1.0f, 1e-6f);
}

TEST(Matrix4, OrthoMapsBoxToUnitCube)
{
    Matrix4 m;
    m.setOrtho(0, 800, 0, 600, -1, 1);
    expectPointNear(m.transformPoint(0, 0, 0), -1, -1, 0);
    expectPointNear(m.transformPoint(800, 600, 0), 1, 1, 0);
    expectPointNear(m.transformPoint(400, 300, 1), 0, 0, -1);
}

TEST(Matrix4, LookAtFromPositiveZ)
{
    Matrix4 m;
    m.setLookAt(0, 0, 5, 0, 0, 0, 0, 1, 0);
    expectPointNear(m.transformPoint(0, 0, 0), 0, 0, -5);
    expectPointNear(m.transformPoint(1, 0, 0), 1, 0, -5);
    expectPointNear(m.transformPoint(0, 1, 0), 0, 1, -5);
}

TEST(Matrix4, PostMultiplyAppliesNewTransformFirst)
{
    Matrix4 m;
    m.translate(10, 0, 0);
    m.scale(2, 2, 2);
    expectPointNear(m.transformPoint(1, 1, 1), 12, 2, 2);

    Matrix4 a, b;
    a.setTranslation(1, 0, 0);
    b.setRotation(90, 0, 0, 1);
    expectPointNear((a * b).transformPoint(1, 0, 0), 1, 1, 0);
    expectPointNear((b * a).transformPoint(1, 0, 0), 0, 2, 0);
}

TEST(Vector3, NormalizeAndCross)
{
    Vector3t<float> v(3, 0, 4);
    v.normalize();
    expectPointNear(v, 0.6f, 0, 0.8f);
    expectPointNear(Orvane::cross(Vector3t<float>(1, 0, 0), Vector3t<float>(0, 1, 0)), 0, 0, 1);
}
