// printf-style formatting into a std::string.
#pragma once
#include <string>

std::string format_text(const char* fmt, ...) __attribute__((format(printf, 1, 2)));
