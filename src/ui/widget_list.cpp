#include "ui/widget_list.h"

#include <cstring>

#include "render/interface_quads.h"

std::vector<std::unique_ptr<Widget>> WidgetList;

namespace {
uint32_t generation = 0;

// Reset to the construction defaults on every miss, so that what one caller
// set on a placeholder never reaches the next.
Widget placeholderWidget;
ImageWidget placeholderImage;
ButtonWidget placeholderButton;
EditWidget placeholderEdit;
LabelWidget placeholderLabel;

template <typename Kind>
Kind& Append(std::unique_ptr<Kind> widget) {
  Kind& created = *widget;
  WidgetList.push_back(std::move(widget));
  return created;
}

bool NameIs(const Widget& widget, const char* name) {
  return widget.name[0] == name[0] && std::strcmp(widget.name.c_str(), name) == 0;
}

// kind 0 counts every kind.
Widget* FindOfKind(const char* name, int32_t kind) {
  if (!name) return nullptr;
  for (const auto& widget : WidgetList)
    if ((kind == KindPlain || widget->kind == kind) && NameIs(*widget, name)) return widget.get();
  return nullptr;
}

template <typename Kind>
Kind& FoundOr(Widget* found, Kind& placeholder) {
  if (found) return static_cast<Kind&>(*found);
  placeholder = Kind();
  return placeholder;
}
}  // namespace

void ClearWidgets() {
  ++generation;
  // Moved out first: a destructor never sees a half-emptied list.
  std::vector<std::unique_ptr<Widget>> old;
  old.swap(WidgetList);
  for (auto& widget : old) widget.reset();
}

uint32_t WidgetListGeneration() { return generation; }

ButtonWidget& CreateButton(const std::string& name, float x, float y, float width, float height) {
  return Append(std::make_unique<ButtonWidget>(name, x, y, width, height));
}

ImageWidget& CreateImage(const std::string& name, float x, float y, float width, float height) {
  return Append(std::make_unique<ImageWidget>(name, x, y, width, height));
}

EditWidget& CreateEdit(const std::string& name, float x, float y, float width, float height) {
  return Append(std::make_unique<EditWidget>(name, x, y, width, height));
}

LabelWidget& CreateLabel(const std::string& name, float x, float y, float width, float height) {
  return Append(std::make_unique<LabelWidget>(name, x, y, width, height));
}

Widget& FindWidget(const char* name) {
  Widget* found = FindOfKind(name, KindPlain);
  if (found) return *found;
  placeholderWidget = Widget();
  return placeholderWidget;
}

ImageWidget& FindImage(const char* name) { return FoundOr(FindOfKind(name, KindImage), placeholderImage); }
ButtonWidget& FindButton(const char* name) { return FoundOr(FindOfKind(name, KindButton), placeholderButton); }
EditWidget& FindEdit(const char* name) { return FoundOr(FindOfKind(name, KindEdit), placeholderEdit); }
LabelWidget& FindLabel(const char* name) { return FoundOr(FindOfKind(name, KindLabel), placeholderLabel); }

bool IsPlaceholder(const Widget& widget) {
  return &widget == &placeholderWidget || &widget == &placeholderImage || &widget == &placeholderButton ||
         &widget == &placeholderEdit || &widget == &placeholderLabel;
}

void UpdateWidgetList() {
  for (size_t i = 0; i < WidgetList.size(); ++i) WidgetList[i]->Update();
}

void DrawWidgetList() {
  for (const auto& widget : WidgetList) widget->Draw();
}

void HideSceneUnderOpaqueImages() {
  for (const auto& widget : WidgetList) {
    if (widget->kind != KindImage || !widget->ShownInFull()) continue;
    const auto& image = static_cast<const ImageWidget&>(*widget);
    hideSceneUnderQuad(image.texture.c_str(), image.x, image.y, image.width, image.height);
  }
}
