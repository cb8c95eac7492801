// Every review picture that repeats exactly is compared with its reference (tests/reference/,
// at half size), so that an unintended change to a screen fails here. After an intended change,
// `scripts/snapshot --update-references` renders the references anew.
#include <SFML/Graphics/Image.hpp>
#include <cstdio>
#include <cstdlib>
#include <gtest/gtest.h>
#include <sstream>
#include <string>
#include <vector>

namespace
{
const std::string kTool = HINGEWALK_SNAPSHOT_TOOL;

std::vector<std::string> RepeatableShots(const std::string& group)
{
    std::vector<std::string> shots;
    FILE* list = popen((kTool + " --list-shots").c_str(), "r");
    char line[256];
    while (list != nullptr && std::fgets(line, sizeof line, list) != nullptr)
    {
        std::istringstream fields(line);
        std::string name, inGroup, kind;
        fields >> name >> inGroup >> kind;
        if (inGroup == group && kind == "repeatable")
            shots.push_back(name);
    }
    if (list != nullptr)
        pclose(list);
    return shots;
}

// Pixels whose colour moved by more than a faint shade in any channel.
std::size_t ChangedPixels(const sf::Image& a, const sf::Image& b)
{
    std::size_t changed = 0;
    for (unsigned y = 0; y < a.getSize().y; ++y)
        for (unsigned x = 0; x < a.getSize().x; ++x)
        {
            const sf::Color p = a.getPixel({x, y}), q = b.getPixel({x, y});
            changed +=
                std::abs(p.r - q.r) > 24 || std::abs(p.g - q.g) > 24 || std::abs(p.b - q.b) > 24 ? 1 : 0;
        }
    return changed;
}

class Snapshots : public testing::TestWithParam<const char*>
{
};
} // namespace

TEST_P(Snapshots, MatchTheirReferences)
{
    const std::vector<std::string> shots = RepeatableShots(GetParam());
    ASSERT_FALSE(shots.empty()) << "the snapshot tool lists no shots in " << GetParam();
    for (const std::string& shot : shots)
    {
        const std::string out = "shot-" + shot + ".png";
        const std::string command = kTool + " --shot " + shot + " --half --out " + out + " >/dev/null 2>&1";
        ASSERT_EQ(std::system(command.c_str()), 0) << shot;
        sf::Image rendered, reference;
        ASSERT_TRUE(rendered.loadFromFile(out)) << shot;
        const std::string referenceFile =
            std::string(HINGEWALK_SOURCE_DIR) + "/tests/reference/" + shot + ".png";
        if (!reference.loadFromFile(referenceFile))
        {
            ADD_FAILURE() << "no reference for " << shot << " (scripts/snapshot --update-references)";
            continue;
        }
        ASSERT_EQ(rendered.getSize(), reference.getSize()) << shot;
        const std::size_t allowed = rendered.getSize().x * rendered.getSize().y / 500;
        EXPECT_LE(ChangedPixels(rendered, reference), allowed)
            << shot << " differs from its reference: compare " << out << " with " << referenceFile;
    }
}

INSTANTIATE_TEST_SUITE_P(Groups, Snapshots,
                         testing::Values("menus", "scenes", "fights", "dialogues", "panels"));
