#pragma once
// A save that did not reach the disk. The player is told, on screen over
// whatever screen is up and on standard error; what is in memory stays, and
// the next save writes it again.
#include <cstdint>
#include <string>

struct SaveFailureNotice {
  std::string subject;      // what was not saved: "your progress", "your settings" or both
  std::string text;         // what the player reads, one line break; empty when none was reported
  uint32_t shownUntil = 0;  // timeGetTime
};
extern SaveFailureNotice SaveNotice;

// `what` names what was not saved ("your progress", "your settings"); the
// reason comes from the file layer's last failure.
void ReportSaveFailure(const char* what);
bool SaveNoticeShown(uint32_t now);
