#include "app/workspace_command.h"

#include <string>

#include "app/problem_text.h"
#include "files/installed_data.h"
#include "ui/messages.h"

int run_init_workspace(int argc, char** argv) {
  if (argc != 2) {
    report_error("ERROR: Usage: mossforge init-workspace DIR");
    return 1;
  }
  const std::string dir = argv[1];
  const std::string data_dir = installed_data_dir();
  Problem problem;
  if (!init_workspace(dir, data_dir.empty() ? data_dir : data_dir + "/master", &problem)) {
    report_error(problem_text(problem));
    return 1;
  }
  show_message(format_text("WROTE %s/master (the sample game). Start the editor there: cd %s && mossforge",
                           dir.c_str(), dir.c_str()));
  return 0;
}
