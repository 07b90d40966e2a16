#include "orvane/State.h"
#include "orvane/exceptions/Exception.h"

#include <gtest/gtest.h>

using Orvane::Matrix4;
using Orvane::State;

namespace {

void clearFlags()
{
    auto& m = State::matrices();
    m.worldDirty = m.viewDirty = m.projectionDirty = false;
}

void expectUnderflow(void (*operation)())
{
    try {
        operation();
        FAIL() << "expected an exception";
    } catch (const Orvane::Exceptions::Exception& e) {
        EXPECT_EQ(e.getMessage(), "Matrix stack underflow");
    }
}

}

TEST(State, PushTranslatePopRestoresWorldAndMarksItDirty)
{
    State::rotateWorld(30, 0, 1, 0);
    Matrix4 before = State::matrices().world;
    State::pushWorld();
    State::translateWorld(1, 0, 0);
    clearFlags();
    State::popWorld();
    EXPECT_EQ(State::matrices().world, before);
    EXPECT_TRUE(State::matrices().worldDirty);
    EXPECT_FALSE(State::matrices().viewDirty);
}

TEST(State, PushChangesNoFlagAndPopAllMarksAll)
{
    clearFlags();
    State::pushAll();
    EXPECT_FALSE(State::matrices().worldDirty || State::matrices().viewDirty || State::matrices().projectionDirty);
    Matrix4 world = State::matrices().world;
    EXPECT_TRUE(State::popAll());
    EXPECT_EQ(State::matrices().world, world);
    EXPECT_TRUE(State::matrices().worldDirty && State::matrices().viewDirty && State::matrices().projectionDirty);
}

TEST(State, PopOnEmptyStacksUnderflows)
{
    expectUnderflow([] { State::popAll(); });
    expectUnderflow(&State::popView);
    expectUnderflow(&State::popProjection);
}

TEST(State, SixtyFourthPushOverflowsWithoutLeavingTheStack)
{
    for (int i = 0; i < 63; ++i) {
        State::setWorld(Matrix4());
        State::translateWorld(float(i), 0, 0);
        State::pushWorld();
    }
    expectUnderflow(&State::pushWorld);
    expectUnderflow(&State::pushWorld);
    // The 63 saved matrices are intact and come back in order.
    for (int i = 62; i >= 0; --i) {
        State::popWorld();
        EXPECT_EQ(State::matrices().world[12], float(i));
    }
    expectUnderflow(&State::popWorld);
}

TEST(State, WorldViewAppliesWorldFirst)
{
    Matrix4 translation;
    translation.setTranslation(1, 0, 0);
    State::setWorld(translation);
    State::lookAt(0, 0, 5, 0, 0, 0, 0, 1, 0);
    float out[16];
    State::getWorldView(out);
    EXPECT_NEAR(out[12], 1.0f, 1e-6f);
    EXPECT_NEAR(out[13], 0.0f, 1e-6f);
    EXPECT_NEAR(out[14], -5.0f, 1e-6f);
}

TEST(State, ResetMatricesMarksAllDirty)
{
    clearFlags();
    State::translateWorld(3, 0, 0);
    EXPECT_TRUE(State::resetMatrices());
    EXPECT_EQ(State::matrices().world, Matrix4());
    EXPECT_TRUE(State::matrices().worldDirty && State::matrices().viewDirty && State::matrices().projectionDirty);
}

TEST(RenderEnums, ValuesOutsideTheTablesThrowTheirNames)
{
    using Orvane::Exceptions::IllegalEnumException;
    auto message = [](auto&& f) {
        try {
            f();
        } catch (const IllegalEnumException& e) {
            return e.getMessage();
        }
        return std::string("no exception");
    };
    EXPECT_EQ(message([] { Orvane::toGl(static_cast<Orvane::CompareFuncEnum>(7)); }), "Illegal CompareFuncEnum");
    EXPECT_EQ(message([] { Orvane::toGl(static_cast<Orvane::BlendOperandEnum>(10)); }), "Illegal BlendOperandEnum");
    EXPECT_EQ(message([] { Orvane::toGl(static_cast<Orvane::PrimitiveTypeEnum>(5)); }), "Illegal PrimitiveTypeEnum");
    // setBlendFunc converts before any GL call, so no context is needed to see it throw.
    EXPECT_EQ(
        message([] { State::setBlendFunc(static_cast<Orvane::BlendOperandEnum>(10), Orvane::BlendOperandEnum::Zero); }),
        "Illegal BlendOperandEnum");
    EXPECT_EQ(Orvane::toGl(static_cast<Orvane::Capability>(5)), 0u);
    EXPECT_EQ(Orvane::toGl(Orvane::CompareFuncEnum::LessEqual), GLenum(GL_LEQUAL));
    EXPECT_EQ(Orvane::toGl(Orvane::CompareFuncEnum::Never), GLenum(GL_NEVER));
}

TEST(Exceptions, DerivedCaughtByBaseKeepsMessage)
{
    try {
        throw Orvane::Exceptions::FileNotFoundException("File not found: data/missing.flow");
    } catch (const Orvane::Exceptions::Exception& e) {
        EXPECT_EQ(e.getMessage(), "File not found: data/missing.flow");
    }
}
