// The .lvl and .itm commands of the main menu: loading a layout plane or a chunkmap from a
// file (packed or plain) and saving them back as packed blocks.
#pragma once
#include <string>

// Remembered by the loads, used by the saves; empty until a load.
extern std::string level_file_name;
extern std::string chunkmap_file_name;
constexpr size_t FILE_NAME_LIMIT = 480;

// Loads front_layout / chunkmap from path and remembers the path. Returns 0, or -1 after
// an error message with the model unchanged. A chunkmap load re-renders every chunk image
// and rebuilds the thumbnails.
int load_level_file(const std::string& path);
int load_chunkmap_file(const std::string& path);

// Write front_layout / chunkmap, packed, to the remembered file or "New.lvl" / "New.itm".
// Returns 0, or -1 after an error message (the previous file is then left as it was).
int SaveLevel();
int SaveChunkmap();

// The menu commands with the file selector ("Load Level"/"LVL", "Load Chunkmap"/"ITM").
int load_level_from_lvl_file();
int load_chunkmap_from_itm_file();
