// The whole life of the editor program: start-up, main menu, shut-down.
#pragma once

void start_up();
// Cuts the font and loads the cursor and selection frame images; creates the screen
// bitmaps and swatches; installs the frame timer (when a timer driver exists).
// Returns false when the font image is missing (after reporting it).
bool load_interface_images(bool install_frame_timer);
// Destroys the level's bitmaps and buffers, the undo buffers and the screen bitmaps.
void release_all();
// The interface images live until the end; they must go before the library shuts down.
void release_interface_images();
