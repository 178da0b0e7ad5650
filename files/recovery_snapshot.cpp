#include "files/recovery_snapshot.h"

#include <cerrno>
#include <cinttypes>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <map>
#include <sstream>

#include "files/atomic_file.h"
#include "files/chunk_set_block.h"
#include "files/crc32.h"
#include "files/layout_block.h"
#include "files/packed_block.h"

namespace fs = std::filesystem;

namespace {

const char* const MANIFEST_FIRST_LINE = "MOSSFORGE RECOVERY SNAPSHOT 1";
const char* const PART_KEYS[RECOVERY_PARTS] = {"front", "back", "chunks"};
const char* const PART_EXTENSIONS[RECOVERY_PARTS] = {".lvl", ".lvl", ".itm"};
// A manifest is a dozen short lines; anything much larger is not one.
constexpr size_t MANIFEST_LIMIT = 16384;

const char* source_name(LevelSource s) {
  return s == LevelSource::RomMap ? "rom" : s == LevelSource::ProjectLevel ? "project" : "none";
}

bool has_line_break(const std::string& s) { return s.find_first_of("\r\n") != std::string::npos; }

// Names a manifest may give: plain names inside the snapshot directory.
bool plain_name(const std::string& s) {
  return !s.empty() && s[0] != '.' && s.find('/') == std::string::npos && s.find('\\') == std::string::npos &&
         s != RECOVERY_MANIFEST_NAME && s != RECOVERY_DISCARDED_NAME;
}

bool parse_unsigned(const std::string& s, uint64_t max, uint64_t& out, int base = 10) {
  if (s.empty() || s.size() > 20) return false;
  uint64_t v = 0;
  for (char c : s) {
    int d;
    if (c >= '0' && c <= '9') d = c - '0';
    else if (base == 16 && c >= 'A' && c <= 'F') d = c - 'A' + 10;
    else return false;
    if (v > (max - static_cast<uint64_t>(d)) / static_cast<uint64_t>(base)) return false;
    v = v * static_cast<uint64_t>(base) + static_cast<uint64_t>(d);
  }
  out = v;
  return true;
}

bool refuse(std::string& why, const std::string& what) {
  why = what;
  return false;
}

// The generation of a part file name such as "front-12.lvl", or 0.
uint64_t generation_of(const std::string& name) {
  const size_t dash = name.find('-'), dot = name.find('.');
  uint64_t g = 0;
  if (dash == std::string::npos || dot == std::string::npos || dot < dash) return 0;
  return parse_unsigned(name.substr(dash + 1, dot - dash - 1), UINT32_MAX, g) ? g : 0;
}

// Every entry of dir but the discarded snapshots.
std::vector<std::string> snapshot_entries(const std::string& dir) {
  std::vector<std::string> names;
  std::error_code ec;
  for (fs::directory_iterator it(dir, ec), end; !ec && it != end; it.increment(ec)) {
    const std::string name = it->path().filename().string();
    if (name != RECOVERY_DISCARDED_NAME) names.push_back(name);
  }
  return names;
}

}  // namespace

std::string format_recovery_manifest(const RecoveryManifest& m) {
  std::string text = std::string(MANIFEST_FIRST_LINE) + "\n";
  char line[64];
  std::snprintf(line, sizeof line, "time = %" PRId64 "\n", m.time);
  text += line;
  text += std::string("origin = ") + source_name(m.origin.source) + "\n";
  text += "number = " + std::to_string(m.origin.number) + "\n";
  text += "project_file = " + m.origin.project_file + "\n";
  text += "lvl_file = " + m.origin.lvl_file + "\n";
  text += "itm_file = " + m.origin.itm_file + "\n";
  for (int p = 0; p < RECOVERY_PARTS; ++p) {
    if (!m.parts[p]) continue;
    std::snprintf(line, sizeof line, " %u %08X\n", m.parts[p]->size, m.parts[p]->crc);
    text += std::string(PART_KEYS[p]) + " = " + m.parts[p]->name + line;
  }
  return text;
}

