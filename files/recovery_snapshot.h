// Crash-recovery snapshots: the unsaved parts of the level (front layout, back layout, chunk
// set) as packed blocks in one directory, described by a small text manifest. Each file goes
// through a temporary file and a rename, the manifest last, and part files carry a new
// generation number in their names, so a write cut off at any point leaves the previous
// snapshot whole: the manifest on disk always names files that were complete before it.
#pragma once
#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "files/level_records.h"
#include "files/level_source.h"
#include "files/problem.h"

constexpr const char* RECOVERY_MANIFEST_NAME = "manifest";
constexpr const char* RECOVERY_DISCARDED_NAME = "discarded";

enum RecoveryPart { RECOVERY_FRONT, RECOVERY_BACK, RECOVERY_CHUNKS, RECOVERY_PARTS };

// The manifest: where the level came from, when the snapshot was taken, and for each
// unsaved part the file that holds it with its size and CRC-32.
struct RecoveryManifest {
  struct File {
    std::string name;
    uint32_t size = 0;
    uint32_t crc = 0;
    bool operator==(const File& o) const { return name == o.name && size == o.size && crc == o.crc; }
  };
  LevelOrigin origin;
  int64_t time = 0;  // seconds since the epoch
  std::array<std::optional<File>, RECOVERY_PARTS> parts;
  bool operator==(const RecoveryManifest& o) const { return origin == o.origin && time == o.time && parts == o.parts; }
};

std::string format_recovery_manifest(const RecoveryManifest& manifest);
// False (with the reason in why) for anything but a complete, well-formed manifest.
bool parse_recovery_manifest(const std::string& text, RecoveryManifest& out, std::string& why);

// The unpacked blocks of the unsaved parts ("MAP" for the two layouts, "ITMS" for the chunk
// set); an empty block means the part is saved and stays out of the snapshot.
using RecoveryBlocks = std::array<std::vector<uint8_t>, RECOVERY_PARTS>;
// Builds the blocks of the parts given (null: not part of the snapshot).
bool build_recovery_blocks(const LayoutPlane* front, const LayoutPlane* back, const ChunkMap* chunks,
                           RecoveryBlocks& out, std::string& why);

// Writes a snapshot of the blocks into dir (created when missing): each part packed into a
// file of a new generation, the manifest, then the files of older snapshots are removed.
// step_limit stops the write after that many file steps (each file is written as a
// temporary, then renamed), as a kill there would; -1 runs it to the end.
bool write_recovery_snapshot(const std::string& dir, const LevelOrigin& origin, int64_t time,
                             const RecoveryBlocks& blocks, std::string& why, int step_limit = -1);

struct RecoverySnapshot {
  LevelOrigin origin;
  int64_t time = 0;
  std::optional<LayoutPlane> front, back;
  std::optional<ChunkMap> chunks;
};

enum class SnapshotState { Absent, Present, Damaged };
// Reads the snapshot in dir. Absent: no snapshot files at all. Damaged: files without a
// manifest, a bad manifest, or a part file that is missing, of another size or checksum,
// or does not decode; why says which. A file of it that cannot be read at all leaves why
// empty, and unread (if given) says why not.
SnapshotState read_recovery_snapshot(const std::string& dir, RecoverySnapshot& out, std::string& why,
                                     Problem* unread = nullptr);

// Removes the snapshot (manifest first) and any leftovers of cut-off writes; the directory
// itself goes too when nothing else is in it.
void remove_recovery_snapshot(const std::string& dir);
// Moves every snapshot file of dir into dir/discarded/<stamp> (with -2, -3 ... added when that
// exists already); where receives that directory. Nothing is deleted.
bool move_recovery_snapshot_aside(const std::string& dir, const std::string& stamp, std::string& where,
                                  std::string& why);
