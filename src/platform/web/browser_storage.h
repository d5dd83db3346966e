#pragma once
// The player's files in the browser: the page mounts IndexedDB (IDBFS) over
// their folder and fills it before the game starts; what the game writes
// lives in memory until it is copied back.

// Copies every file written since the last call into IndexedDB and waits
// until the browser has stored them. False when it could not.
bool StoreWrittenFilesInBrowser();
