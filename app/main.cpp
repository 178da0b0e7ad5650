// Entry point: batch commands when arguments are given, the editor otherwise.
#include "app/batch.h"
#include "app/start_up.h"

int main(int argc, char** argv) {
  if (argc > 1) return run_batch(argc, argv);
  start_up();
  return 0;
}
