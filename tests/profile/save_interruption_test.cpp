// Saving the progress and the settings interrupted at every write point,
// either by a failing step (a full disk) or by the process dying there: every
// file is afterwards either its old or its new contents, whole, and the
// progress is not lost.
#ifndef _WIN32
#include <sys/wait.h>
#endif
#include <unistd.h>

#include <functional>
#include <map>

#include "core/save_failure.h"
#include "platform/files.h"
#include "platform/test_hooks.h"
#include "support/interface.h"

namespace {

using uitest::UiTest;

// The files one save of the progress writes, in the order it writes them.
const std::vector<std::string> kSavedFiles = {"data/profile0.s", "data/profile1.s", "data/profile2.s",
                                              "bin/default.cfg"};
constexpr int kStepsPerFile = 5;  // open, write, flush, close, rename

int writePointsSeen = 0;
int interruptAt = -1;
bool dieThere = false;

// Counts the write points of all files together; the chosen one fails, or
// ends the process as a kill would.
bool InterruptOnePoint(int) {
  if (writePointsSeen++ != interruptAt) return true;
  if (dieThere) _exit(0);
  return false;
}

#if defined(_WIN32) || defined(__EMSCRIPTEN__)
// Without fork the interruptions are failing steps only.
constexpr bool kCanKill = false;
bool SaveDiesAtThePoint(const std::function<void()>&) { return false; }
#else
constexpr bool kCanKill = true;
// Runs `save` in a child process that the write hook ends at the chosen
// point; true when it ended there.
bool SaveDiesAtThePoint(const std::function<void()>& save) {
  const pid_t child = fork();
  if (child < 0) return false;
  if (child == 0) {
    SetWriteFaultHook(InterruptOnePoint);
    save();
    _exit(1);  // the save was not interrupted
  }
  int status = 0;
  return waitpid(child, &status, 0) == child && WIFEXITED(status) && WEXITSTATUS(status) == 0;
}
#endif

class SaveInterruption : public UiTest {
 public:
  using Files = std::map<std::string, std::string>;

  void SetUp() override {
    UiTest::SetUp();
    InstallProfiles();
    // A player part way through the game: the old state on disk.
    Profiles.ProfileSlots[0].Get("name").SetString("^Ada ");
    Profiles.ProfileSlots[0].Get("empty").SetInt(0);
    Profiles.ProfileSlots[0].Get("opened_maps").SetInt(3);
    Profiles.ProfileSlots[0].Get("score1").SetInt(700);
    Profiles.ProfileSlots[0].Get("score2").SetInt(1200);
    Profiles.CurrentProfile = 0;
    ASSERT_TRUE(SaveProfiles());
    ASSERT_TRUE(WriteOptions());
    oldFiles = Snapshot();
    // Files that already hold what a save would write are left alone: the
    // old ones end in a blank line more, so every file is written.
    for (auto& [name, text] : oldFiles) Write(name, text += "\n");
  }

  Files Snapshot() {
    Files files;
    for (const std::string& name : kSavedFiles) files[name] = Read(name);
    return files;
  }

  void RestoreOldFiles() {
    for (const auto& [name, text] : oldFiles) Write(name, text);
    LoadProfiles();
    LoadOptions("bin\\default.cfg");
    Profiles.CurrentProfile = 0;
  }

  // Level 3 just won with 4321 points and gold.
  static void FinishLevelThree() {
    Play.levelNumber = 4;
    Play.levelScore = 4321;
    Play.medal = 2;
    SaveProgress();
  }

  static void ExpectProgressHeld(const ConfigNode& profile, const std::string& when) {
    EXPECT_EQ(profile.Get("score3").AsInt(), 4321) << when;
    EXPECT_EQ(profile.Get("reward3").AsInt(), 2) << when;
    EXPECT_EQ(profile.Get("opened_maps").AsInt(), 4) << when;
    EXPECT_EQ(profile.Get("score2").AsInt(), 1200) << when;
    EXPECT_STREQ(profile.Get("name").AsString(), "^Ada ") << when;
  }

