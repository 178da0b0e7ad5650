// Runner of the init-workspace batch command (argv[0] is the command name).
#pragma once

int run_init_workspace(int argc, char** argv);
