// The tile selector: a scrolling strip of chunk thumbnails from which the chunk to edit
// is chosen, with keys that add, clear, delete, copy and paste chunks.
#pragma once

// One frame: scrolling, the strip and its texts, the editing keys; sets current_chunk
// and shows the frame.
void tile_selector();

// The editing keys of the tile selector (Insert/I, Delete, Shift+Delete, Ctrl+C, Ctrl+V,
// F12), each acting once per press on current_chunk.
void tile_selector_keys();
