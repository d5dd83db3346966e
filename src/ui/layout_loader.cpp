#include "ui/layout_loader.h"

#include <cmath>
#include <cstdint>
#include <cstdio>

#include "platform/files.h"
#include "textfile/config_node.h"
#include "ui/widget_list.h"

namespace {

constexpr int32_t kDefaultEditLength = 16;

std::string Replaced(std::string text, char from, char to) {
  for (char& c : text)
    if (c == from) c = to;
  return text;
}

// Seconds in the file to whole milliseconds, cut toward zero; values no
// timer can hold are clamped, and a value that is not a number means 0.
int32_t Milliseconds(float seconds) {
  double ms = std::trunc(static_cast<double>(seconds) * 1000.0);
  if (std::isnan(ms)) return 0;
  if (ms > INT32_MAX) return INT32_MAX;
  if (ms < INT32_MIN) return INT32_MIN;
  return static_cast<int32_t>(ms);
}

Widget* CreateFromBlock(const ConfigNode& block) {
  std::string name = block.Get("name").AsString();
  float x = block.Get("x").AsFloat(), y = block.Get("y").AsFloat();
  float width = block.Get("width").AsFloat(), height = block.Get("height").AsFloat();
  if (block.name == "button") {
    ButtonWidget& button = CreateButton(name, x, y, width, height);
    button.texture1 = block.Get("texture1").AsString();
    button.texture2 = block.Get("texture2").AsString();
    button.texture3 = block.Get("texture3").AsString();
    button.margin_left = block.Get("margin_left").AsFloat();
    button.margin_top = block.Get("margin_top").AsFloat();
    button.text_width = block.Get("text_width").AsFloat();
    button.text_height = block.Get("text_height").AsFloat();
    button.font = block.Get("font").AsString();
    button.text = Replaced(block.Get("text").AsString(), '_', ' ');
    return &button;
  }
  if (block.name == "edit") {
    EditWidget& edit = CreateEdit(name, x, y, width, height);
    edit.texture1 = block.Get("texture1").AsString();
    edit.texture2 = block.Get("texture2").AsString();
    edit.texture3 = block.Get("texture3").AsString();
    edit.margin_left = block.Get("margin_left").AsFloat();
    edit.margin_top = block.Get("margin_top").AsFloat();
    edit.text_width = block.Get("text_width").AsFloat();
    edit.text_height = block.Get("text_height").AsFloat();
    edit.length = block.Get("length").AsInt();
    if (edit.length == 0) edit.length = kDefaultEditLength;
    edit.font = block.Get("font").AsString();
    edit.text = Replaced(block.Get("text").AsString(), '_', ' ') + '|';
    return &edit;
  }
  if (block.name == "image") {
    ImageWidget& image = CreateImage(name, x, y, width, height);
    image.texture = block.Get("texture1").AsString();
    return &image;
  }
  if (block.name == "label") {
    LabelWidget& label = CreateLabel(name, x, y, width, height);
    label.font = block.Get("font").AsString();
    label.text = Replaced(Replaced(block.Get("text").AsString(), '_', ' '), '|', '\n');
    return &label;
  }
  return nullptr;
}

// Every loaded widget fades in over "time" seconds after "wait" seconds,
// counted from now.
void StartFadeIn(Widget& widget, const ConfigNode& block) {
  widget.timer.wait = Milliseconds(block.Get("wait").AsFloat());
  widget.timer.duration = Milliseconds(block.Get("time").AsFloat());
  widget.timer.StartIn(widget.timer.wait);
  widget.timer.repeat = 0;
  widget.visible = 1;
  widget.fadeOut = 0;
  widget.shownReported = 0;
}

std::string shownLayout;
}  // namespace

const std::string& ShownLayout() { return shownLayout; }

void LoadLayout(const std::string& name) {
  FILE* file = OpenFile("data\\" + name + ".s", "rt");
  if (!file) return;
  shownLayout = name;
  std::fputs("=====================new\n", stdout);
  ConfigNode block;
  for (;;) {
    bool read = block.ReadNext(file);
    block.Dump(stdout);
    if (!read) break;
    if (Widget* widget = CreateFromBlock(block)) StartFadeIn(*widget, block);
  }
  std::fclose(file);
}
