#include "ui/text_drawing.h"
#include "ui/widget_kinds.h"

LabelWidget::LabelWidget() { kind = KindLabel; }

LabelWidget::LabelWidget(const std::string& widgetName, float left, float top, float w, float h)
    : Widget(widgetName, left, top, w, h) {
  kind = KindLabel;
}

void LabelWidget::Update() { ReportShown(); }

void LabelWidget::Draw() const {
  if (!BeginDraw()) return;
  DrawTextWrapped(text.c_str(), x, y, width, font.c_str(), height);
}
