// Runners of the pack and unpack batch commands (argv[0] is the command name).
#pragma once

int run_pack(int argc, char** argv);
int run_unpack(int argc, char** argv);
