#include "app/pack_commands.h"

#include <cstdint>
#include <string>

#include "app/problem_text.h"
#include "files/pack_commands.h"
#include "files/pp20.h"
#include "ui/messages.h"

int run_pack(int argc, char** argv) {
  if (argc != 3) {
    report_error("ERROR: Usage: mossforge pack IN OUT");
    return 1;
  }
  Problem problem;
  if (!pack_file(argv[1], argv[2], &problem)) {
    report_error(problem_text(problem));
    return 1;
  }
  return 0;
}

int run_unpack(int argc, char** argv) {
  uint64_t offset = 0;
  if (argc < 3 || argc > 4 || (argc == 4 && !parse_file_offset(argv[3], offset))) {
    report_error("ERROR: Usage: mossforge unpack IN OUT [OFFSET]  (OFFSET decimal or 0x-hexadecimal)");
    return 1;
  }
  pp20_set_trace(stdout);  // with the program's other traces; stderr holds errors only
  Problem problem;
  if (!unpack_file(argv[1], argv[2], offset, &problem)) {
    report_error(problem_text(problem));
    return 1;
  }
  return 0;
}
