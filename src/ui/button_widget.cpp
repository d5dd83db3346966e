#include "core/mouse.h"
#include "ui/text_drawing.h"
#include "ui/widget_kinds.h"

ButtonWidget::ButtonWidget() { kind = KindButton; }

ButtonWidget::ButtonWidget(const std::string& widgetName, float left, float top, float w, float h)
    : Widget(widgetName, left, top, w, h) {
  kind = KindButton;
}

const std::string& ButtonWidget::CurrentTexture() const {
  if (currentTexture == SlotOver) return texture2;
  if (currentTexture == SlotDown) return texture3;
  return texture1;
}

// A button ignores the pointer until it has faded in completely.
void ButtonWidget::Update() {
  if (!ReportShown()) return;
  if (!visible || !enabled || timer.Progress() < 1.0f) return;
  currentTexture = SlotNormal;
  if (!PointerInside()) {
    TrackHover(false);
    return;
  }
  if (!TrackHover(true)) return;
  currentTexture = Mouse.leftCurrent == ButtonHeld ? SlotDown : SlotOver;
  if (!LeftClicked()) return;
  currentTexture = SlotNormal;
  // The action may replace the whole screen, this button included.
  WidgetCallback action = onAction;
  if (action) action();
  ClearPointer();
}

void ButtonWidget::Draw() const {
  if (!BeginDraw()) return;
  DrawQuad(CurrentTexture());
  if (!text.empty()) DrawTextLine(text.c_str(), x + margin_left, y + margin_top, text_width, text_height, font.c_str());
}
