#include "ui/widget.h"

#include <algorithm>

#include "core/graphics_device.h"
#include "core/mouse.h"
#include "core/shader_registers.h"
#include "platform/time.h"
#include "render/interface_quads.h"
#include "render/texture_cache.h"
#include "ui/widget_list.h"

Widget::Widget() { timer.StartIn(0); }

Widget::Widget(const std::string& widgetName, float left, float top, float w, float h)
    : x(left), y(top), width(w), height(h), name(widgetName) {
  timer.StartIn(0);
}

// Takes a copy: the callback may destroy the widget that holds it.
bool Widget::RunCallback(WidgetCallback callback) {
  if (!callback) return true;
  uint32_t generation = WidgetListGeneration();
  callback();
  return generation == WidgetListGeneration();
}

bool Widget::ReportShown() {
  if (shownReported || timer.Progress() < 1.0f) return true;
  shownReported = 1;
  return RunCallback(onShown);
}

bool Widget::TrackHover(bool inside) {
  if (inside) {
    if (hovered || !onHoverEnter) return true;
    hovered = 1;
    return RunCallback(onHoverEnter);
  }
  // Cleared before the callback runs, which may leave this widget behind.
  int32_t was = hovered;
  hovered = 0;
  return was ? RunCallback(onHoverLeave) : true;
}

bool Widget::PointerInside() const {
  float px = PointerX(), py = PointerY();
  return x <= px && px <= x + width && y <= py && py <= y + height;
}

bool Widget::ShownInFull() const { return visible && !fadeOut && !timer.repeat && timer.Progress() >= 1.0f; }

bool Widget::BeginDraw() const {
  if (!Device) return false;
  float progress = std::clamp(timer.Progress(), 0.0f, 1.0f);
  if (!visible && progress > 0.999f) return false;
  float alpha = fadeOut ? 1.0f - progress : progress;
  const float tint[4] = {colour[0] / 255.0f, colour[1] / 255.0f, colour[2] / 255.0f, alpha};
  Device->SetPixelShaderConstantF(PsTint, tint, 1);
  return true;
}

void Widget::DrawQuad(const std::string& texture) const {
  Textures.bindTexture(0, texture.c_str());
  drawQuadRegion(x, y, width, height, 0.0f, 0.0f, 1.0f, 1.0f);
}

void HideAtOnce(Widget& widget) {
  widget.visible = 0;
  widget.timer.start = TimerLongAgo;
}

void FadeOut(Widget& widget) {
  widget.visible = 0;
  widget.fadeOut = 1;
  widget.timer.StartIn(widget.timer.wait);
  widget.shownReported = 1;
}

void FadeIn(Widget& widget) {
  widget.visible = 1;
  widget.fadeOut = 0;
  widget.timer.StartIn(widget.timer.wait);
  widget.shownReported = 0;
}

void FadeAway(Widget& widget) {
  if (!widget.visible) return;
  if (widget.timer.Progress() > 0.0f) return FadeOut(widget);
  HideAtOnce(widget);
  widget.shownReported = 1;
}
