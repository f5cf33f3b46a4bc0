// The fatal report, the option scan, path helpers, string helpers and the vector types.
#include <gtest/gtest.h>

#include <sstream>

#include "Application.h"
#include "core/BasicVector.h"
#include "core/FatalError.h"
#include "core/FileManager.h"
#include "core/StringUtils.h"
#include "TempDir.h"

namespace {

StartOptions scan(std::vector<std::string> words)
{
    words.insert(words.begin(), "/usr/bin/cubewright");
    return Application::parseOptions(words);
}

}  // namespace

TEST(OptionScan, DefaultsAndOverrides)
{
    StartOptions none = scan({});
    EXPECT_EQ(none.worldDataFile, "world.dat");
    EXPECT_EQ(none.worldLuaFile, "world.lua");
    EXPECT_EQ(none.worldConfigFile, "world.xml");
    EXPECT_FALSE(none.fullscreen);
    EXPECT_EQ(none.programPath, "/usr/bin/cubewright");

    StartOptions script = scan({"--world_lua", "game.lua", "--fullscreen"});
    EXPECT_EQ(script.worldLuaFile, "game.lua");
    EXPECT_TRUE(script.fullscreen);

    StartOptions config = scan({"--world_config", "my.xml"});
    EXPECT_EQ(config.worldConfigFile, "my.xml");
    EXPECT_EQ(config.worldDataFile, "world.dat");
    EXPECT_EQ(config.worldLuaFile, "world.lua");

    // A value is never read as an option.
    StartOptions valueLikeOption = scan({"--world_dat", "--fullscreen"});
    EXPECT_EQ(valueLikeOption.worldDataFile, "--fullscreen");
    EXPECT_FALSE(valueLikeOption.fullscreen);

    StartOptions ignored = scan({"-x", "file.dat", "--FULLSCREEN", "--world_dat", "a.dat", "--world_dat", "b.dat"});
    EXPECT_EQ(ignored.worldDataFile, "b.dat");
    EXPECT_FALSE(ignored.fullscreen);
    EXPECT_TRUE(scan({"--unattended"}).unattended);
}

TEST(OptionScanDeathTest, ValueOptionAsLastWordIsBadArguments)
{
    for (const char* option : {"--world_dat", "--world_lua", "--world_config"})
        EXPECT_EXIT(scan({option}), ::testing::ExitedWithCode(1),
                    "ERROR : The program aborted unexpectedly(.|\n)*"
                    "\nCondition: arguments.size\\(\\) >= i\\+1\nMessage: Bad arguments!\n");
}

TEST(FatalReport, LinesInOrder)
{
    std::string report = buildFatalReport("Dec 11 2026", "src/X.cpp", "a == b", 42, "10:00:00", "boom");
    size_t preambleEnd = report.find("del programa :\n\n");
    ASSERT_NE(preambleEnd, std::string::npos);
    EXPECT_EQ(report.substr(preambleEnd + 16),
              "\n__DATE__ Dec 11 2026\n__FILE__ src/X.cpp\n__LINE__ 42\n__TIME__ 10:00:00"
              "\nProgram version: (unknown)\nCondition: a == b\nMessage: boom\n");
    EXPECT_EQ(report.find("The program aborted unexpectedly."), 0u);
    EXPECT_NE(report.find("Le programme a quitte inopinement."), std::string::npos);

    std::string bare = buildFatalReport("d", "f", nullptr, 1, "t", nullptr);
    EXPECT_EQ(bare.find("Condition:"), std::string::npos);
    EXPECT_EQ(bare.find("Message:"), std::string::npos);
    EXPECT_EQ(bare.substr(bare.size() - 28), "\nProgram version: (unknown)\n");
}

