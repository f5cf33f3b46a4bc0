// WorldSceneFixture: the base of GL test suites that build a World in a folder of their own.
//
// The suite shares one sound manager on OpenAL Soft's null output (the tests hear nothing
// and need no sound card), and each test runs with the working folder switched to
// its own folder (enterFolder), switched back after TearDown.
#pragma once

#include <gtest/gtest.h>

#include <string>

class SoundManager;

class WorldSceneFixture : public ::testing::Test {
protected:
    static void SetUpTestSuite();
    static void TearDownTestSuite();

    // Makes the folder the working folder until the test ends.
    void enterFolder(const std::string& folder);
    ~WorldSceneFixture() override;

    static SoundManager* soundManager;

private:
    std::string previousFolder;
};
