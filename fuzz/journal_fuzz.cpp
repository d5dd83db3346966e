// The journal reader on any bytes: a journal it accepts is written out again
// and reads back to the same frames.
#include <string>

#include "platform/journal.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string text(reinterpret_cast<const char*>(data), size);
  Journal journal;
  std::string error;
  if (!ParseJournal(text, &journal, &error)) {
    if (error.empty() || error.find('\n') != std::string::npos) __builtin_trap();
    return 0;
  }
  std::string again = JournalHeaderText(journal.header);
  for (const JournalFrame& frame : journal.frames) again += JournalFrameLine(frame);
  again += JournalEndLine(journal.frames.size());
  Journal reread;
  if (!ParseJournal(again, &reread, &error) || reread.frames.size() != journal.frames.size() ||
      reread.header.files != journal.header.files)
    __builtin_trap();
  return 0;
}
