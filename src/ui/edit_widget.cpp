#include "core/engine_state.h"
#include "core/mouse.h"
#include "ui/text_drawing.h"
#include "ui/widget_kinds.h"

namespace {
constexpr uint8_t kFirstTyped = 31;
// The cursor cell shows one of these, by cursorPhase.
constexpr char kCursorCells[2] = {' ', '|'};
}  // namespace

EditWidget::EditWidget() { kind = KindEdit; }

EditWidget::EditWidget(const std::string& widgetName, float left, float top, float w, float h)
    : Widget(widgetName, left, top, w, h) {
  kind = KindEdit;
}

const std::string& EditWidget::CurrentTexture() const {
  if (currentTexture == SlotOver) return texture2;
  if (currentTexture == SlotDown) return texture3;
  return texture1;
}

std::string EditWidget::Typed() const { return text.empty() ? text : text.substr(0, text.size() - 1); }

void EditWidget::Take(uint8_t typed) {
  if (typed == VK_BACK && text.size() > 1) text.pop_back();
  const int64_t limit = int64_t{length} + 1;
  if (typed >= kFirstTyped && static_cast<int64_t>(text.size()) < limit) {
    text.back() = static_cast<char>(typed);
    text.push_back(' ');
  }
}

void EditWidget::Update() {
  if (!ReportShown()) return;
  if (text.empty()) text.push_back(' ');
  text.back() = ' ';
  // FrameRate.FrameCount restarts every 250 ms sample: the cursor blinks at that pace.
  if (FrameRate.FrameCount == 0) cursorPhase = cursorPhase ? 0 : 1;
  if (!visible || !enabled) return;

  currentTexture = SlotNormal;
  bool inside = PointerInside();
  if (inside) currentTexture = SlotOver;
  if (!TrackHover(inside)) return;
  if (inside && LeftClicked()) ClearPointer();

  // What was typed before Enter belongs to the text it confirms.
  while (const uint8_t typed = Messages.TypedCharacters.pop()) Take(typed);
  if (Messages.LastKeyUp == VK_RETURN) {
    Messages.LastKeyUp = 0;
    if (WidgetCallback action = onAction) {
      action();
      return;
    }
  }
  currentTexture = SlotDown;
  text.back() = kCursorCells[cursorPhase ? 1 : 0];
}

void EditWidget::Draw() const {
  if (!BeginDraw()) return;
  DrawQuad(CurrentTexture());
  DrawTextLine(text.c_str(), x + margin_left, y + margin_top, text_width, text_height, font.c_str());
}
