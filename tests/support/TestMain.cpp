// The main of every test binary: tests never wait on a dialog.
#include <gtest/gtest.h>

#include "platform/ProblemBox.h"

int main(int argc, char** argv)
{
    ProblemBox::setUnattended(true);
    ::testing::InitGoogleTest(&argc, argv);
    ::testing::GTEST_FLAG(death_test_style) = "threadsafe";
    return RUN_ALL_TESTS();
}
