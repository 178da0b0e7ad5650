// The project loaded by LOAD PROJECT... or made by a project generation: LOAD LEVEL...
// reads its levels, the builds write it out, the chunk editor asks it which levels place a
// chunk. Empty until then.
#pragma once
#include "files/project_files.h"

extern ProjectTables project;
