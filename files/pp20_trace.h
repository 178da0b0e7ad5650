// Where the two trace lines of pp20_load ("pp20_size = ...", "raw_data.size = ...") go;
// nullptr = silent. Defaults to stdout. The batch commands and the tests switch it.
#pragma once
#include <cstdio>

extern FILE* pp20_trace;
