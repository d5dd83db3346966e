// The layouts of the round, its briefings, its results and the world map as
// shipped: every name the code looks up is there with the kind it looks
// for, every value has the type the loader reads, and the map's path joins
// the islands in order.
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <map>
#include <set>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "render/texture_cache.h"
#include "screens/menu_screens.h"
#include "screens/world_map.h"
#include "textfile/config_node.h"
#include "ui/interface_textures.h"

namespace {

struct Block {
  std::string kind;
  ConfigNode node;
  std::string name() const { return node.Get("name").AsString(); }
  float get(const char* key) const { return node.Get(key).AsFloat(); }
  float centreX() const { return get("x") + get("width") / 2; }
  float centreY() const { return get("y") + get("height") / 2; }
};

std::vector<Block> readLayout(const std::string& name) {
  std::vector<Block> blocks;
  FILE* file = std::fopen((std::string(KESTRIN_SOURCE_DIR) + "/content/data/" + name + ".s").c_str(), "r");
  if (!file) return blocks;
  ConfigNode node;
  while (node.ReadNext(file)) blocks.push_back(Block{node.name, node});
  std::fclose(file);
  return blocks;
}

std::vector<std::string> numbered(const std::string& stem, int first, int last) {
  std::vector<std::string> names;
  for (int n = first; n <= last; ++n) names.push_back(stem + std::to_string(n));
  return names;
}

struct Lookup {
  std::string kind;
  std::vector<std::string> names;
};

// What the code finds by name in each layout, and as which kind.
const std::map<std::string, std::vector<Lookup>> Lookups = {
    {"camera", {{"button", {"useEye", "ingame"}}, {"image", {"num"}}, {"label", {"lbckore", "molot_count", "binokl_count"}}}},
    {"briefStart", {{"button", {"button1", "skip"}}}},
    {"briefFinish", {{"button", {"button1"}}}},
    {"brief0", {{"button", {"button1"}}}},
    {"brief1", {{"button", {"button1"}}}},
    {"brief2", {{"button", {"button1"}}}},
    {"brief3", {{"button", {"button1"}}}},
    {"brief_molot", {{"button", {"button1"}}}},
    {"brief_binocl", {{"button", {"button1"}}}},
    {"brief_use", {{"button", {"button1"}}}},
    {"stat",
     {{"label", {"nlevel", "ntotal"}},
      {"image", {"medal", "colba", "reward1", "reward2", "reward3", "reward4", "reward5", "reward6"}},
      {"button", {"next", "replay"}}}},
    {"stat_lose", {{"button", {"next", "replay"}}}},
    {"game_map",
     {{"image", numbered("isle", 1, 9)},
      {"button", numbered("k_", 1, 9)},
      {"image", numbered("medal", 1, 9)},
      {"image", numbered("point", 1, 60)},
      {"image", {"map_arrow", "m2"}},
      {"button", {"back_to_menu"}}}},
};

const Block* find(const std::vector<Block>& blocks, const std::string& name) {
  for (const Block& block : blocks)
    if (block.name() == name) return &block;
  return nullptr;
}

TEST(GameLayouts, EveryNameLookedUpIsThereWithItsKind) {
  for (const auto& [layout, lookups] : Lookups) {
    const std::vector<Block> blocks = readLayout(layout);
    ASSERT_FALSE(blocks.empty()) << layout;
    for (const Lookup& lookup : lookups)
      for (const std::string& name : lookup.names) {
        const Block* block = find(blocks, name);
        ASSERT_NE(block, nullptr) << layout << ": " << name;
        EXPECT_EQ(block->kind, lookup.kind) << layout << ": " << name;
      }
  }
}

TEST(GameLayouts, BriefingsOverThePlayScreenFindTheirOwnButtons) {
  const std::vector<Block> round = readLayout("camera");
  for (const char* name : {"button1", "skip"}) EXPECT_EQ(find(round, name), nullptr) << name;
}

class ShippedTextures : public testing::Test {
 protected:
  void SetUp() override { LoadInterfaceTextures(nullptr); }
  void TearDown() override {
    Textures.release();
    Textures.releaseNames();
  }
};

TEST_F(ShippedTextures, EveryValueHasItsTypeAndEveryWidgetFitsTheScreen) {
  for (const auto& entry : Lookups) {
    const std::string& layout = entry.first;
    std::set<std::string> names;
    for (const Block& block : readLayout(layout)) {
      const std::string where = layout + ": " + block.name();
      ASSERT_TRUE(block.kind == "image" || block.kind == "button" || block.kind == "label") << where;
      EXPECT_TRUE(names.insert(block.name()).second) << where << " twice";
      for (const char* key : {"x", "y", "width", "height", "time"})
        EXPECT_EQ(block.node.Get(key).type, ValueType::Float) << where << " " << key;
      for (const char* key : {"wait", "margin_left", "margin_top", "text_width", "text_height"}) {
        const ValueType type = block.node.Get(key).type;
        EXPECT_TRUE(type == ValueType::None || type == ValueType::Float) << where << " " << key;
      }
      for (const char* key : {"texture1", "texture2", "texture3"}) {
        const ConfigValue& texture = block.node.Get(key);
        if (texture.type == ValueType::None) continue;
        ASSERT_EQ(texture.type, ValueType::String) << where << " " << key;
        const std::string name = texture.AsString();
        EXPECT_TRUE(name == "menu" || Textures.names.indexOf(name.c_str()) >= 0) << where << " " << name;
      }
      const std::string font = block.node.Get("font").AsString();
      EXPECT_TRUE(font.empty() || font == "light") << where;
      EXPECT_GE(block.get("x"), 0.0f) << where;
      EXPECT_GE(block.get("y"), 0.0f) << where;
      EXPECT_LE(block.get("x") + block.get("width"), 2.0f) << where;
      EXPECT_LE(block.get("y") + block.get("height"), 1.5f) << where;
      EXPECT_GE(block.get("time"), 0.0f) << where;
    }
  }
}

// A value holds at most 63 characters; a longer text would be cut short.
TEST(GameLayouts, TextsFitTheValueTheyAreReadInto) {
  for (const auto& entry : Lookups) {
    std::ifstream file(std::string(KESTRIN_SOURCE_DIR) + "/content/data/" + entry.first + ".s");
    std::string key, value;
    while (file >> key) {
      std::getline(file, value);
      if (key == "text") {
        EXPECT_LT(value.size(), 63u) << entry.first << ":" << value;
      }
    }
  }
}

TEST(GameLayouts, TheMedalSitsWhereItsSparklesRise) {
  const std::string sparkles = std::string(KESTRIN_GAME_DIR) + "/data/pSet1.s";
  if (!std::filesystem::exists(sparkles)) GTEST_SKIP() << "the particle set has not been generated";
  ConfigNode set;
  ASSERT_TRUE(set.Load(sparkles));
  const std::vector<Block> stat = readLayout("stat");
  const Block* medal = find(stat, "medal");
  ASSERT_NE(medal, nullptr);
  EXPECT_NEAR(medal->centreX(), set.Get("x").AsFloat(), 0.01f);
  EXPECT_NEAR(medal->centreY(), set.Get("y").AsFloat(), 0.01f);
}

TEST(GameLayouts, TheSparklesStartAfterTheRewardsAreHiddenAndBeforeTheyShow) {
  const std::vector<Block> stat = readLayout("stat");
  const Block* medal = find(stat, "medal");
  ASSERT_NE(medal, nullptr);
  for (const std::string& name : numbered("reward", 1, 6)) {
    const Block* reward = find(stat, name);
    ASSERT_NE(reward, nullptr);
    // Still waiting when the screen is set up, so that a reward not won
    // never shows; in once the medal is.
    EXPECT_GT(reward->get("wait"), 0.0f) << name;
    EXPECT_GE(reward->get("wait"), medal->get("wait") + medal->get("time")) << name;
  }
}

class MapLayout : public testing::Test {
 protected:
  const std::vector<Block> blocks = readLayout("game_map");
  const Block& at(const std::string& name) {
    const Block* block = find(blocks, name);
    EXPECT_NE(block, nullptr) << name;
    static const Block none{};
    return block ? *block : none;
  }
  const Block& dot(int j) { return at("point" + std::to_string(j)); }
  const Block& island(int n) { return at("isle" + std::to_string(n)); }
};

float distance(float x0, float y0, float x1, float y1) { return std::hypot(x1 - x0, y1 - y0); }

TEST_F(MapLayout, EachStretchOfDotsLeadsFromTheIslandBeforeToItsIsland) {
  for (int n = 2; n <= MapLevels; ++n) {
    const DotRange stretch = newestStretch(n);
    const int from = n == 2 ? 1 : stretch.first;  // dot 1 starts the first stretch
    const Block &previous = island(n - 1), &next = island(n);
    const float size = next.get("width");
    EXPECT_LT(distance(dot(from).centreX(), dot(from).centreY(), previous.centreX(), previous.centreY()), size)
        << "stretch to island " << n;
    EXPECT_LT(distance(dot(stretch.last).centreX(), dot(stretch.last).centreY(), next.centreX(), next.centreY()),
              size)
        << "stretch to island " << n;
    for (int j = from + 1; j <= stretch.last; ++j) {
      const float step = distance(dot(j - 1).centreX(), dot(j - 1).centreY(), dot(j).centreX(), dot(j).centreY());
      EXPECT_GT(step, 0.03f) << "dot " << j;
      EXPECT_LT(step, 0.08f) << "dot " << j;
    }
  }
}

TEST_F(MapLayout, ButtonsSitOnTheirIslandsClearOfThePathAndTheArrowStaysOnScreen) {
  for (int n = 1; n <= MapLevels; ++n) {
    const Block& button = at("k_" + std::to_string(n));
    const Block& land = island(n);
    EXPECT_LT(distance(button.centreX(), button.centreY(), land.centreX(), land.centreY()), land.get("width") / 2);
    EXPECT_GE(button.get("y") - 0.09f - 0.04f, 0.0f) << "the arrow over button " << n;
    for (int j = 1; j <= MapDots; ++j) {
      const bool inside = dot(j).centreX() > button.get("x") && dot(j).centreX() < button.get("x") + button.get("width") &&
                          dot(j).centreY() > button.get("y") && dot(j).centreY() < button.get("y") + button.get("height");
      EXPECT_FALSE(inside) << "dot " << j << " on button " << n;
    }
  }
  // The cover is last, so it lies over everything until it has faded.
  EXPECT_EQ(blocks.back().name(), "m2");
}

}  // namespace
