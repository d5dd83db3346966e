#include "game/play_state.h"

#include "game/bee.h"
#include "game/hidden_scenery.h"
#include "game/level_files.h"
#include "game/test_hooks.h"
#include "game/training.h"

PlayState Play;

void ResetGameForTests() {
  Play = PlayState{};
  TheBee = Bee{};
  Training = TrainingState{};
  Levels = LevelFileState{};
  forgetHiddenGround();
}
