// The stream reader of the text format (ConfigNode::ReadNext) on any bytes,
// and a layout file built from them: its widgets are updated under a moving
// pointer, typed into and drawn.
#include <cstdio>
#include <vector>

#include "app/engine.h"
#include "core/mouse.h"
#include "fuzz_support.h"
#include "platform/test_hooks.h"
#include "platform/time.h"
#include "textfile/config_node.h"
#include "ui/font.h"
#include "ui/layout_loader.h"
#include "ui/widget_list.h"

namespace {

void ReadBlocks(const uint8_t* data, size_t size) {
  if (size == 0) return;
  std::vector<uint8_t> copy(data, data + size);
  FILE* stream = fmemopen(copy.data(), copy.size(), "r");
  if (!stream) return;
  ConfigNode node;
  while (node.ReadNext(stream)) node.Dump(fuzz::NullStream());
  std::fclose(stream);
}

// Every byte value has a glyph twice as high as it is wide.
void UseFontWithEveryGlyph() {
  for (Glyph& glyph : Fonts.DefaultFont.glyphs) glyph = Glyph{0.0f, 0.0f, 0.0625f, 0.125f, 0.05f, 0.1f};
}

void Frame(float x, float y, bool leftHeld, uint8_t typed) {
  Mouse.mouseX = x * 400.0f;
  Mouse.mouseY = y * 400.0f;
  Mouse.leftPrevious = Mouse.leftCurrent;
  Mouse.leftCurrent = leftHeld ? ButtonHeld : ButtonUp;
  Messages.TypedCharacters.clear();
  Messages.TypedCharacters.push(typed);
  Messages.LastKeyUp = typed == 13 ? 13 : 0;
  AdvanceTestClock(16);
  UpdateWidgetList();
  DrawWidgetList();
}

void ShowLayout() {
  ClearWidgets();
  LoadLayout("fuzz");
  // The pointer sweeps the screen, pressing on the way; keys are typed into
  // whatever edit field has the focus.
  const uint8_t keys[] = {'a', ' ', 8, '^', 200, 13, 8, 8};
  for (int step = 0; step < 8; ++step) Frame(0.25f * step, 0.19f * step, step % 2 == 0, keys[step]);
  AdvanceTestClock(5000);
  Frame(1.0f, 0.75f, false, 0);
  ClearWidgets();
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  fuzz::EnterScratchFolder();
  fuzz::UseRecordingDevice();
  UseFontWithEveryGlyph();
  Mouse.clientWidth = 800;
  Mouse.clientHeight = 600;
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  ReadBlocks(data, size);
  fuzz::WriteBytes("data/fuzz.s", data, size);
  ShowLayout();
  fuzz::UseRecordingDevice()->ClearLog();
  return 0;
}
