// The program's words for what the routines of files/ report (files/problem.h): every
// "ERROR: ..." text of reading, generating and building a project, and of packing files.
#pragma once
#include <string>

#include "files/problem.h"

std::string problem_text(const Problem& problem);
