#include "app/patch_commands.h"

#include <string>

#include "app/problem_text.h"
#include "files/bps_patch.h"
#include "ui/messages.h"

int run_bps_create(int argc, char** argv) {
  if (argc != 4) {
    report_error("ERROR: Usage: mossforge bps-create SOURCE TARGET OUT.bps");
    return 1;
  }
  Problem problem;
  size_t size = 0;
  if (!create_patch_file(argv[1], argv[2], argv[3], problem, &size)) {
    report_error(problem_text(problem));
    return 1;
  }
  show_message("WROTE " + std::string(argv[3]) + " (" + std::to_string(size) + " BYTES)");
  return 0;
}

int run_bps_apply(int argc, char** argv) {
  if (argc != 4) {
    report_error("ERROR: Usage: mossforge bps-apply SOURCE PATCH OUT");
    return 1;
  }
  Problem problem;
  if (!apply_patch_file(argv[1], argv[2], argv[3], problem)) {
    report_error(problem_text(problem));
    return 1;
  }
  show_message("WROTE " + std::string(argv[3]));
  return 0;
}
