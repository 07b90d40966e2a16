#include "orvane/Extensions.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

int dummy;

}

TEST(Extensions, OneMissingNameStillLooksUpTheRestAndTheFlagNeverResets)
{
    std::vector<std::string> asked;
    auto missingOne = [&](const char* name) -> void* {
        asked.emplace_back(name);
        return std::string(name) == "glBindFramebufferEXT" ? nullptr : &dummy;
    };
    EXPECT_FALSE(Orvane::Ext::loadExtensions(missingOne));
    ASSERT_GE(asked.size(), 39u);
    EXPECT_EQ(asked.front(), "glClientActiveTexture");
    EXPECT_EQ(asked[2], "glBindFramebufferEXT");
    EXPECT_EQ(asked[38], "glGetProgramInfoLog");
    EXPECT_EQ(reinterpret_cast<void*>(Orvane::Ext::glGetProgramInfoLog), &dummy);

    auto allFound = [](const char*) -> void* { return &dummy; };
    EXPECT_FALSE(Orvane::Ext::loadExtensions(allFound));
}

TEST(Extensions, AllFoundGivesTrue)
{
    EXPECT_TRUE(Orvane::Ext::loadExtensions([](const char*) -> void* { return &dummy; }));
}

TEST(Extensions, ContextMustReportVersionAndExtensions)
{
    const char* full = "GL_ARB_multitexture GL_EXT_framebuffer_object GL_ARB_vertex_shader";
    EXPECT_TRUE(Orvane::Ext::contextSupportsTable("2.1 Mesa 22.3.6", full));
    EXPECT_TRUE(Orvane::Ext::contextSupportsTable("4.5 (Compatibility Profile) Mesa", full));
    EXPECT_FALSE(Orvane::Ext::contextSupportsTable("1.5 Mesa", full));
    EXPECT_FALSE(Orvane::Ext::contextSupportsTable("2.1", "GL_ARB_multitexture GL_ARB_vertex_shader"));
    // A longer name that merely starts with a required one does not count.
    EXPECT_FALSE(Orvane::Ext::contextSupportsTable(
        "2.1", "GL_ARB_multitexture GL_EXT_framebuffer_object_x GL_ARB_vertex_shader"));
    EXPECT_FALSE(Orvane::Ext::contextSupportsTable(nullptr, full));
}