bool parse_recovery_manifest(const std::string& text, RecoveryManifest& out, std::string& why) {
  if (text.size() > MANIFEST_LIMIT) return refuse(why, "the manifest is too large");
  std::istringstream in(text);
  std::string line;
  if (!std::getline(in, line) || line != MANIFEST_FIRST_LINE) return refuse(why, "the manifest has no valid header");
  std::map<std::string, std::string> values;
  while (std::getline(in, line)) {
    const size_t eq = line.find(" = ");
    // "key =" with nothing after it is an empty value.
    const bool empty_value = eq == std::string::npos && line.size() > 2 && line.compare(line.size() - 2, 2, " =") == 0;
    if (eq == std::string::npos && !empty_value) return refuse(why, "the manifest line \"" + line + "\" is not key = value");
    const std::string key = line.substr(0, empty_value ? line.size() - 2 : eq);
    if (!values.emplace(key, empty_value ? "" : line.substr(eq + 3)).second)
      return refuse(why, "the manifest names " + key + " twice");
  }
  if (!text.empty() && text.back() != '\n') return refuse(why, "the manifest is cut off");
  RecoveryManifest m;
  auto take = [&](const char* key, std::string& to) {
    auto it = values.find(key);
    if (it == values.end()) return false;
    to = it->second;
    values.erase(it);
    return true;
  };
  std::string time, origin, number;
  if (!take("time", time) || !take("origin", origin) || !take("number", number) ||
      !take("project_file", m.origin.project_file) || !take("lvl_file", m.origin.lvl_file) ||
      !take("itm_file", m.origin.itm_file))
    return refuse(why, "the manifest is incomplete");
  uint64_t v;
  if (!parse_unsigned(time, INT64_MAX, v)) return refuse(why, "the manifest's time \"" + time + "\" is not valid");
  m.time = static_cast<int64_t>(v);
  if (origin == "rom") m.origin.source = LevelSource::RomMap;
  else if (origin == "project") m.origin.source = LevelSource::ProjectLevel;
  else return refuse(why, "the manifest names no level origin");
  if (!parse_unsigned(number, 255, v)) return refuse(why, "the manifest's number \"" + number + "\" is not valid");
  m.origin.number = static_cast<uint8_t>(v);
  if (m.origin.source == LevelSource::ProjectLevel && m.origin.project_file.empty())
    return refuse(why, "the manifest names no project file");
  for (int p = 0; p < RECOVERY_PARTS; ++p) {
    std::string value;
    if (!take(PART_KEYS[p], value)) continue;
    // "<file> <size> <crc>"; the file name is one of ours and holds no spaces.
    std::istringstream fields(value);
    std::string name, size, crc, rest;
    fields >> name >> size >> crc;
    uint64_t s, c;
    if (!plain_name(name) || !parse_unsigned(size, UINT32_MAX, s) || crc.size() != 8 ||
        !parse_unsigned(crc, UINT32_MAX, c, 16) || (fields >> rest))
      return refuse(why, std::string("the manifest's ") + PART_KEYS[p] + " entry is not valid");
    m.parts[p] = RecoveryManifest::File{name, static_cast<uint32_t>(s), static_cast<uint32_t>(c)};
  }
  if (!values.empty()) return refuse(why, "the manifest has an unknown line \"" + values.begin()->first + "\"");
  if (!m.parts[0] && !m.parts[1] && !m.parts[2]) return refuse(why, "the manifest names no unsaved part");
  out = std::move(m);
  return true;
}

bool build_recovery_blocks(const LayoutPlane* front, const LayoutPlane* back, const ChunkMap* chunks,
                           RecoveryBlocks& out, std::string& why) {
  RecoveryBlocks blocks;
  if (front && !build_layout_block(*front, blocks[RECOVERY_FRONT], why)) return false;
  if (back && !build_layout_block(*back, blocks[RECOVERY_BACK], why)) return false;
  if (chunks && !build_chunk_set_block(*chunks, blocks[RECOVERY_CHUNKS], why)) return false;
  out = std::move(blocks);
  return true;
}

bool write_recovery_snapshot(const std::string& dir, const LevelOrigin& origin, int64_t time,
                             const RecoveryBlocks& blocks, std::string& why, int step_limit) {
  if (has_line_break(origin.project_file) || has_line_break(origin.lvl_file) || has_line_break(origin.itm_file))
    return refuse(why, "a file name of the level holds a line break");
  std::error_code ec;
  fs::create_directories(dir, ec);
  if (ec) return refuse(why, "cannot create \"" + dir + "\": " + ec.message());
  // A generation above every file present, so no file of the snapshot on disk is touched.
  uint64_t generation = 0;
  for (const std::string& name : snapshot_entries(dir)) generation = std::max(generation, generation_of(name));
  ++generation;

  int steps = 0;
  auto stopped = [&] { return step_limit >= 0 && steps >= step_limit; };
  // One file: the temporary, then the rename; each counts as a step.
  auto put = [&](const std::string& name, const uint8_t* data, size_t size) {
    const std::string path = dir + "/" + name, tmp = path + ".tmp";
    if (stopped()) return false;
    // Not synced: a killed program leaves what it wrote in the system's cache, and the disk
    // waits would cost the editor several frames. After a power cut the checksums tell a
    // damaged snapshot from a whole one.
    if (!write_file_synced(tmp, data, size, &why, false)) {
      std::remove(tmp.c_str());
      return false;
    }
    ++steps;
    if (stopped()) return false;
    if (std::rename(tmp.c_str(), path.c_str()) != 0) {
      why = "cannot replace \"" + path + "\": " + std::strerror(errno);
      std::remove(tmp.c_str());
      return false;
    }
    ++steps;
    return true;
  };

  RecoveryManifest m;
  m.origin = origin;
  m.time = time;
  for (int p = 0; p < RECOVERY_PARTS; ++p) {
    if (blocks[p].empty()) continue;
    const std::vector<uint8_t> packed = pack_block(blocks[p]);
    if (packed.empty()) return refuse(why, "a block could not be packed");
    RecoveryManifest::File f{std::string(PART_KEYS[p]) + "-" + std::to_string(generation) + PART_EXTENSIONS[p],
                             static_cast<uint32_t>(packed.size()), crc32_of(packed.data(), packed.size())};
    if (!put(f.name, packed.data(), packed.size())) return false;
    m.parts[p] = f;
  }
  if (!m.parts[0] && !m.parts[1] && !m.parts[2]) return refuse(why, "nothing is unsaved");
  const std::string text = format_recovery_manifest(m);
  if (!put(RECOVERY_MANIFEST_NAME, reinterpret_cast<const uint8_t*>(text.data()), text.size())) return false;
  if (stopped()) return true;
  // The older snapshot's files and leftovers of cut-off writes.
  for (const std::string& name : snapshot_entries(dir)) {
    bool keep = name == RECOVERY_MANIFEST_NAME;
    for (const auto& part : m.parts) keep = keep || (part && part->name == name);
    if (!keep) fs::remove_all(dir + "/" + name, ec);
  }
  return true;
}

