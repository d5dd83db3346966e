#pragma once
// The widgets of what is on screen now, in creation order, and their lookup
// by name. Lookups never fail: a name that is missing yields a placeholder of
// the kind asked for, which is never updated or drawn.
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "ui/widget.h"
#include "ui/widget_kinds.h"

extern std::vector<std::unique_ptr<Widget>> WidgetList;

// Destroys every widget and empties the list.
void ClearWidgets();
// Counts the times the list was cleared, so that code running inside a
// widget's callback can tell that the widget may be gone.
uint32_t WidgetListGeneration();

// Construct with the defaults and append.
ButtonWidget& CreateButton(const std::string& name, float x, float y, float width, float height);
ImageWidget& CreateImage(const std::string& name, float x, float y, float width, float height);
EditWidget& CreateEdit(const std::string& name, float x, float y, float width, float height);
LabelWidget& CreateLabel(const std::string& name, float x, float y, float width, float height);

// The first widget in list order with exactly this name (of that kind).
Widget& FindWidget(const char* name);
ImageWidget& FindImage(const char* name);
ButtonWidget& FindButton(const char* name);
EditWidget& FindEdit(const char* name);
LabelWidget& FindLabel(const char* name);
inline Widget& FindWidget(const std::string& name) { return FindWidget(name.c_str()); }
inline ImageWidget& FindImage(const std::string& name) { return FindImage(name.c_str()); }
inline ButtonWidget& FindButton(const std::string& name) { return FindButton(name.c_str()); }
inline EditWidget& FindEdit(const std::string& name) { return FindEdit(name.c_str()); }
inline LabelWidget& FindLabel(const std::string& name) { return FindLabel(name.c_str()); }

// True for the placeholders that lookups hand out.
bool IsPlaceholder(const Widget& widget);

// The engine's two widget passes: Update of every widget before the scene,
// Draw of every widget in the interface pass. Both walk by index and read the
// length again each step, so a callback may replace the list mid-walk.
void UpdateWidgetList();
void DrawWidgetList();
// For a screen drawn over the scene, before the scene: what the opaque part
// of each image shown in full will cover is not shaded (the depth buffer is
// made nearest there).
void HideSceneUnderOpaqueImages();
