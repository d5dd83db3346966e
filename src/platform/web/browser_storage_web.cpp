#include "platform/web/browser_storage.h"

#include <emscripten.h>

namespace {
// The game waits here (Asyncify) until IndexedDB has the files, so a save is
// done only when a closed tab can no longer lose it.
EM_ASYNC_JS(int, SyncFileSystemToIndexedDb, (), {
  return await new Promise(resolve => FS.syncfs(false, error => {
    if (error) console.error('Kestrin: saving in the browser failed:', error);
    resolve(error ? 0 : 1);
  }));
});
// Under node (the unit tests) the files are on the disk already.
EM_JS(int, HasIndexedDb, (), { return typeof indexedDB !== 'undefined'; });
}  // namespace

bool StoreWrittenFilesInBrowser() { return !HasIndexedDb() || SyncFileSystemToIndexedDb() != 0; }
