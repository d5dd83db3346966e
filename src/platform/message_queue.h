#pragma once
// The messages waiting for the game's message loop: the window's own events
// and the tests' injected ones, queued from any thread.
#include <cstdint>

#include "platform/window.h"

void QueueMessage(HWND window, uint32_t message, uintptr_t wParam);
bool TakeQueuedMessage(MSG* message);
void ClearQueuedMessages();

// A key as the window procedure sees it after TranslateMessage: the key
// message, then for Backspace, Enter and Escape the character as well.
void QueueKeyMessage(HWND window, uint32_t message, int virtualKey);
// Typed UTF-8 text, one WM_CHAR per character in the code page the fonts draw.
void QueueTypedText(HWND window, const char* utf8);
