#pragma once
// The elements of a screen: a base and four kinds (image, button, edit,
// label). Each frame the engine calls Update of every widget before the scene
// and Draw in the interface pass; screens react through the four callbacks.
#include <cstdint>
#include <functional>
#include <string>

#include "core/appear_timer.h"

// Callbacks take nothing and return nothing; a callback that needs to know
// which level or slot it is for carries it with it.
using WidgetCallback = std::function<void()>;

enum WidgetKind : int32_t { KindPlain = 0, KindImage = 1, KindButton = 2, KindEdit = 3, KindLabel = 5 };

struct Widget {
  int32_t hovered = 0;
  float x = 0, y = 0, width = 0, height = 0;
  std::string name;
  std::string font;  // empty or unknown: the default font
  int32_t kind = KindPlain;
  int32_t visible = 1;
  int32_t enabled = 1;
  uint8_t colour[4] = {255, 255, 255, 255};
  AppearTimer timer;  // 200 ms from construction
  int32_t fadeOut = 0;
  int32_t shownReported = 0;
  WidgetCallback onAction = nullptr;
  WidgetCallback onHoverEnter = nullptr;
  WidgetCallback onHoverLeave = nullptr;
  WidgetCallback onShown = nullptr;

  Widget();
  Widget(const std::string& name, float x, float y, float width, float height);
  virtual ~Widget() = default;
  Widget(const Widget&) = default;
  Widget& operator=(const Widget&) = default;

  virtual void Update() {}
  virtual void Draw() const {}
  // Drawn at full strength now: shown, neither fading in or out nor pulsing.
  bool ShownInFull() const;

 protected:
  // Each of these runs a callback; false when the callback replaced the
  // widget list, after which the widget may be gone and must not be touched.
  bool ReportShown();
  bool TrackHover(bool inside);
  static bool RunCallback(WidgetCallback callback);

  bool PointerInside() const;
  // The common drawing steps: false when the widget is not to be drawn;
  // otherwise sets the tint and fade alpha in pixel register c16.
  bool BeginDraw() const;
  // The widget's rectangle with the whole named texture.
  void DrawQuad(const std::string& texture) const;
};

// The hide and fade idioms of the screens.
void HideAtOnce(Widget& widget);  // gone now, no fade
void FadeOut(Widget& widget);     // from full to nothing over its duration, no shown report
void FadeIn(Widget& widget);      // from nothing to full after its wait, reports shown again
// FadeOut for what may not have appeared yet: a widget still waiting for its
// fade-in is hidden at once (fading it out would first show it at full),
// one already hidden is left alone.
void FadeAway(Widget& widget);
