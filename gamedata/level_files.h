// The files of the level in memory: where SAVE LEVEL and SAVE CHUNKMAP write, which files
// count as the level's own (loaded from them or last saved to them), and the reading and
// writing of one .lvl or .itm block. The questions and messages around them are the
// commands' (app/level_file_commands.h).
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "files/level_records.h"
#include "files/level_source.h"
#include "gamedata/load_failure.h"

constexpr size_t FILE_NAME_LIMIT = 480;

// Where the saves of one level write and which files count as its own (loaded from them or
// last saved to them). The level in memory has one instance.
class LevelFilePaths {
 public:
  // Remembered by the loads, used by the saves; empty until a load.
  std::string level_file_name;
  std::string chunkmap_file_name;

  // The files of a newly loaded level (front layout, back layout, chunkmap): the saves write
  // to them, and they count as the level's own. An empty name is a level from no file (the
  // saves then use New.lvl, New_back.lvl, New.itm). back_from_project: the back plane goes
  // to `back` only, and cannot be saved when that is empty.
  void set(const std::string& front, const std::string& back, bool back_from_project, const std::string& chunkmap);
  // Where SAVE LEVEL writes the front plane: the remembered file or "New.lvl".
  std::string front_save_file() const;
  // Where SAVE LEVEL writes the back plane: the project's file, or the front file's name
  // with "_back" before the extension. Empty when it cannot be saved.
  std::string back_plane_file() const;
  // The files SAVE LEVEL would write now with these CHANGED_* flags ("New.lvl,
  // New_back.lvl"), and SAVE CHUNKMAP.
  std::string level_save_files(uint8_t changed) const;
  std::vector<std::string> level_save_file_list(uint8_t changed) const;
  std::string chunkmap_save_file() const;

  // Whether writing path for `part` (CHANGED_FRONT, CHANGED_BACK, CHANGED_CHUNKS, or 0 for a
  // file that is no part of the level) replaces a file that is not the level's own: it
  // exists, is not a directory (the save itself reports that) and the level neither came
  // from it nor was last saved to it.
  bool replaces_foreign_file(const std::string& path, uint8_t part) const;
  // After path was written for `part`: it is now the level's own.
  void file_saved(uint8_t part, const std::string& path);
  // After a load of the front plane / the chunkmap from path: saves go there, it is the
  // level's own, and origin names it.
  void front_file_loaded(const std::string& path, LevelOrigin& origin);
  void chunkmap_file_loaded(const std::string& path, LevelOrigin& origin);

 private:
  std::string& owned(uint8_t part);
  const std::string& owned(uint8_t part) const;
  // The back plane's file and the files that hold this level's own data, as absolute
  // normal paths.
  std::string back_file_name_;
  bool back_file_from_project_ = false;
  std::string owned_front_, owned_back_, owned_chunks_;
};

// Reads the block of a .lvl / .itm file (packed, at most 512 KiB, or plain, less).
bool read_layout_file(const std::string& path, LayoutPlane& plane, LoadFailure& error);
bool read_chunkmap_file(const std::string& path, ChunkMap& map, LoadFailure& error);
// Packs block and writes it to path (through a temporary file; an old file stays whole
// when the write fails). On failure why says what failed.
enum class SaveFailure { None, Packing, Writing };
SaveFailure write_packed_block(const std::string& path, const std::vector<uint8_t>& block, std::string& why);
