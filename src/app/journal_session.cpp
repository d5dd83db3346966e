#include "app/journal_session.h"

#include <algorithm>
#include <cstdio>
#include <ctime>
#include <filesystem>
#include <mutex>

#include "app/engine.h"
#include "core/engine_state.h"
#include "core/graphics_device.h"
#include "core/mouse.h"
#include "core/options.h"
#include "game/play_state.h"
#include "platform/data_folders.h"
#include "platform/files.h"
#include "platform/journal.h"
#include "platform/random.h"
#include "platform/time.h"
#include "ui/layout_loader.h"

namespace {
enum class JournalMode { Off, Record, Replay };
// Everything a recording or a replay keeps between frames; EndJournalSession
// puts it back for the next session.
struct JournalSession {
  JournalMode mode = JournalMode::Off;
  FILE* recordFile = nullptr;
  Journal journal;
  size_t framesDone = 0;
  bool fastReplay = false;
  bool keepLastFrame = false;
  // Live clock minus recorded clock, fixed at the first replayed frame.
  uint32_t replayOffset = 0;
  std::string replayFolder;
  // Messages the window procedure received since the last recorded frame.
  std::mutex queueLock;
  std::vector<JournalEvent> queued;
  int number = 0;
  JournalOutcome outcome;
} session;

// The calendar runs on with the journal's clock from the recorded seed.
uint32_t JournalCalendar() {
  return session.journal.header.seed + (timeGetTime() - session.journal.header.clock) / 1000;
}

// Each thread's generator starts once per session from the journal's seed.
void SeedThisThread() {
  thread_local int seededSession = 0;
  if (seededSession == session.number) return;
  seededSession = session.number;
  crtSrand(session.journal.header.seed);
}

bool ReadText(const std::string& path, std::string* text) {
  std::vector<unsigned char> bytes;
  if (!ReadWholeFile(path, bytes)) return false;
  text->assign(bytes.begin(), bytes.end());
  return true;
}

void StartSession() {
  ++session.number;
  HoldClock(session.journal.header.clock);
  SetCalendarSource(JournalCalendar);
  SeedThisThread();
}

void Apply(const JournalFrame& frame) {
  Mouse.mouseX = frame.x;
  Mouse.mouseY = frame.y;
  Mouse.leftCurrent = frame.left ? ButtonHeld : frame.leftElsewhere ? ButtonCleared : ButtonUp;
  Mouse.rightCurrent = frame.right ? ButtonHeld : frame.rightElsewhere ? ButtonCleared : ButtonUp;
  for (const JournalEvent& event : frame.events) {
    if (event.message == WM_CHAR && session.journal.header.version == 1) Messages.TypedCharacters.clear();
    DeliverMessage(event.message, event.code);
  }
}

void RecordFrame() {
  JournalFrame frame;
  frame.clock = LiveTime();
  frame.x = Mouse.mouseX;
  frame.y = Mouse.mouseY;
  frame.left = Mouse.leftCurrent == ButtonHeld;
  frame.right = Mouse.rightCurrent == ButtonHeld;
  frame.leftElsewhere = Mouse.leftCurrent == ButtonCleared;
  frame.rightElsewhere = Mouse.rightCurrent == ButtonCleared;
  {
    std::lock_guard<std::mutex> hold(session.queueLock);
    frame.events.swap(session.queued);
  }
  HoldClock(frame.clock);
  Apply(frame);
  // Flushed every frame: a crash leaves a journal that plays up to it.
  std::fputs(JournalFrameLine(frame).c_str(), session.recordFile);
  std::fflush(session.recordFile);
  ++session.framesDone;
}

void WaitForRecordedTime(uint32_t clock) {
  if (session.framesDone == 0) session.replayOffset = LiveTime() - clock;
  for (;;) {
    const int32_t ahead = static_cast<int32_t>(clock - (LiveTime() - session.replayOffset));
    if (ahead <= 0 || Messages.QuitRequested) return;
    Sleep(static_cast<uint32_t>(std::min(ahead, 10)));
  }
}

void ReplayFrame() {
  // Loading frames after a journal that ended during start-up see no input.
  if (session.framesDone >= session.journal.frames.size()) return;
  const JournalFrame& frame = session.journal.frames[session.framesDone];
  if (!session.fastReplay) WaitForRecordedTime(frame.clock);
  HoldClock(frame.clock);
  Apply(frame);
  if (++session.framesDone == session.journal.frames.size()) RequestQuit();
}

bool MakeReplayFolder(std::string* error) {
  std::error_code fault;
  const std::filesystem::path base = std::filesystem::temp_directory_path(fault);
  for (int attempt = 0; attempt < 100 && !fault; ++attempt) {
    const std::filesystem::path folder =
        base / ("kestrin-replay-" + std::to_string(std::time(nullptr)) + "-" + std::to_string(attempt));
    if (std::filesystem::create_directory(folder, fault)) {
      session.replayFolder = folder.string();
      return true;
    }
  }
  *error = "cannot make a temporary folder: " + (fault ? fault.message() : std::string("all names taken"));
  return false;
}

bool WriteStartingFiles(std::string* error) {
  for (const auto& [name, contents] : session.journal.header.files) {
    const std::string path = session.replayFolder + "/" + name.substr(name.rfind('/') + 1);
    if (!WriteFileAtomically(path, contents)) {
      *error = "cannot write " + path;
      return false;
    }
  }
  return true;
}

void KeepFinalState() {
  session.outcome.frames = session.framesDone;
  session.outcome.screen = ShownLayout();
  session.outcome.score = Play.levelScore;
  for (const std::string& name : JournalFileNames()) {
    std::string text;
    if (ReadText(PlayerFile(name), &text)) session.outcome.files[name] = text;
  }
  if (session.keepLastFrame && Device)
    Device->ReadBackBuffer(&session.outcome.lastFrame, &session.outcome.lastFrameWidth,
                           &session.outcome.lastFrameHeight);
}
}  // namespace

