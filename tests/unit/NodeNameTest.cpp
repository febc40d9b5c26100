#include <gtest/gtest.h>

#include "level/NodeName.h"

#include <random>
#include <regex>

using namespace velmora;

namespace {

struct Parsed {
    std::string baseName;
    NodeAnnotations annotations;
};

Parsed parse(const std::string& name) {
    Parsed parsed;
    parseNodeName(name, parsed.baseName, parsed.annotations);
    return parsed;
}

// The convention as first written down: split by the first "__" and the last
// underscore, then enumerate a regular expression over the annotation text.
// The scanner must agree with it on every name.
Parsed parseWithRegex(const std::string& name) {
    Parsed parsed;
    const std::size_t c = name.find("__");
    const std::size_t r = name.rfind('_');
    if (c == std::string::npos || r - c <= 2) {
        parsed.baseName = name;
        return parsed;
    }
    parsed.baseName = name.substr(0, c);
    for (char& ch : parsed.baseName) {
        if (ch == '_') ch = ' ';
    }
    const std::string text = name.substr(c + 2, r - (c + 2) + 1) + "_";
    const std::regex pattern("(?:([^_]+))__(?:((?!__).*?))__");
    for (auto it = std::sregex_iterator(text.begin(), text.end(), pattern);
         it != std::sregex_iterator(); ++it) {
        parsed.annotations[(*it)[1].str()].push_back((*it)[2].str());
    }
    return parsed;
}

}  // namespace

TEST(NodeName, NamesWithoutAnnotationsKeepTheirUnderscores) {
    EXPECT_EQ(parse("Cube_001").baseName, "Cube_001");
    EXPECT_TRUE(parse("Cube_001").annotations.empty());
    EXPECT_EQ(parse("Door__").baseName, "Door__");
    EXPECT_EQ(parse("Door___").baseName, "Door___");
    EXPECT_TRUE(parse("Door___").annotations.empty());
    EXPECT_EQ(parse("").baseName, "");
}

TEST(NodeName, PairsFollowTheBaseName) {
    Parsed door = parse("Door_A__steady__1__");
    EXPECT_EQ(door.baseName, "Door A");
    EXPECT_EQ(door.annotations, (NodeAnnotations{{"steady", {"1"}}}));

    EXPECT_EQ(parse("Block__texture__stone_png__").annotations,
              (NodeAnnotations{{"texture", {"stone_png"}}}));

    Parsed trigger = parse("Trigger__actor__main__open__DoorA__open__DoorB__");
    EXPECT_EQ(trigger.baseName, "Trigger");
    EXPECT_EQ(trigger.annotations,
              (NodeAnnotations{{"actor", {"main"}}, {"open", {"DoorA", "DoorB"}}}));
}

TEST(NodeName, TextAfterTheLastUnderscoreIsDropped) {
    EXPECT_EQ(parse("Block__texture__stone_png").annotations,
              (NodeAnnotations{{"texture", {"stone"}}}));
    EXPECT_EQ(parse("Block__texture__stone_png___001").annotations,
              (NodeAnnotations{{"texture", {"stone_png"}}}));
}

TEST(NodeName, IncompletePairsAreSkipped) {
    Parsed noValue = parse("Door__steady__");
    EXPECT_EQ(noValue.baseName, "Door");
    EXPECT_TRUE(noValue.annotations.empty());
    EXPECT_EQ(parse("Block__color__red__blue__").annotations,
              (NodeAnnotations{{"color", {"red"}}}));
}

TEST(NodeName, RoleWordsAreCaseSensitive) {
    EXPECT_EQ(nodeRoleOf("Door trigger"), NodeRole::Door);
    EXPECT_EQ(nodeRoleOf("switch_trigger"), NodeRole::Trigger);
    EXPECT_EQ(nodeRoleOf("backdoor"), NodeRole::Door);
    EXPECT_EQ(nodeRoleOf("DOOR"), NodeRole::Plain);
    EXPECT_EQ(nodeRoleOf("TRIGGER"), NodeRole::Plain);
    EXPECT_TRUE(hasTriggerWord("Door_trigger"));
    EXPECT_TRUE(hasSpikesWord("Stacheln"));
    EXPECT_FALSE(hasSpikesWord("STACHELN"));
}

TEST(NodeName, TextureAnnotationNamesAFileInTheTexturesFolder) {
    EXPECT_EQ(textureFileName(parse("Block__texture__my_stone_png__").annotations),
              "my.stone.png");
    EXPECT_EQ(textureFileName(parse("Block__texture__a_png__texture__b_png__").annotations),
              "a.png");
    EXPECT_EQ(textureFileName(parse("Block").annotations), "");
    EXPECT_EQ(levelTexturePath("stone.png"), "Textures/stone.png");
}

TEST(NodeName, AgreesWithThePatternOnTheConventionsExamples) {
    for (const char* name :
         {"Cube_001", "Door_A__steady__1__", "Block__texture__stone_png__",
          "Trigger__actor__main__open__DoorA__open__DoorB__", "Block__texture__stone_png",
          "Block__texture__stone_png___001", "Door__", "Door___", "Door__steady__",
          "Block__color__red__blue__", "Door_A", "a__b__c", "__k__v__", "x____k__v__"}) {
        const Parsed expected = parseWithRegex(name);
        const Parsed actual = parse(name);
        EXPECT_EQ(actual.baseName, expected.baseName) << name;
        EXPECT_EQ(actual.annotations, expected.annotations) << name;
    }
}

TEST(NodeName, AgreesWithThePatternOnGeneratedNames) {
    // Mostly underscores and a few letters, so pairs, broken pairs, empty
    // values and runs of underscores all turn up; line ends stop values.
    const std::string alphabet = "__________abk.\n\r";
    std::mt19937 random(1234);
    std::uniform_int_distribution<std::size_t> pick(0, alphabet.size() - 1);
    std::uniform_int_distribution<int> length(0, 24);
    for (int round = 0; round < 4000; ++round) {
        std::string name;
        const int count = length(random);
        for (int i = 0; i < count; ++i) name += alphabet[pick(random)];
        const Parsed expected = parseWithRegex(name);
        const Parsed actual = parse(name);
        ASSERT_EQ(actual.baseName, expected.baseName) << '"' << name << '"';
        ASSERT_EQ(actual.annotations, expected.annotations) << '"' << name << '"';
    }
}

TEST(NodeName, AVeryLongNameIsParsedQuickly) {
    std::string name = "Block__";
    while (name.size() < 100000) name += "key__value_part__";
    name += "a";
    // The pattern engine recurses per character and overflows the stack on
    // such a name; the scanner is linear, so this simply returns.
    const Parsed parsed = parse(name);
    ASSERT_EQ(parsed.annotations.count("key"), 1u);
    EXPECT_GT(parsed.annotations.at("key").size(), 5000u);
    EXPECT_EQ(parsed.annotations.at("key").front(), "value_part");

    // A long name of nothing but underscores and letters without any pair.
    const std::string noPairs = "x__" + std::string(100000, '_') + "y_";
    EXPECT_TRUE(parse(noPairs).annotations.empty());
}
