#include "gamedata/loaded_project.h"

ProjectTables project;