  // The old files back, and the write hook to stop the next save at `point`
  // of its writes, failing that step or ending the process there.
  void Arm(int point, bool die) {
    RestoreOldFiles();
    writePointsSeen = 0;
    interruptAt = point;
    dieThere = die;
  }

  // False when the process was to end and the save ran past the point.
  static bool SaveInterrupted(const std::function<void()>& save) {
    if (dieThere) return SaveDiesAtThePoint(save);
    SetWriteFaultHook(InterruptOnePoint);
    save();
    SetWriteFaultHook(nullptr);
    return true;
  }

  // The new contents of every file the save writes, from a save without faults.
  Files NewFilesOf(const std::function<void()>& save) {
    RestoreOldFiles();
    save();
    Files written = Snapshot();
    RestoreOldFiles();
    return written;
  }

  // Each file is its old or its new text, never a mix, a stub or missing;
  // the file being written when the save stopped is the old one.
  void ExpectWholeFiles(const Files& newFiles, int point, const std::string& when) {
    const std::string interrupted = kSavedFiles[point / kStepsPerFile];
    for (const std::string& name : kSavedFiles) {
      ASSERT_TRUE(std::filesystem::exists(name)) << name << " " << when;
      const std::string text = Read(name);
      EXPECT_TRUE(text == oldFiles[name] || text == newFiles.at(name)) << name << " is mixed " << when << ":\n" << text;
      EXPECT_FALSE(text.empty()) << name << " " << when;
      if (name == interrupted && oldFiles[name] != newFiles.at(name)) {
        EXPECT_EQ(text, oldFiles[name]) << name << " was being written " << when;
      }
    }
  }

