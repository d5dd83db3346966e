#include "core/save_failure.h"

#include <cstdio>

#include "platform/files.h"
#include "platform/time.h"

SaveFailureNotice SaveNotice;

namespace {
constexpr uint32_t NoticeMilliseconds = 8000;

const char* Reason(WriteFailure failure) {
  switch (failure) {
    case WriteFailure::DiskFull: return "the disk is full";
    case WriteFailure::NotAllowed: return "the game may not write its files";
    default: return "the disk reported an error";
  }
}
}  // namespace

void ReportSaveFailure(const char* what) {
  const std::string line = std::string("Could not save ") + what + ": " + Reason(LastWriteFailure()) + ".";
  std::fprintf(stderr, "kestrin: %s\n", line.c_str());
  SaveNotice.text = line + "\nThe game goes on and tries again at the next save.";
  SaveNotice.shownUntil = timeGetTime() + NoticeMilliseconds;
}

bool SaveNoticeShown(uint32_t now) {
  return !SaveNotice.text.empty() && static_cast<int32_t>(SaveNotice.shownUntil - now) > 0;
}