SnapshotState read_recovery_snapshot(const std::string& dir, RecoverySnapshot& out, std::string& why,
                                     Problem* unread) {
  if (snapshot_entries(dir).empty()) return SnapshotState::Absent;
  auto damaged = [&](const std::string& what) {
    why = what;
    return SnapshotState::Damaged;
  };
  Problem problem;
  auto not_read = [&] {
    if (unread) *unread = problem;
    return damaged("");
  };
  std::vector<uint8_t> bytes;
  const std::string manifest_path = dir + "/" + RECOVERY_MANIFEST_NAME;
  std::error_code ec;
  if (!fs::exists(manifest_path, ec)) return damaged("it has no manifest (its writing was cut off)");
  if (!read_whole_file(manifest_path, bytes, &problem, MANIFEST_LIMIT + 1)) return not_read();
  RecoveryManifest m;
  if (!parse_recovery_manifest(std::string(bytes.begin(), bytes.end()), m, why)) return SnapshotState::Damaged;
  RecoverySnapshot s;
  s.origin = m.origin;
  s.time = m.time;
  for (int p = 0; p < RECOVERY_PARTS; ++p) {
    if (!m.parts[p]) continue;
    const RecoveryManifest::File& f = *m.parts[p];
    const std::string path = dir + "/" + f.name;
    if (!fs::exists(path, ec)) return damaged("its file " + f.name + " is missing");
    if (!read_whole_file(path, bytes, &problem, PACKED_BLOCK_LIMIT)) return not_read();
    if (bytes.size() != f.size)
      return damaged("its file " + f.name + " holds " + std::to_string(bytes.size()) + " bytes, not " +
                     std::to_string(f.size));
    if (crc32_of(bytes.data(), bytes.size()) != f.crc) return damaged("its file " + f.name + " is damaged (checksum)");
    std::string error;
    if (p == RECOVERY_CHUNKS) {
      ChunkMap chunks;
      if (!LoadChunkSet(bytes.data(), bytes.size(), 0, chunks, error)) return damaged(f.name + ": " + error);
      s.chunks = std::move(chunks);
    } else {
      LayoutPlane plane;
      if (!LoadLevelBlock(bytes.data(), bytes.size(), 0, plane, error)) return damaged(f.name + ": " + error);
      (p == RECOVERY_FRONT ? s.front : s.back) = std::move(plane);
    }
  }
  out = std::move(s);
  return SnapshotState::Present;
}

void remove_recovery_snapshot(const std::string& dir) {
  std::error_code ec;
  fs::remove(dir + "/" + RECOVERY_MANIFEST_NAME, ec);
  for (const std::string& name : snapshot_entries(dir)) fs::remove_all(dir + "/" + name, ec);
  fs::remove(dir, ec);  // only when empty
}

bool move_recovery_snapshot_aside(const std::string& dir, const std::string& stamp, std::string& where,
                                  std::string& why) {
  const std::string base = dir + "/" + RECOVERY_DISCARDED_NAME + "/" + stamp;
  std::string target = base;
  std::error_code ec;
  for (int n = 2; fs::exists(target, ec); ++n) target = base + "-" + std::to_string(n);
  fs::create_directories(target, ec);
  if (ec) return refuse(why, "cannot create \"" + target + "\": " + ec.message());
  for (const std::string& name : snapshot_entries(dir)) {
    fs::rename(dir + "/" + name, target + "/" + name, ec);
    if (ec) return refuse(why, "cannot move \"" + name + "\" to \"" + target + "\": " + ec.message());
  }
  where = target;
  return true;
}