  Files oldFiles;
};

std::string Describe(int point) {
  return "at step " + std::to_string(point % kStepsPerFile) + " of " + kSavedFiles[point / kStepsPerFile];
}

TEST_F(SaveInterruption, AFailingWriteLeavesWholeFilesAndTheProgressInMemory) {
  const Files newFiles = NewFilesOf(FinishLevelThree);
  ASSERT_NE(newFiles.at("data/profile0.s"), oldFiles["data/profile0.s"]);
  const int points = static_cast<int>(kSavedFiles.size()) * kStepsPerFile;
  for (int point = 0; point < points; ++point) {
    const std::string when = Describe(point);
    Arm(point, false);
    SaveInterrupted(FinishLevelThree);
    ExpectWholeFiles(newFiles, point, when);
    for (size_t later = point / kStepsPerFile + 1; later < kSavedFiles.size(); ++later)
      EXPECT_EQ(Read(kSavedFiles[later]), newFiles.at(kSavedFiles[later])) << "still written " << when;
    for (const std::string& name : kSavedFiles) EXPECT_FALSE(FileExists(name + ".tmp")) << name << " " << when;

    // The player is told, and the result is still held, also once the main
    // menu is back, so the next save writes it all.
    EXPECT_TRUE(SaveNoticeShown(timeGetTime())) << when;
    EXPECT_NE(SaveNotice.text.find("the disk is full"), std::string::npos) << when;
    EnterMainMenu();
    ExpectProgressHeld(Profiles.ProfileSlots[0], when);
    EXPECT_TRUE(SaveProfiles()) << when;
    EXPECT_TRUE(WriteOptions()) << when;
    EXPECT_EQ(Snapshot(), newFiles) << when;
  }
  // A disk that refuses every write: the notice names both.
  RestoreOldFiles();
  SaveNotice = SaveFailureNotice{};
  SetWriteFaultHook([](int) { return false; });
  FinishLevelThree();
  SetWriteFaultHook(nullptr);
  EXPECT_NE(SaveNotice.text.find("your progress and your settings"), std::string::npos) << SaveNotice.text;
}

TEST_F(SaveInterruption, AFirstNameThatCouldNotBeSavedIsKeptGreetedAndSavedNextTime) {
  for (int point = 0; point < kStepsPerFile; ++point) {
    for (const char* name : {"data/profile0.s", "data/profile1.s", "data/profile2.s"}) std::filesystem::remove(name);
    InstallSettings(-1);
    LoadProfiles();
    EnterMainMenu();
    ASSERT_FALSE(IsPlaceholder(FindEdit("name")));
    writePointsSeen = 0;
    interruptAt = point;
    dieThere = false;
    SetWriteFaultHook(InterruptOnePoint);
    for (char c : std::string("Wen Li")) Type(c);
    PressEnter();
    SetWriteFaultHook(nullptr);
    EXPECT_EQ(FindLabel("lbl").text, "Hello, ^Wen Li !") << Describe(point);
    EXPECT_TRUE(SaveNoticeShown(timeGetTime())) << Describe(point);
    EXPECT_TRUE(SaveProfiles());
    EXPECT_NE(Read("data/profile0.s").find("^Wen_Li_"), std::string::npos) << Describe(point);
  }
}

TEST_F(SaveInterruption, AProcessKilledWhileSavingLeavesWholeFilesThatLoad) {
  if (!kCanKill) GTEST_SKIP() << "no fork here";
  const Files newFiles = NewFilesOf(FinishLevelThree);
  const int points = static_cast<int>(kSavedFiles.size()) * kStepsPerFile;
  for (int point = 0; point < points; ++point) {
    const std::string when = Describe(point);
    Arm(point, true);
    ASSERT_TRUE(SaveInterrupted(FinishLevelThree)) << "the save ran past " << when;
    ExpectWholeFiles(newFiles, point, when);

    // The next start reads what is there, a leftover temporary file
    // notwithstanding, and the next save goes through.
    LoadProfiles();
    const ConfigNode& profile = Profiles.ProfileSlots[0];
    const bool saved = Read("data/profile0.s") == newFiles.at("data/profile0.s");
    EXPECT_EQ(profile.Get("score3").AsInt(), saved ? 4321 : 0) << when;
    EXPECT_EQ(profile.Get("opened_maps").AsInt(), saved ? 4 : 3) << when;
    EXPECT_EQ(profile.Get("score2").AsInt(), 1200) << when;
    Profiles.CurrentProfile = 0;
    FinishLevelThree();
    EXPECT_EQ(Snapshot(), newFiles) << when;
    for (const std::string& name : kSavedFiles) EXPECT_FALSE(FileExists(name + ".tmp")) << name << " " << when;
  }
}

// The settings alone, as leaving through the credits writes them.
TEST_F(SaveInterruption, ASettingsSaveInterruptedKeepsTheOldSettingsWhole) {
  const std::string oldSettings = oldFiles["bin/default.cfg"];
  for (int step = 0; step < kStepsPerFile; ++step) {
    for (bool die : {false, true}) {
      if (die && !kCanKill) continue;
      const std::string when = "at step " + std::to_string(step) + (die ? ", killed" : ", failing");
      Arm(step, die);
      Options.ResolutionChoice = 3;
      ASSERT_TRUE(SaveInterrupted(SaveOptionsAndQuit)) << when;
      EXPECT_EQ(Read("bin/default.cfg"), oldSettings) << when;
      LoadOptions("bin\\default.cfg");
      EXPECT_EQ(Options.width, 800) << when;
      EXPECT_EQ(Options.lastProfile, 0) << when;

      // Saved again, the new resolution lands.
      Options.ResolutionChoice = 3;
      SaveOptionsAndQuit();
      LoadOptions("bin\\default.cfg");
      EXPECT_EQ(Options.width, 1024) << when;
      EXPECT_EQ(Options.height, 768) << when;
    }
  }
}

}  // namespace
