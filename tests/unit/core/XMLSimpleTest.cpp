// The configuration reader against real files: value rules, table rules, failures.
#include <gtest/gtest.h>

#include "core/XMLSimple.h"
#include "TempDir.h"

namespace {

XMLSimple loadText(const TempDir& dir, const std::string& xml)
{
    XMLSimple config;
    config.load(dir.write("world.xml", xml));
    return config;
}

std::string inBool(const std::string& content) { return "<world><bool>" + content + "</bool></world>"; }

}  // namespace

TEST(XMLSimple, BoolRules)
{
    TempDir dir;
    const struct {
        const char* content;
        bool expected;
    } cases[] = {
        {"true", true}, {"false", false}, {"1", true}, {"0", false},
        {" true", false},  // not the exact word: read as a number, 0
        {"yes", false},    {"", false},
    };
    for (const auto& c : cases) {
        XMLSimple config = loadText(dir, inBool(std::string("<flag>") + c.content + "</flag>"));
        EXPECT_EQ(config.getBool("flag"), c.expected) << "content '" << c.content << "'";
    }
}

TEST(XMLSimple, NumbersAreReadAsTheLongestValidPrefix)
{
    TempDir dir;
    XMLSimple config = loadText(dir,
                                "<world><double><size_one_cube>1,5</size_one_cube><a> 2.25xyz</a>"
                                "<b>abc</b></double><int><size_one_region>16</size_one_region>"
                                "<c>7.9</c></int></world>");
    EXPECT_DOUBLE_EQ(config.getDouble("size_one_cube"), 1.0);  // decimal comma: integer part only
    EXPECT_DOUBLE_EQ(config.getDouble("a"), 2.25);
    EXPECT_DOUBLE_EQ(config.getDouble("b"), 0.0);
    EXPECT_EQ(config.getInt("size_one_region"), 16);
    EXPECT_EQ(config.getInt("c"), 7);
}

TEST(XMLSimple, TablesTypeElementsAndMissingKeys)
{
    TempDir dir;
    XMLSimple config = loadText(dir,
                                "<anything>\n"
                                "  <string><skybox_directory>sky/ </skybox_directory>"
                                "<deep><b>in</b>ner</deep></string>\n"
                                "  <double><x>1.5</x><y>2</y></double>\n"
                                "  <double><x>3.5</x></double>\n"
                                "  <float><z>9</z></float><String><s>no</s></String>\n"
                                "  <int><x>4</x></int>\n"
                                "</anything>");
    EXPECT_EQ(config.getString("skybox_directory"), "sky/ ");  // white space kept
    EXPECT_EQ(config.getString("deep"), "inner");              // whole text content
    EXPECT_DOUBLE_EQ(config.getDouble("x"), 3.5);              // later type element wins
    EXPECT_DOUBLE_EQ(config.getDouble("y"), 2.0);              // both type elements feed the table
    EXPECT_EQ(config.getInt("x"), 4);                          // same name, independent tables
    // Unknown type elements are ignored entirely; missing keys give the zero value.
    EXPECT_DOUBLE_EQ(config.getDouble("z"), 0.0);
    EXPECT_EQ(config.getString("s"), "");
    EXPECT_FALSE(config.getBool("enable_water"));
    EXPECT_EQ(config.getInt("missing"), 0);
}

TEST(XMLSimple, ReloadEmptiesTheTablesAndAnEmptyRootGivesZeroValues)
{
    TempDir dir;
    XMLSimple config = loadText(dir, "<w><int><n>5</n></int></w>");
    EXPECT_EQ(config.getInt("n"), 5);
    config.load(dir.write("empty.xml", "<w/>"));
    EXPECT_EQ(config.getInt("n"), 0);
    EXPECT_EQ(config.getString("skybox_directory"), "");
}

TEST(XMLSimpleDeathTest, FailuresEndInTheirReports)
{
    TempDir dir;
    const struct {
        const char* name;
        const char* xml;  // null: no such file
        const char* report;
    } cases[] = {
        {"missing.xml", nullptr, "\nCondition: false\nMessage: XMLSimple::XMLSimple : file missing\n"},
        {"broken.xml", "<world><bool>", "\nCondition: doc != NULL\nMessage: XMLSimple::XMLSimple : could not parse xml file\n"},
        {"binary.xml", "\x01\x02\xff\xfe garbage", "\nCondition: doc != NULL\n"},
        {"two.xml", "<w><bool><f>2</f></bool></w>", "\nCondition: value == 0 \\|\\| value == 1\nMessage: Erroneous bool value in xml\n"},
        // Comments are settings too: one starting with a digit other than 0 or 1 trips the check.
        {"comment.xml", "<w><bool><f>1</f><!-- 5 lights --></bool></w>", "Erroneous bool value in xml"},
    };
    for (const auto& c : cases) {
        std::string path = c.xml ? dir.write(c.name, c.xml) : dir.file(c.name);
        XMLSimple config;
        EXPECT_EXIT(config.load(path), ::testing::ExitedWithCode(1), c.report) << c.name;
    }
    XMLSimple config;
    EXPECT_EXIT(config.load(dir.path()), ::testing::ExitedWithCode(1), "file missing");  // a folder
}
