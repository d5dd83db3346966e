#pragma once
// The four kinds of widget that layouts create, each with its own per-frame
// behaviour and drawing.
#include <cstdint>
#include <string>

#include "ui/widget.h"

// A picture. Its onAction runs every frame while it is enabled.
struct ImageWidget : Widget {
  std::string texture;

  ImageWidget();
  ImageWidget(const std::string& name, float x, float y, float width, float height);
  void Update() override;
  void Draw() const override;
};

// Which of a button's or edit field's three textures is drawn.
enum TextureSlot : int32_t { SlotNormal = 1, SlotOver = 2, SlotDown = 3 };

// A picture with a caption that reacts to the pointer once faded in.
struct ButtonWidget : Widget {
  std::string texture1;  // normal
  std::string texture2;  // pointer over it
  std::string texture3;  // left button held over it
  int32_t currentTexture = SlotNormal;
  std::string text;
  float margin_top = 0, margin_left = 0, text_height = 0, text_width = 2.0f;

  ButtonWidget();
  ButtonWidget(const std::string& name, float x, float y, float width, float height);
  const std::string& CurrentTexture() const;
  void Update() override;
  void Draw() const override;
};

// A one-line text field. `text` is the typed text followed by exactly one
// cursor cell; Enter runs onAction.
struct EditWidget : Widget {
  std::string text = "|";
  std::string texture1;
  std::string texture3;  // the image an active field is drawn with
  std::string texture2;
  int32_t currentTexture = SlotNormal;
  float margin_top = 0, margin_left = 0, text_height = 0, text_width = 2.0f;
  int32_t length = 16;  // most characters that may be typed
  int32_t cursorPhase = 0;

  EditWidget();
  EditWidget(const std::string& name, float x, float y, float width, float height);
  const std::string& CurrentTexture() const;
  // The text without its cursor cell.
  std::string Typed() const;
  // One typed character: Backspace removes the last one, control characters
  // are ignored, the rest is appended while the field has room.
  void Take(uint8_t typed);
  void Update() override;
  void Draw() const override;
};

// Word-wrapped text: width is the wrap width, height the glyph height and
// line step.
struct LabelWidget : Widget {
  std::string text;

  LabelWidget();
  LabelWidget(const std::string& name, float x, float y, float width, float height);
  void Update() override;
  void Draw() const override;
};
