#include "ui/widget_kinds.h"

ImageWidget::ImageWidget() { kind = KindImage; }

ImageWidget::ImageWidget(const std::string& widgetName, float left, float top, float w, float h)
    : Widget(widgetName, left, top, w, h) {
  kind = KindImage;
}

// Hidden or fading images still run their action: screens use it as a
// per-frame hook.
void ImageWidget::Update() {
  if (!ReportShown() || !enabled) return;
  if (!RunCallback(onAction)) return;
  TrackHover(PointerInside());
}

void ImageWidget::Draw() const {
  if (BeginDraw()) DrawQuad(texture);
}
