#include "app/file_choice.h"

#include "ui/file_selector.h"

std::function<bool(const char*, const char*, std::string&)> file_selector_hook;

bool open_file_selector(const char* title, const char* extensions, std::string& path, int path_size) {
  if (file_selector_hook) return file_selector_hook(title, extensions, path);
  return select_file(title, extensions, path, path_size);
}
