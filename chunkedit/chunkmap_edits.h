// The tile selector's edits of the chunkmap itself. They never renumber chunks, so the
// chunk numbers that layout placements hold keep naming the same chunks.
#pragma once
#include <string>

#include "files/level_records.h"
#include "files/project_files.h"

// Object codes can name chunks 0..511 only, so the chunkmap never grows past 512.
constexpr int MAX_EDITABLE_CHUNKS = 512;

// Appends an empty 1x1 chunk; returns its number, or -1 when the chunkmap is full.
int append_empty_chunk(ChunkMap& map);

// Whether a chunk placement of the plane names chunk i.
bool chunk_placed_in(const LayoutPlane& plane, int i);

// Why chunk i cannot be removed, as the message shown to the user; empty when it can:
// only the last chunk, not the only one, and not placed in either layout plane.
std::string chunk_removal_refusal(const ChunkMap& map, const LayoutPlane& front, const LayoutPlane& back, int i);

// A chunk set belongs to a theme that several levels of a project share: the first level of
// tables whose front or back layout file places chunk i, among the levels whose front layout
// is of `theme`; -1 when none does (or no project is loaded). A layout file that cannot be
// read places nothing.
int project_level_placing(const ProjectTables& tables, int theme, int i);
