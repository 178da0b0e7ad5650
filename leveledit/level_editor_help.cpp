// The help overlay: the help text over a darkening copy of the last frame.
#include "leveledit/level_editor.h"
#include "leveledit/level_view.h"
#include "ui/help_overlay.h"

const char* const LEVEL_EDITOR_HELP =
    "MOVE MOUSE CURSOR TO MOVE TILE SELECTOR.\n"
    "left click THE MOUSE TO STOP CAMERA OR SELECT THE TILE.\n"
    "left click NEAR OUTER EDGES TO INCREASE SCROLLING SPEED.\n"
    "ROLL THE mouse wheel TO ZOOM IN AND OUT.\n"
    "PRESS arrow KEYS TO SCROLL AT NORMAL SPEED.\n"
    "HOLD shift AND PRESS arrow KEYS TO SCROLL AT FAST SPEED.\n"
    "PRESS m TO SWITCH BETWEEN LAYOUT AND METABLOCK EDITING.\n"
    "PRESS THE tab KEY TO SWITCH BETWEEN FG AND BG EDITING.\n"
    "PRESS THE enter KEY TO SELECT THE TILE.\n"
    "PRESS THE delete KEY TO CLEAR THE TILE.\n"
    "PRESS pgup AND pgdn TO ZOOM IN AND OUT.\n"
    "HOLD ctrl AND PRESS THE tab KEY TO SHOW OR HIDE BACKGROUND.\n"
    "HOLD ctrl AND PRESS THE c KEY TO COPY THE TILE TO MEMORY.\n"
    "HOLD ctrl AND PRESS THE v KEY TO PASTE THE TILE FROM MEMORY.\n"
    "HOLD ctrl AND PRESS THE z KEY TO UNDO CHANGES.\n"
    "HOLD ctrl AND shift AND PRESS THE z KEY TO REDO CHANGES.\n"
    "PRESS THE f5 KEY TO SHOW OR HIDE CAMERA COORDINATES.\n"
    "PRESS THE f6 KEY TO SHOW OR HIDE MOUSE COORDINATES.\n"
    "PRESS THE f7 KEY TO SHOW OR HIDE UNIT COORDINATES.\n"
    "PRESS THE f9 KEY TO SHOW OR HIDE LAYER L.\n"
    "PRESS THE f10 KEY TO SHOW OR HIDE LAYER H.\n"
    "PRESS THE f11 KEY TO SHIFT THE LEVEL LAYOUT.\n"
    "PRESS THE f12 KEY TO SAVE A SCREEN CAPTURE.\n"
    "PRESS THE esc KEY TO RETURN TO THE MAIN MENU.\n"
    "\n"
    "metablock editing mode:\n"
    "HOLD ctrl AND PRESS THE m KEY TO MIRROR THE ENTIRE TILE.\n"
    "HOLD ctrl AND PRESS THE f KEY TO FLIP THE ENTIRE TILE.\n"
    "HOLD ctrl AND PRESS THE r KEY TO ROTATE THE ENTIRE TILE.\n";


void show_help_overlay(const char* text) {
  run_help_overlay_screen(text);
  help_requested = 0;
}
