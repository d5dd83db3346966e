#include "ui/fps_display.h"

#include "core/engine_state.h"
#include "ui/text_drawing.h"

void DrawFpsDisplay() { DrawTextOverlay(FrameRate.FpsText, 0.0f, 0.0f, 0.6f, 0.04f, nullptr); }
