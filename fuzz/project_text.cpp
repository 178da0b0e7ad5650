// Fuzzes the project text readers: key lookup and both descriptor parsers, and checks what
// they return against the rules of the format (values of at most 31 characters, one line).
#include <cstddef>
#include <cstdint>
#include <string>

#include "app/problem_text.h"
#include "files/project_files.h"

namespace {

void check_value(const std::string& v) {
  if (v.size() > PROJECT_FIELD_MAX || v.find('\n') != std::string::npos) __builtin_trap();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::string text(reinterpret_cast<const char*>(data), size);
  text.push_back('\n');
  ProjectMessages messages;
  std::string value;
  if (FindKey(text, "glb_project_file_version", value, &messages, "fuzz.glp") == 0) check_value(value);
  for (int t = 0; t < PROJECT_THEMES; t += 5)
    if (FindKey(text, theme_key(t), value, &messages, "fuzz.glp") == 0) check_value(value);
  for (int l = 0; l < PROJECT_LEVELS; l += 37)
    if (FindKey(text, level_key(l), value, &messages, "fuzz.glp") == 0) check_value(value);
  // The key of the input's first line, as a user's own key would be.
  const std::string key = text.substr(0, text.find_first_of("=\n"));
  if (FindKey(text, key, value, &messages, "fuzz.glp") == 0) check_value(value);

  const ThemeRecord t = parse_theme_descriptor(text, "fuzz.glt", messages);
  for (const std::string* f : {&t.chunkmap, &t.graphics, &t.patterns, &t.blockmap, &t.solidity}) check_value(*f);
  const LevelRecord r = parse_level_descriptor(text, "fuzz.gll", messages);
  for (const std::string* f : {&r.map_front, &r.map_back, &r.palette_main, &r.palette_front, &r.palette_back,
                               &r.palette_flash})
    check_value(*f);
  for (const std::string& m : problem_texts(messages))
    if (m.rfind("ERROR: ", 0) != 0) __builtin_trap();
  directory_of(key);
  return 0;
}
