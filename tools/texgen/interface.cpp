// Menu pictures: buttons (their captions are drawn by the game over them),
// panels, bars, check marks, markers, the volume scale and the medals.
#include <cmath>
#include <string>

#include "icons.h"
#include "paint.h"
#include "text.h"
#include "texture_job.h"
#include "widgets.h"

namespace {

const Rgba kButton = Hex(0xFFA928);
const Rgba kSlotColours[3] = {Hex(0xF0645A), Hex(0x5CC25A), Hex(0x4C9BF0)};

void DrawBar(cairo_t* cr, double w, double h, const Rgba& fill, bool glow) {
  double m = h * 0.1;
  if (glow) {
    RoundedRect(cr, m * 0.3, m * 0.3, w - m * 0.6, h - m * 0.6, (h - m) * 0.5);
    SetColour(cr, Hex(0xFFF3A0, 0.75));
    cairo_fill(cr);
  }
  RoundedRect(cr, m, m, w - 2 * m, h - 2 * m, (h - 2 * m) * 0.45);
  SetLinear(cr, 0, m, 0, h - m, Lighter(fill, 0.35), Darker(fill, 0.05));
  FillSourceAndOutline(cr, palette::kOutline, h * 0.05);
  RoundedRect(cr, m + h * 0.08, m + h * 0.06, w - 2 * m - h * 0.16, (h - 2 * m) * 0.36, (h - 2 * m) * 0.2);
  SetLinear(cr, 0, m, 0, m + (h - 2 * m) * 0.4, Hex(0xFFFFFF, 0.5), Hex(0xFFFFFF, 0.05));
  cairo_fill(cr);
}

void DrawCheckbox(cairo_t* cr, double w, double h) {
  double m = w * 0.12;
  RoundedRect(cr, m, m, w - 2 * m, h - 2 * m, w * 0.16);
  SetLinear(cr, 0, m, 0, h - m, Hex(0xE9E2D0), Hex(0xFFFFFF));
  FillSourceAndOutline(cr, palette::kOutline, w * 0.06);
  RoundedRect(cr, m + w * 0.06, m + w * 0.06, w - 2 * m - w * 0.12, h - 2 * m - w * 0.12, w * 0.11);
  SetLinear(cr, 0, m, 0, h * 0.5, Hex(0x000000, 0.15), Hex(0x000000, 0.0));
  cairo_set_line_width(cr, w * 0.05);
  cairo_stroke(cr);
}

// A tall marker pointing down at a cell: a rounded bubble with a tick and a tail.
void DrawTickMarker(cairo_t* cr, double w, double h) {
  double cx = w / 2, r = w * 0.42;
  double cy = r + w * 0.06;
  cairo_new_path(cr);
  cairo_arc(cr, cx, cy, r, M_PI * 0.72, M_PI * 2.28);
  cairo_line_to(cr, cx, h - w * 0.08);
  cairo_close_path(cr);
  SetLinear(cr, 0, 0, 0, h, Hex(0xFFFFFF), Hex(0xE6DCC8));
  FillSourceAndOutline(cr, palette::kOutline, w * 0.05);
  DrawCheckIcon(cr, cx, cy, r * 1.45, Hex(0x3CB84A));
}

void DrawDownArrow(cairo_t* cr, double w, double h) {
  cairo_save(cr);
  cairo_translate(cr, w / 2, h / 2);
  std::vector<Point> corners{{0, h * 0.46},    {-w * 0.44, h * 0.04}, {-w * 0.2, h * 0.04}, {-w * 0.2, -h * 0.45},
                             {w * 0.2, -h * 0.45}, {w * 0.2, h * 0.04},   {w * 0.44, h * 0.04}};
  RoundedPolygon(cr, corners, w * 0.08);
  SetLinear(cr, -w / 2, 0, w / 2, 0, Hex(0xFFB340), Hex(0xF06A1A));
  FillSourceAndOutline(cr, palette::kOutline, w * 0.06);
  RoundedRect(cr, -w * 0.12, -h * 0.41, w * 0.1, h * 0.4, w * 0.05);
  SetColour(cr, Hex(0xFFFFFF, 0.5));
  cairo_fill(cr);
  cairo_restore(cr);
}

void DrawTitle(cairo_t* cr, double w, double h, const char* text, const Rgba& ribbon) {
  // Ribbon with folded ends and the word on it.
  double m = h * 0.1;
  for (int side = -1; side <= 1; side += 2) {
    cairo_save(cr);
    cairo_translate(cr, w / 2, 0);
    cairo_scale(cr, side, 1);
    RoundedPolygon(cr, {{w * 0.36, h * 0.3}, {w / 2 - m * 0.2, h * 0.3}, {w / 2 - m * 1.6, h * 0.6},
                        {w / 2 - m * 0.2, h * 0.9}, {w * 0.36, h * 0.9}},
                   m * 0.4);
    FillAndOutline(cr, Darker(ribbon, 0.25), palette::kOutline, h * 0.04);
    cairo_restore(cr);
  }
  RoundedRect(cr, w * 0.1, m, w * 0.8, h - m * 3, h * 0.16);
  SetLinear(cr, 0, m, 0, h - m * 2, Lighter(ribbon, 0.3), ribbon);
  FillSourceAndOutline(cr, palette::kOutline, h * 0.045);
  double size = FitTextSize(cr, text, h * 0.5, w * 0.7, Face::SansBold);
  OutlinedText(cr, text, w / 2, (h - m * 2) / 2 + m * 0.5, size, Face::SansBold, palette::kWhite,
               palette::kOutline, h * 0.045);
}

void DrawVolume(cairo_t* cr, double w, double h, int level) {
  double fraction = 0.3 + 0.7 * level / 9.0;
  double m = w * 0.14;
  double top = h - m - (h - 2 * m) * fraction;
  Rgba colour = Mix(Hex(0x6CD05A), Hex(0xFF7A2A), (level - 1) / 8.0);
  RoundedRect(cr, m, top, w - 2 * m, h - m - top, w * 0.2);
  SetLinear(cr, m, 0, w - m, 0, Lighter(colour, 0.35), Darker(colour, 0.1));
  FillSourceAndOutline(cr, palette::kOutline, w * 0.08);
  RoundedRect(cr, m + w * 0.12, top + w * 0.1, w * 0.16, h - m - top - w * 0.2, w * 0.08);
  SetColour(cr, Hex(0xFFFFFF, 0.45));
  cairo_fill(cr);
}

void AddButtons(std::vector<TextureJob>& jobs) {
  const struct {
    const char* suffix;
    ButtonState state;
  } states[3] = {{"up", ButtonState::Up}, {"over", ButtonState::Over}, {"down", ButtonState::Down}};
  for (const auto& s : states) {
    ButtonState state = s.state;
    AddTexture(jobs, std::string("btn_") + s.suffix, 512, 128,
               [state](cairo_t* cr, double w, double h) { DrawPillButton(cr, w, h, kButton, state); });
    AddTexture(jobs, std::string("btn_") + s.suffix + "_s", 256, 128,
               [state](cairo_t* cr, double w, double h) { DrawPillButton(cr, w, h, Hex(0x5CB8F0), state, 0.4); });
    AddTexture(jobs, std::string("m_leftarrow_") + s.suffix, 128, 128, [state](cairo_t* cr, double w, double h) {
      DrawRoundButton(cr, w, h, kButton, state);
      SymbolBox box = RoundButtonSymbol(w, h, state);
      DrawArrowIcon(cr, box.cx - box.size * 0.04, box.cy, box.size, M_PI, palette::kWhite);
    });
  }
  AddTexture(jobs, "m_menu", 128, 128, [](cairo_t* cr, double w, double h) {
    DrawRoundButton(cr, w, h, kButton, ButtonState::Up);
    SymbolBox box = RoundButtonSymbol(w, h, ButtonState::Up);
    DrawMenuIcon(cr, box.cx, box.cy, box.size, palette::kWhite);
  });
  AddTexture(jobs, "vopros", 128, 128, [](cairo_t* cr, double w, double h) {
    DrawRoundButton(cr, w, h, Hex(0x4CA8F0), ButtonState::Up);
    SymbolBox box = RoundButtonSymbol(w, h, ButtonState::Up);
    OutlinedText(cr, "?", box.cx, box.cy, box.size * 0.9, Face::SansBold, palette::kWhite, palette::kOutline,
                 box.size * 0.06);
  });
  AddTexture(jobs, "delete", 128, 128, [](cairo_t* cr, double w, double h) {
    DrawRoundButton(cr, w, h, Hex(0xE8483A), ButtonState::Up);
    SymbolBox box = RoundButtonSymbol(w, h, ButtonState::Up);
    DrawCrossIcon(cr, box.cx, box.cy, box.size, palette::kWhite);
  });
  AddTexture(jobs, "delete1", 128, 128, [](cairo_t* cr, double w, double h) {
    DrawRoundButton(cr, w, h, Hex(0xE8483A), ButtonState::Over);
    SymbolBox box = RoundButtonSymbol(w, h, ButtonState::Over);
    DrawCrossIcon(cr, box.cx, box.cy, box.size, palette::kWhite);
  });
  AddTexture(jobs, "enter", 256, 128, [](cairo_t* cr, double w, double h) {
    DrawPillButton(cr, w, h, Hex(0x5CC25A), ButtonState::Up);
    // A return arrow: down, then left.
    cairo_save(cr);
    cairo_translate(cr, w / 2, h * 0.44);
    for (int pass = 0; pass < 2; ++pass) {
      cairo_new_path(cr);
      cairo_move_to(cr, h * 0.32, -h * 0.2);
      cairo_line_to(cr, h * 0.32, h * 0.06);
      cairo_line_to(cr, -h * 0.22, h * 0.06);
      SetColour(cr, pass == 0 ? palette::kOutline : palette::kWhite);
      cairo_set_line_width(cr, pass == 0 ? h * 0.2 : h * 0.1);
      cairo_stroke(cr);
    }
    RoundedPolygon(cr, {{-h * 0.42, h * 0.06}, {-h * 0.16, -h * 0.14}, {-h * 0.16, h * 0.26}}, h * 0.03);
    FillAndOutline(cr, palette::kWhite, palette::kOutline, h * 0.045);
    cairo_restore(cr);
  });
  AddTexture(jobs, "m_bonus_up", 128, 128, [](cairo_t* cr, double w, double h) {
    DrawRoundButton(cr, w, h, Hex(0xB57AF0), ButtonState::Up);
    SymbolBox box = RoundButtonSymbol(w, h, ButtonState::Up);
    DrawGiftIcon(cr, box.cx, box.cy, box.size);
  });
  AddTexture(jobs, "m_bonus_over", 128, 128, [](cairo_t* cr, double w, double h) {
    DrawRoundButton(cr, w, h, Hex(0xB57AF0), ButtonState::Over);
    SymbolBox box = RoundButtonSymbol(w, h, ButtonState::Over);
    DrawGiftIcon(cr, box.cx, box.cy, box.size);
  });
  AddTexture(jobs, "m_langeng_over_en", 256, 128, [](cairo_t* cr, double w, double h) {
    DrawPillButton(cr, w, h, Hex(0x5CB8F0), ButtonState::Over);
    OutlinedText(cr, "EN", w / 2, h * 0.44, h * 0.42, Face::SansBold, palette::kWhite, palette::kOutline, h * 0.04);
  });
}

void AddPanels(std::vector<TextureJob>& jobs) {
  // Opaque: dialogs open over pictures (the menu's bee, the board's numbers)
  // that must not show through as ghosts behind the text, and the scene under
  // an opaque panel is not drawn at all.
  AddTexture(jobs, "podlogka", 512, 512, [](cairo_t* cr, double w, double h) {
    DrawPanel(cr, w * 0.04, h * 0.04, w * 0.92, h * 0.9, w * 0.09, Hex(0xFFE9B8), 1.0);
  });
  AddTexture(jobs, "m_frame2", 512, 512, [](cairo_t* cr, double w, double h) {
    double m = w * 0.05, t = w * 0.06;
    RoundedRect(cr, m, m, w - 2 * m, h - 2 * m, w * 0.1);
    RoundedRect(cr, m + t, m + t, w - 2 * (m + t), h - 2 * (m + t), w * 0.06);
    cairo_set_fill_rule(cr, CAIRO_FILL_RULE_EVEN_ODD);
    SetLinear(cr, 0, 0, 0, h, Hex(0xFFD86A), Hex(0xE08A1A));
    FillSourceAndOutline(cr, palette::kOutline, w * 0.012);
    cairo_set_fill_rule(cr, CAIRO_FILL_RULE_WINDING);
    RoundedRect(cr, m + t * 0.45, m + t * 0.45, w - 2 * (m + t * 0.45), h - 2 * (m + t * 0.45), w * 0.08);
    SetColour(cr, Hex(0xFFFFFF, 0.45));
    cairo_set_line_width(cr, w * 0.01);
    cairo_stroke(cr);
  });
  AddTexture(jobs, "bar", 512, 128,
             [](cairo_t* cr, double w, double h) { DrawBar(cr, w, h, Hex(0xFFD35A), false); });
  AddTexture(jobs, "bar_s", 512, 128,
             [](cairo_t* cr, double w, double h) { DrawBar(cr, w, h, Hex(0xFFC233), true); });
  AddTexture(jobs, "bar_u", 512, 128,
             [](cairo_t* cr, double w, double h) { DrawBar(cr, w, h, Hex(0xD8CDB4), false); });
  for (int i = 0; i < 3; ++i) {
    Rgba colour = kSlotColours[i];
    AddTexture(jobs, "bar_s" + std::to_string(i + 1), 512, 128,
               [colour](cairo_t* cr, double w, double h) { DrawBar(cr, w, h, colour, true); });
  }
  const char* slotNames[3] = {"slot_red", "slot_green", "slot_blue"};
  for (int i = 0; i < 3; ++i) {
    Rgba colour = kSlotColours[i];
    AddTexture(jobs, slotNames[i], 512, 128, [colour](cairo_t* cr, double w, double h) {
      DrawPillButton(cr, w, h, colour, ButtonState::Up, 0.3);
    });
  }
  AddTexture(jobs, "options", 512, 128,
             [](cairo_t* cr, double w, double h) { DrawTitle(cr, w, h, "Options", Hex(0x4CA8F0)); });
  AddTexture(jobs, "profiles", 512, 128,
             [](cairo_t* cr, double w, double h) { DrawTitle(cr, w, h, "Profiles", Hex(0x5CC25A)); });
}

void AddMarks(std::vector<TextureJob>& jobs) {
  AddTexture(jobs, "check", 128, 128,
             [](cairo_t* cr, double w, double) { DrawCheckIcon(cr, w / 2, w / 2, w * 0.9, Hex(0x3CB84A)); });
  AddTexture(jobs, "checkA", 128, 128,
             [](cairo_t* cr, double w, double) { DrawCheckIcon(cr, w / 2, w / 2, w * 0.9, Hex(0xFFC233)); });
  AddTexture(jobs, "checkbox", 128, 128, DrawCheckbox);
  AddTexture(jobs, "m_tick", 128, 256, DrawTickMarker);
  AddTexture(jobs, "arrow", 128, 256, DrawDownArrow);
  for (int level = 1; level <= 9; ++level) {
    AddTexture(jobs, "vol" + std::to_string(level), 64, 128,
               [level](cairo_t* cr, double w, double h) { DrawVolume(cr, w, h, level); });
  }
  AddTexture(jobs, "medal_bronze", 256, 256, [](cairo_t* cr, double w, double) {
    DrawMedal(cr, w / 2, w / 2, w * 0.96, Hex(0xD98A4A), Hex(0x4C9BF0));
  });
  AddTexture(jobs, "medal_silver", 256, 256, [](cairo_t* cr, double w, double) {
    DrawMedal(cr, w / 2, w / 2, w * 0.96, Hex(0xC8D2DC), Hex(0x5CC25A));
  });
  AddTexture(jobs, "medal_gold", 256, 256, [](cairo_t* cr, double w, double) {
    DrawMedal(cr, w / 2, w / 2, w * 0.96, Hex(0xFFC62E), Hex(0xF0645A));
  });
}

}  // namespace

void AddInterfaceJobs(std::vector<TextureJob>& jobs) {
  AddButtons(jobs);
  AddPanels(jobs);
  AddMarks(jobs);
}
