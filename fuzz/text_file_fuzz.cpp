// The structured text file reader (ConfigNode::Load) on any bytes, and what
// the game reads through it: the settings, a font's glyph table, a particle
// set, and a profile with the screens that show it.
#include <cstring>

#include "core/options.h"
#include "fuzz_support.h"
#include "platform/test_hooks.h"
#include "platform/time.h"
#include "profile/profiles.h"
#include "render/particles.h"
#include "screens/menu_screens.h"
#include "screens/profile_stats.h"
#include "screens/rewards.h"
#include "screens/world_map.h"
#include "textfile/config_node.h"
#include "ui/font.h"
#include "ui/text_drawing.h"
#include "ui/widget_list.h"

namespace {

void ReadAsNode() {
  ConfigNode node;
  if (!node.Load("data\\fuzz.s")) return;
  for (const ConfigEntry& entry : node.entries) node.Get(entry.key);
  for (const ConfigTable& table : node.tables)
    for (int32_t row = -1; row <= table.rows && row < 300; ++row)
      for (int32_t column = -1; column <= table.columns && column < 8; ++column)
        node.GetCell(table.name, row, column);
  node.Dump(fuzz::NullStream());
  // Whatever was read is written back as a file that reads back to as many
  // entries.
  if (!node.Save("data\\copy.s")) __builtin_trap();
  ConfigNode again;
  if (!again.Load("data\\copy.s") || again.EntryCount() != node.EntryCount()) __builtin_trap();
}

void ReadAsSettings() {
  LoadOptions("data\\fuzz.s");
  ResolutionChoiceFromWidth();
}

void ReadAsFont() {
  Font font;
  ReadFontFile(font, "data\\fuzz.s");
  const char text[] = "Kestrin ^42_|x\n\xff\x01 end";
  for (int c = 0; c < 256; ++c) font.charWidth(static_cast<unsigned char>(c), 0.04f);
  FitLineStart(font, text, sizeof text - 1, 0.5f, 0.04f);
}

void ReadAsParticleSet() {
  ParticleSystem system("medal");
  system.load("fuzz");
  system.start();
  for (int frame = 0; frame < 4; ++frame) {
    AdvanceTestClock(16);
    system.update();
  }
  system.draw();
}

void ReadAsProfile(const uint8_t* data, size_t size) {
  fuzz::WriteBytes("data/profile0.s", data, size);
  LoadProfiles();
  Profiles.CurrentProfile = 0;
  TotalScore(Profiles.ProfileSlots[0]);
  showProfileStats(0);
  showWorldMap(1);
  ShowRewards();
  GrantRewards();
  SaveProfiles();
  ClearWidgets();
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  fuzz::EnterScratchFolder();
  fuzz::UseRecordingDevice();
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  fuzz::WriteBytes("data/fuzz.s", data, size);
  ReadAsNode();
  ReadAsSettings();
  ReadAsFont();
  ReadAsParticleSet();
  ReadAsProfile(data, size);
  fuzz::UseRecordingDevice()->ClearLog();
  return 0;
}
