// The program's one instance of each piece of state that the screens and the commands
// share. A library of its own (mf_state), so that the screens link to it without the commands.
#include "app/program_state.h"

#include "gamedata/level_state.h"
#include "render/view_state.h"
#include "ui/frame.h"
#include "ui/screen_state.h"
#include "ui/settings.h"

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

Settings settings;
int16_t& screen_width = settings.screen_width;
int16_t& screen_height = settings.screen_height;
uint8_t& full_screen = settings.full_screen;
uint8_t& vsync_enabled = settings.vsync_enabled;
int8_t& frame_skip = settings.frame_skip;
uint8_t& fps_counter_enabled = settings.fps_counter_enabled;
uint16_t& level_undo_size = settings.level_undo_size;
uint16_t& meta_undo_size = settings.meta_undo_size;
uint8_t& level_editor_modes = settings.level_editor_modes;
uint8_t& meta_editor_modes = settings.meta_editor_modes;
uint8_t& analysis_tool_modes = settings.analysis_tool_modes;
uint8_t& key_scroll_up = settings.key_scroll_up;
uint8_t& key_scroll_down = settings.key_scroll_down;
uint8_t& key_scroll_left = settings.key_scroll_left;
uint8_t& key_scroll_right = settings.key_scroll_right;
uint8_t& background_default = settings.background_default;
uint8_t& tips_enabled = settings.tips_enabled;
uint8_t& debug_info_flags = settings.debug_info_flags;

Display display(settings);
uint8_t& editor_mode = display.editor_mode;
uint8_t& menu_choice = display.menu_choice;
BitmapPtr& back_buffer = display.back_buffer;
BitmapPtr &layer_1 = display.layer_1, &layer_2 = display.layer_2, &layer_3 = display.layer_3,
          &layer_4 = display.layer_4;
BitmapPtr (*&make_screen_bitmap)(int w, int h) = display.make_screen_bitmap;
std::array<BitmapPtr, 256>& glyphs = display.glyphs;
BitmapPtr &cursor_arrow = display.cursor_arrow, &cursor_alt = display.cursor_alt;
FramePieces& frame_pieces = display.frame_pieces;
BitmapPtr &frame_top_left = frame_pieces.top_left, &frame_top_right = frame_pieces.top_right;
BitmapPtr &frame_bottom_left = frame_pieces.bottom_left, &frame_bottom_right = frame_pieces.bottom_right;
BitmapPtr &frame_top = frame_pieces.top, &frame_bottom = frame_pieces.bottom;
BitmapPtr &frame_left = frame_pieces.left, &frame_right = frame_pieces.right;
BitmapPtr &swatch_red = display.swatch_red, &swatch_green = display.swatch_green, &swatch_blue = display.swatch_blue;
volatile int32_t& timer_ticks = display.timer_ticks;
volatile uint32_t& screen_ticks = display.screen_ticks;
volatile int32_t& frame_counter = display.frame_counter;
volatile uint32_t& frames_this_second = display.frames_this_second;
volatile uint8_t& fps_value = display.fps_value;
volatile int16_t& wheel_now = display.wheel_now;
volatile int16_t& wheel_before = display.wheel_before;
uint8_t& mouse_needs_polling = display.mouse_needs_polling;
uint8_t& click_event = display.click_event;
uint8_t& buttons_before = display.buttons_before;
std::string& text_entry = display.text_entry;
bool& number_prompt_cancelled = display.number_prompt_cancelled;

void frame_timer_tick() { advance_frame_timer(display); }

volatile int close_requested = 0;

void reset_program_state() {
  level_model = LevelModel();
  level_bitmaps = LevelBitmaps();
  level_changes = LevelChanges();
  level_origin = LevelOrigin();
  level_files = LevelFilePaths();
  project = ProjectTables();
  level_view.zoom = 0;
  level_view.camera_x = level_view.camera_y = 0;
  level_view.layers = 3;
  fast_scroll_latch = camera_state = help_requested = 0;
  layer_visibility = 0x7F;
  zoom_changed_at = 0;
  zoom_repeat_count = zoom_repeat_step = 0;
  display.editor_mode = display.menu_choice = 0;
  display.timer_ticks = display.frame_counter = 0;
  display.screen_ticks = display.frames_this_second = 0;
  display.fps_value = 0;
  display.wheel_now = display.wheel_before = 0;
  display.click_event = display.buttons_before = 0;
  display.text_entry.clear();
  display.number_prompt_cancelled = false;
  close_requested = 0;
}
