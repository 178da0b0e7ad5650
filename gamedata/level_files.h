// The .lvl and .itm commands of the main menu: loading a layout plane or a chunkmap from a
// file (packed or plain) and saving them back as packed blocks.
#pragma once
#include <string>

// Remembered by the loads, used by the saves; empty until a load.
extern std::string level_file_name;
extern std::string chunkmap_file_name;
constexpr size_t FILE_NAME_LIMIT = 480;

extern const char* const OVERWRITE_QUESTION;  // "FILE \"%s\" EXISTS. OVERWRITE? (Y/N)"
extern const char* const UNSAVED_QUESTION;
extern const char* const BACK_PLANE_NOT_SAVED;

// The files of a newly loaded level (front layout, back layout, chunkmap): the saves write
// to them, and they count as the level's own. An empty name is a level from no file (the
// saves then use New.lvl, New_back.lvl, New.itm). back_from_project: the back plane goes
// to `back` only, and cannot be saved when that is empty.
void set_level_files(const std::string& front, const std::string& back, bool back_from_project,
                     const std::string& chunkmap);
// Where SAVE LEVEL writes the back plane: the project's file, or the front file's name
// with "_back" before the extension. Empty when it cannot be saved.
std::string back_plane_file();
// The files SAVE LEVEL would write now ("New.lvl, New_back.lvl"), and SAVE CHUNKMAP.
std::string level_save_files();
std::string chunkmap_save_file();

// Whether a save may write path: it does not exist, this level owns it, or the user
// answers Y to the overwrite question.
bool may_replace(const std::string& path, const std::string& owned);

// Before a command that replaces the level in memory: true when it may go on. With
// unsaved changes it asks UNSAVED_QUESTION: Y saves as SAVE LEVEL / SAVE CHUNKMAP would
// (false when a save did not happen), N discards, Escape cancels (false).
bool settle_unsaved_changes();

// Loads front_layout / chunkmap from path and remembers the path. Returns 0, or -1 after
// an error message with the model unchanged. A chunkmap load re-renders every chunk image
// and rebuilds the thumbnails.
int load_level_file(const std::string& path);
int load_chunkmap_file(const std::string& path);

// Write front_layout / chunkmap, packed, to the remembered file or "New.lvl" / "New.itm";
// SaveLevel also writes back_layout when it has unsaved changes. A file of someone else
// is replaced only after the overwrite question. Shows "WROTE <files>". Returns 0, or -1
// after an error message or a declined overwrite (files not written are left as they were).
int SaveLevel();
int SaveChunkmap();

// The menu commands with the file selector ("LOAD LEVEL FROM LVL FILE"/"LVL",
// "LOAD CHUNKMAP FROM ITM FILE"/"ITM"). Cancelling the selector changes nothing (0).
int load_level_from_lvl_file();
int load_chunkmap_from_itm_file();
