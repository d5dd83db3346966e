#pragma once
// Whether anyone can see the window: each backend sets it from its window's
// messages (minimised or hidden, and back); the frame loop reads it. Any
// thread may read or write it.
void SetWindowHidden(bool hidden);
bool WindowHidden();
