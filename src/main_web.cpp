// The game's entry in a web page. The shipped data lies where an installed
// game keeps it and the page has mounted the player's saved files, so the
// game reads its data from /usr/share/games/kestrin and keeps the player's
// files in $HOME/.local/share/kestrin.
#include "app/browser_loop.h"
#include "platform/data_folders.h"

int main() {
  SelectDataFolders(ExecutableFolder());
  EngineStartInBrowser();
  return 0;
}
