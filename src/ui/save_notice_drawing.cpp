#include "ui/save_notice_drawing.h"

#include "core/graphics_device.h"
#include "core/save_failure.h"
#include "core/shader_registers.h"
#include "platform/time.h"
#include "render/interface_quads.h"
#include "render/texture_cache.h"
#include "ui/text_drawing.h"

namespace {
constexpr float PanelX = 0.25f, PanelY = 0.02f, PanelWidth = 1.5f, PanelHeight = 0.2f;
constexpr float TextInset = 0.07f, LineHeight = 0.045f;
}  // namespace

void DrawSaveNotice() {
  if (!Device || !SaveNoticeShown(timeGetTime())) return;
  const float opaque[4] = {1, 1, 1, 1};
  Device->SetPixelShaderConstantF(PsTint, opaque, 1);
  Textures.bindTexture(0, "podlogka");
  drawQuadRegion(PanelX, PanelY, PanelWidth, PanelHeight, 0, 0, 1, 1);
  DrawTextWrapped(SaveNotice.text.c_str(), PanelX + TextInset, PanelY + 0.05f, PanelWidth - 2 * TextInset, "light",
                  LineHeight);
}
