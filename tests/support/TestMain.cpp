#include "orvane/MessageBox.h"

#include <gtest/gtest.h>

namespace {

// No test may wait for a click: before every test, what a message box would show goes nowhere but
// stderr. A test that checks its boxes installs a sink of its own.
class NoMessageBoxes : public testing::EmptyTestEventListener {
    void OnTestStart(const testing::TestInfo&) override
    {
        Orvane::MessageBox::setSink([](const std::string&, const std::string&) {});
    }
};

}

int main(int argc, char** argv)
{
    testing::InitGoogleTest(&argc, argv);
    testing::UnitTest::GetInstance()->listeners().Append(new NoMessageBoxes);
    return RUN_ALL_TESTS();
}
