// Fatal errors show a modal message box; under Wine on Xvfb nobody would
// answer it. Every test thread here has its boxes answered with OK at once.
#include <gtest/gtest.h>
#include <windows.h>

namespace {
thread_local HHOOK hook = nullptr;

LRESULT CALLBACK AnswerMessageBoxes(int code, WPARAM wParam, LPARAM lParam) {
  if (code == HCBT_ACTIVATE) {
    char className[16] = {};
    HWND box = reinterpret_cast<HWND>(wParam);
    if (GetClassNameA(box, className, sizeof className) && lstrcmpA(className, "#32770") == 0)
      PostMessageA(box, WM_COMMAND, IDOK, 0);
  }
  return CallNextHookEx(hook, code, wParam, lParam);
}

class MessageBoxCloser : public ::testing::Environment {
 public:
  void SetUp() override { hook = SetWindowsHookExA(WH_CBT, AnswerMessageBoxes, nullptr, GetCurrentThreadId()); }
  void TearDown() override { UnhookWindowsHookEx(hook); }
};

::testing::Environment* const Closer = ::testing::AddGlobalTestEnvironment(new MessageBoxCloser);
}  // namespace
