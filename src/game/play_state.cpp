#include "game/play_state.h"

#include "game/bee.h"
#include "game/hidden_scenery.h"
#include "game/level_files.h"
#include "game/training.h"
#include "platform/test_hooks.h"

PlayState Play;

void ResetGameForTests() {
  Play = PlayState{};
  TheBee = Bee{};
  Training = TrainingState{};
  Levels = LevelFileState{};
  forgetHiddenGround();
}
