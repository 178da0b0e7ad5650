// The program's one instance of each piece of state that the screens and the commands
// share. A library of its own (mf_state), so that the screens link to it without the commands.
#include "gamedata/level_state.h"
#include "render/view_state.h"

LevelModel level_model;
MapHeader& map_header = level_model.map_header;
LayoutPlane& front_layout = level_model.front_layout;
LayoutPlane& back_layout = level_model.back_layout;
ChunkMap& chunkmap = level_model.chunkmap;
Palettes& palettes = level_model.palettes;
PatternSet& level_patterns = level_model.level_patterns;
PatternSet& common_patterns = level_model.common_patterns;
PatternSet& moon_patterns = level_model.moon_patterns;
PatternSet& pickup_patterns = level_model.pickup_patterns;
PatternSet& block_type_patterns = level_model.block_type_patterns;
PatternSet& large_object_patterns = level_model.large_object_patterns;
PatternSet& marker_patterns = level_model.marker_patterns;
BlockMap& common_blockmap = level_model.common_blockmap;
BlockMap& level_blockmap = level_model.level_blockmap;
std::vector<Marker>& markers = level_model.markers;
int32_t& marker_count = level_model.marker_count;
std::vector<BlockType>& block_types = level_model.block_types;
int32_t& block_type_count = level_model.block_type_count;

LevelBitmaps level_bitmaps;
std::array<BitmapPtr, BLOCK_SLOTS>& block_bitmaps = level_bitmaps.block_bitmaps;
std::array<BitmapPtr, CHUNK_SLOTS>& chunk_bitmaps = level_bitmaps.chunk_bitmaps;
std::vector<BitmapPtr>& chunk_thumbnails = level_bitmaps.chunk_thumbnails;
int32_t& chunk_thumbnail_count = level_bitmaps.chunk_thumbnail_count;
std::array<BitmapPtr, PICKUP_TYPE_COUNT>& pickup_icons = level_bitmaps.pickup_icons;
std::array<BitmapPtr, BLOCK_TYPE_ICON_COUNT>& block_type_icons = level_bitmaps.block_type_icons;
std::array<BitmapPtr, 2>& block_type_large_icons = level_bitmaps.block_type_large_icons;
std::array<BitmapPtr, 3>& large_object_frames = level_bitmaps.large_object_frames;
std::array<BitmapPtr, 3>& marker_icons_normal = level_bitmaps.marker_icons_normal;
std::array<BitmapPtr, 3>& marker_icons_secret = level_bitmaps.marker_icons_secret;
std::array<BitmapPtr, 3>& marker_icons_tunnel = level_bitmaps.marker_icons_tunnel;

LevelChanges level_changes;
uint8_t& level_changed_flags = level_changes.flags;
LevelOrigin level_origin;
LevelFilePaths level_files;
std::string& level_file_name = level_files.level_file_name;
std::string& chunkmap_file_name = level_files.chunkmap_file_name;
ProjectTables project;

void release_level_bitmaps() { level_bitmaps = LevelBitmaps(); }
void release_level_model() { level_model = LevelModel(); }

LevelView level_view{0, 0, 0, &level_model, &level_bitmaps};
int16_t& level_zoom = level_view.zoom;
int32_t& camera_x = level_view.camera_x;
int32_t& camera_y = level_view.camera_y;
uint8_t fast_scroll_latch = 0;
uint8_t camera_state = 0;
uint8_t layer_visibility = 0x7F;
int32_t zoom_changed_at = 0;
int16_t zoom_repeat_count = 0, zoom_repeat_step = 0;
uint8_t help_requested = 0;
