// The program's words for what the routines of files/ report (files/problem.h): every
// "ERROR: ..." text of reading, generating and building a project, and of packing files.
#pragma once
#include <string>
#include <vector>

#include "files/problem.h"
#include "files/project_files.h"

std::string problem_text(const Problem& problem);
// Every collected problem worded, in order.
std::vector<std::string> problem_texts(const ProjectMessages& messages);
