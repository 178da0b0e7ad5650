// Runners of the bps-create and bps-apply batch commands (argv[0] is the command name).
#pragma once

int run_bps_create(int argc, char** argv);
int run_bps_apply(int argc, char** argv);
