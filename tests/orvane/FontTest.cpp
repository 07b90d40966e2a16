#include "orvane/Font.h"
#include "orvane/exceptions/Exception.h"
#include "orvane/utils/File.h"
#include "support/MemoryInputStream.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

using Orvane::Font;
using Orvane::Utils::File;

namespace {

// From fonts-dejavu-core, which scripts/setup.sh installs.
const char* const DejaVuSans = "/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf";

std::string failureOf(const std::string& bytes)
{
    TestSupport::MemoryInputStream stream(bytes);
    try {
        Font font(stream, 20);
        return "opened";
    } catch (const Orvane::Exceptions::Exception& e) {
        return e.getMessage();
    }
}

}

TEST(Font, OpensATrueTypeFileAtThePixelSize)
{
    ASSERT_TRUE(std::filesystem::exists(DejaVuSans)) << DejaVuSans << " is missing: install fonts-dejavu-core";
    File file(DejaVuSans, File::Read);
    Font font(file, 20);
    ASSERT_NE(font.face(), nullptr);
    EXPECT_STREQ(font.face()->family_name, "DejaVu Sans");
    EXPECT_EQ(font.face()->size->metrics.y_ppem, 20);
}

TEST(Font, TwoFontsStartTheEngineOnce)
{
    File first(DejaVuSans, File::Read);
    Font a(first, 20);
    File second(DejaVuSans, File::Read);
    Font b(second, 12);
    EXPECT_EQ(Font::engineStarts(), 1);
    EXPECT_EQ(b.face()->size->metrics.y_ppem, 12);
}

TEST(Font, NonFontsAreRefused)
{
    TestSupport::TempDir dir;
    std::ofstream text(dir.file("notes.txt"));
    for (int line = 0; line < 20; ++line)
        text << "Line " << line << " of a plain text file that is not a font.\n";
    text.close();
    File file(dir.file("notes.txt"), File::Read);
    try {
        Font font(file, 20);
        FAIL() << "a text file must be refused";
    } catch (const Orvane::Exceptions::Exception& e) {
        EXPECT_EQ(e.getMessage(), "Unknown font file format.");
    }
    // Too short for FreeType even to tell the format: an error of another kind.
    EXPECT_EQ(failureOf(""), "Error creating font.");
    EXPECT_EQ(failureOf("ttf?"), "Error creating font.");
}
