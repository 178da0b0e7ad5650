#include "ui/file_selector.h"

#include <allegro.h>

#include <vector>

std::function<bool(const char*, const char*, std::string&)> file_selector_hook;

bool select_file(const char* title, const char* extensions, std::string& path, int path_size) {
  if (file_selector_hook) return file_selector_hook(title, extensions, path);
  if (!screen) return false;
  std::vector<char> buffer(static_cast<size_t>(path_size) + 1, '\0');
  path.copy(buffer.data(), static_cast<size_t>(path_size));
  const bool chosen = file_select_ex(title, buffer.data(), extensions, path_size, 400, 300) != 0;
  path = buffer.data();
  return chosen;
}
