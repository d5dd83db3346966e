#include "ui/save_notice_drawing.h"

#include "core/graphics_device.h"
#include "core/save_failure.h"
#include "core/shader_registers.h"
#include "platform/time.h"
#include "render/interface_quads.h"
#include "render/texture_cache.h"
#include "ui/text_drawing.h"

namespace {
// A banner across the top, clear of the round's buttons in the corners.
constexpr float PanelX = 0.22f, PanelY = 0.03f, PanelWidth = 1.56f, PanelHeight = 0.2f;
constexpr float TextInsetX = 0.1f, TextInsetY = 0.055f, LineHeight = 0.045f;
}  // namespace

void DrawSaveNotice() {
  if (!Device || !SaveNoticeShown(timeGetTime())) return;
  const float opaque[4] = {1, 1, 1, 1};
  Device->SetPixelShaderConstantF(PsTint, opaque, 1);
  Textures.bindTexture(0, "bar_u");
  drawQuadRegion(PanelX, PanelY, PanelWidth, PanelHeight, 0, 0, 1, 1);
  DrawTextWrapped(SaveNotice.text.c_str(), PanelX + TextInsetX, PanelY + TextInsetY, PanelWidth - 2 * TextInsetX,
                  "light", LineHeight);
}