bool RecordJournalTo(const std::string& path, std::string* error) {
  session.recordFile = std::fopen(path.c_str(), "wb");
  if (!session.recordFile) {
    *error = "cannot write the journal " + path;
    return false;
  }
  session.mode = JournalMode::Record;
  return true;
}

bool PrepareReplay(const std::string& path, bool fast, std::string* error) {
  std::string text, reason;
  Journal read;
  if (!ReadText(path, &text)) {
    *error = "cannot read the journal " + path;
    return false;
  }
  if (!ParseJournal(text, &read, &reason)) {
    *error = path + ": " + reason;
    return false;
  }
  if (read.header.game != KESTRIN_VERSION)
    std::fprintf(stderr, "kestrin: %s was recorded by version %s, this is %s: it may play out differently\n",
                 path.c_str(), read.header.game.c_str(), KESTRIN_VERSION);
  session.journal = std::move(read);
  Options.debugKeys = session.journal.header.debugKeys;
  if (!MakeReplayFolder(error)) return false;
  if (!WriteStartingFiles(error)) {
    std::filesystem::remove_all(session.replayFolder);
    return false;
  }
  RedirectPlayerFiles(session.replayFolder);
  session.mode = JournalMode::Replay;
  session.fastReplay = fast;
  return true;
}

void KeepLastFrame() { session.keepLastFrame = true; }

void BeginJournal() {
  session.framesDone = 0;
  if (session.mode == JournalMode::Record) {
    JournalHeader& header = session.journal.header;
    header = JournalHeader{
        KESTRIN_VERSION, Options.width, Options.height, static_cast<uint32_t>(std::time(nullptr)), LiveTime(), {}};
    header.debugKeys = Options.debugKeys;
    for (const std::string& name : JournalFileNames()) {
      std::string text;
      if (ReadText(PlayerFile(name), &text)) header.files.emplace_back(name, text);
    }
    std::fputs(JournalHeaderText(header).c_str(), session.recordFile);
    std::fflush(session.recordFile);
  }
  if (session.mode == JournalMode::Off) return;
  StartSession();
  if (session.mode == JournalMode::Replay && session.journal.frames.empty()) RequestQuit();
}

void StepJournal() {
  if (session.mode == JournalMode::Off) return;
  SeedThisThread();
  if (session.mode == JournalMode::Record)
    RecordFrame();
  else
    ReplayFrame();
}

bool JournalTakesMessage(uint32_t message, uintptr_t wParam) {
  const bool input = message == WM_KEYDOWN || message == WM_KEYUP || message == WM_CHAR || message == WM_CLOSE;
  if (!input || session.mode == JournalMode::Off) return false;
  // A replay ignores live input; only closing the window stops it.
  if (session.mode == JournalMode::Replay) return message != WM_CLOSE;
  std::lock_guard<std::mutex> hold(session.queueLock);
  session.queued.push_back(JournalEvent{message, static_cast<uint8_t>(wParam)});
  return true;
}

void EndJournal() {
  if (session.mode == JournalMode::Off) return;
  if (session.recordFile) {
    std::fputs(JournalEndLine(session.framesDone).c_str(), session.recordFile);
    std::fclose(session.recordFile);
    session.recordFile = nullptr;
  }
  KeepFinalState();
}

JournalOutcome EndJournalSession() {
  JournalOutcome result = std::move(session.outcome);
  result.complete = session.mode == JournalMode::Record || session.framesDone == session.journal.frames.size();
  if (session.recordFile) std::fclose(session.recordFile);
  if (!session.replayFolder.empty()) std::filesystem::remove_all(session.replayFolder);
  RedirectPlayerFiles("");
  ReleaseClock();
  SetCalendarSource(nullptr);
  session.mode = JournalMode::Off;
  session.recordFile = nullptr;
  session.replayFolder.clear();
  session.journal = Journal{};
  session.framesDone = 0;
  session.keepLastFrame = false;
  session.outcome = JournalOutcome{};
  session.queued.clear();
  return result;
}

std::string OutcomeLine(const JournalOutcome& outcome) {
  return std::to_string(outcome.frames) + " frames" + (outcome.complete ? "" : " (stopped before the end)") +
         ", screen " + (outcome.screen.empty() ? "none" : outcome.screen) + ", score " +
         std::to_string(outcome.score);
}
