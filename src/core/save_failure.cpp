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
  std::fprintf(stderr, "kestrin: Could not save %s: %s.\n", what, Reason(LastWriteFailure()));
  // A second failure of the same save (the settings after the progress)
  // joins the notice still shown rather than hiding the first.
  const uint32_t now = timeGetTime();
  const bool joining = SaveNoticeShown(now) && SaveNotice.subject != what;
  SaveNotice.subject = joining ? SaveNotice.subject + " and " + what : what;
  SaveNotice.text = "Could not save " + SaveNotice.subject + ": " + Reason(LastWriteFailure()) +
                    ".\nThe game goes on and tries again at the next save.";
  SaveNotice.shownUntil = now + NoticeMilliseconds;
}

bool SaveNoticeShown(uint32_t now) {
  return !SaveNotice.text.empty() && static_cast<int32_t>(SaveNotice.shownUntil - now) > 0;
}
