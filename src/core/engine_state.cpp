#include "core/engine_state.h"

std::atomic<int32_t> QuitRequested{0};
std::atomic<uint8_t> LastCharCode{0};
std::atomic<uint8_t> LastKeyUp{0};
std::atomic<uint8_t> LastKeyDown{0};

HWND MainWindow = nullptr;
HWND HostWindow = nullptr;
float AspectRatio = 0.75f;
int FrameWidth = 0, FrameHeight = 0, CaptionHeight = 0;
ClearColorRGB ClearColor{0, 0, 0};

char FpsText[16] = "fps=0";
uint32_t FramesPerSecond = 0;
int FrameCount = 0;
uint32_t LastTick = 0;
uint32_t SampleTick = 0;

void RequestQuit() {
  QuitRequested = 1;
  PostWakeMessage();
}
