// Batch commands of the mossforge binary, for scripting and CI.
#pragma once

// Runs the command named by argv[1]; returns the process exit status.
int run_batch(int argc, char** argv);