TEST(FatalReportDeathTest, AssertWritesErrorLineAndExitsWithOne)
{
    EXPECT_EXIT(
        {
            int value = 3;
            ASSERT(value == 4, "value is wrong");
        },
        ::testing::ExitedWithCode(1), "ERROR : (.|\n)*__FILE__ .*CoreTest.cpp(.|\n)*Condition: value == 4\nMessage: value is wrong\n");
    EXPECT_EXIT(FATAL("no condition"), ::testing::ExitedWithCode(1), "Program version: \\(unknown\\)\nMessage: no condition\n");
}

TEST(FileManager, PathHelpers)
{
    EXPECT_EQ(FileManager::getFileName("a/b\\c"), "b\\c");
    EXPECT_EQ(FileManager::getFileName("a\\b\\c.png"), "c.png");
    EXPECT_EQ(FileManager::getFileName("plain.png"), "plain.png");
    EXPECT_EQ(FileManager::getDirectory("a/b\\c"), "a/b\\");
    EXPECT_EQ(FileManager::getDirectory("x/y/z.mtl"), "x/y/");
    EXPECT_EQ(FileManager::getDirectory("plain.png"), "");
}

TEST(FileManager, FileExists)
{
    TempDir dir;
    std::string file = dir.write("here.txt", "x");
    EXPECT_TRUE(FileManager::fileExists(file));
    EXPECT_FALSE(FileManager::fileExists(dir.file("missing.txt")));
    EXPECT_FALSE(FileManager::fileExists(dir.path()));  // a folder is not a file
}

TEST(StringUtils, IntToStringBufferSizes)
{
    struct Case { int value; int size; const char* text; };
    for (Case c : {Case{0, 2, "0"}, Case{-5, 3, "-5"}, Case{1000, 5, "1000"}, Case{999, 4, "999"},
                   Case{-2147483647 - 1, 12, "-2147483648"}}) {
        EXPECT_EQ(intToStringBufferSize(c.value), c.size) << c.value;
        char* text = intToString(c.value);
        EXPECT_STREQ(text, c.text);
        delete[] text;
    }
    wchar_t* wide = toWide("abc");
    EXPECT_EQ(std::wstring(wide), L"abc");
    delete[] wide;
    EXPECT_EQ(toNarrow(std::wstring(L"A\x0141z")), std::string("A\x41z"));
}

TEST(BasicVector, ComparisonsHoldForEveryComponent)
{
    EXPECT_FALSE(Int3(1, -1, 1) >= Int3(0, 0, 0));
    EXPECT_FALSE(Int3(1, -1, 1) < Int3(0, 0, 0));
    EXPECT_TRUE(Int3(0, 0, 0) <= Int3(0, 0, 0));
    EXPECT_TRUE(Int3(0, 0, 0) >= Int3(0, 0, 0));
    EXPECT_FALSE(Int3(0, 0, 0) < Int3(0, 0, 0));
    EXPECT_FALSE(Int3(0, 0, 0) > Int3(0, 0, 0));
    EXPECT_TRUE(Int3(1, 2, 3) != Int3(1, 2, 4));
    EXPECT_EQ(Int3(1, 2, 3) + Int3(1, 1, 1), Int3(2, 3, 4));
    EXPECT_EQ(Float2(1.f, 2.f) * 2.f, Float2(2.f, 4.f));
}

TEST(BasicVector, PrintingAndGeometry)
{
    std::ostringstream out;
    out << Int3(-7, 0, 12);
    EXPECT_EQ(out.str(), "BasicVector<3,?(sizeof=4)> (-7;0;12;)");

    Float3 up = sphericalToCartesian(1.f, 0.f, 2.5f);
    EXPECT_NEAR(up.x(), 0.f, 1e-6);
    EXPECT_FLOAT_EQ(up.y(), 1.f);
    EXPECT_NEAR(up.z(), 0.f, 1e-6);

    Float3 v(3.f, 0.f, 4.f);
    EXPECT_FLOAT_EQ(v.length(), 5.f);
    v.normalize();
    EXPECT_FLOAT_EQ(v.x(), 0.6f);
    EXPECT_FLOAT_EQ(v.z(), 0.8f);
}
