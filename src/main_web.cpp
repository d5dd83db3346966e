// The game's entry in a web page. The shipped data lies where an installed
// game keeps it and the page has mounted the player's saved files, so the
// game reads its data from /usr/share/games/kestrin and keeps the player's
// files in $HOME/.local/share/kestrin.
#include <emscripten.h>

#include <cstdint>

#include "app/browser_loop.h"
#include "platform/data_folders.h"
#include "platform/random.h"

// The browser test photographs the play tests' round: it seeds the generator
// as they do, between the island's press and release.
extern "C" EMSCRIPTEN_KEEPALIVE void kestrin_seed_random(uint32_t seed) { crtSrand(seed); }

int main() {
  SelectDataFolders(ExecutableFolder());
  EngineStartInBrowser();
  return 0;
}
