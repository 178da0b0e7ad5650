// Fuzzes the project text readers: key lookup and both descriptor parsers.
#include <cstddef>
#include <cstdint>
#include <string>

#include "files/project_files.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::string text(reinterpret_cast<const char*>(data), size);
  text.push_back('\n');
  ProjectMessages messages;
  std::string value;
  FindKey(text, "glb_project_file_version", value, &messages, "fuzz.glp");
  for (int t = 0; t < PROJECT_THEMES; t += 5) FindKey(text, theme_key(t), value, &messages, "fuzz.glp");
  parse_theme_descriptor(text, "fuzz.glt", messages);
  LevelRecord r = parse_level_descriptor(text, "fuzz.gll", messages);
  if (r.map_front.size() > PROJECT_FIELD_MAX) __builtin_trap();
  return 0;
}
