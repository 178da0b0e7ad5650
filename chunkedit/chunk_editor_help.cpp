#include "chunkedit/chunk_editor_help.h"

#include "render/view_state.h"
#include "ui/help_overlay.h"
#include "ui/screen_state.h"

// Lower-case words name keys (the font draws them in the second ink); a test compares
// them with the keys the editing screen reads.
const char* const CHUNK_EDITOR_HELP =
    "MOVE THE MOUSE UP OR DOWN TO SCROLL. left click TO STOP THE CAMERA.\n"
    "left click ON A BLOCK OR PRESS THE enter KEY TO SELECT THE BLOCK.\n"
    "PRESS up OR down TO SCROLL. HOLD shift TO SCROLL FASTER.\n"
    "ROLL THE mouse wheel OR PRESS pgup AND pgdn TO ZOOM. home: 100 PERCENT.\n"
    "PRESS THE delete KEY TO CLEAR THE BLOCK.\n"
    "HOLD ctrl AND left click TO MARK BLOCKS. enter FILLS THEM. esc UNMARKS.\n"
    "right click ON A BLOCK FOR THE BLOCK MENU.\n"
    "PRESS open OR close bracket TO NARROW OR WIDEN THE TILE.\n"
    "HOLD shift AND PRESS open OR close bracket TO SHORTEN OR HEIGHTEN IT.\n"
    "HOLD ctrl AND PRESS m TO MIRROR THE TILE. THE BLOCKS KEEP THEIR ORIENTATION.\n"
    "HOLD ctrl AND PRESS THE f KEY TO FLIP THE ENTIRE TILE.\n"
    "HOLD ctrl AND PRESS THE r KEY TO ROTATE THE ENTIRE TILE.\n"
    "HOLD ctrl AND PRESS THE c KEY TO COPY THE BLOCK TO MEMORY.\n"
    "HOLD ctrl AND PRESS THE v KEY TO PASTE THE BLOCK FROM MEMORY.\n"
    "HOLD ctrl AND PRESS THE z KEY TO UNDO CHANGES.\n"
    "HOLD ctrl AND shift AND PRESS z OR HOLD ctrl AND PRESS y TO REDO.\n"
    "PRESS THE f9 KEY TO SHOW OR HIDE LAYER L.\n"
    "PRESS THE f10 KEY TO SHOW OR HIDE LAYER H.\n"
    "PRESS THE f12 KEY TO SAVE THE CURRENT TILE AS A PNG IMAGE.\n"
    "PRESS f1 FOR HELP. PRESS THE esc KEY TO RETURN TO THE TILE SELECTOR.\n";

const char* const TILE_SELECTOR_HELP =
    "MOVE MOUSE CURSOR TO SCROLL THROUGH THE TILES.\nleft click THE MOUSE TO SELECT THE TILE.\n"
    "left click NEAR OUTER EDGES TO INCREASE SCROLLING SPEED.\nROLL THE mouse wheel TO SCROLL THROUGH THE TILES.\n"
    "PRESS THE left arrow OR right arrow KEY TO SCROLL.\nHOLD shift WITH THEM TO SCROLL FASTER.\n"
    "PRESS THE enter KEY TO SELECT THE TILE.\nPRESS THE insert OR i KEY TO INSERT A NEW TILE.\n"
    "PRESS THE delete KEY TO CLEAR THE TILE.\nHOLD shift AND PRESS THE delete KEY TO DELETE THE TILE.\n"
    "HOLD ctrl AND PRESS THE c KEY TO COPY THE TILE TO MEMORY.\n"
    "HOLD ctrl AND PRESS THE v KEY TO PASTE THE TILE FROM MEMORY.\n"
    "PRESS THE slash KEY TO MANUALLY ENTER A TILE NUMBER.\n"
    "PRESS THE f12 KEY TO SAVE THE TILE AS A PNG IMAGE.\n"
    "PRESS f1 FOR HELP. PRESS THE esc KEY TO RETURN TO THE MAIN MENU.\n";

// The attribute keys of the block selector are 1 to 4; they are named here in place of
// letter keys the selector does not have.
const char* const BLOCK_SELECTOR_HELP =
    "MOVE MOUSE CURSOR TO SCROLL THROUGH THE BLOCKS.\nleft click THE MOUSE TO SELECT THE BLOCK.\n"
    "left click NEAR OUTER EDGES TO INCREASE SCROLLING SPEED.\nROLL THE mouse wheel TO SCROLL THROUGH THE BLOCKS.\n"
    "PRESS THE left arrow OR right arrow KEY TO SCROLL.\nHOLD shift WITH THEM TO SCROLL FASTER.\n"
    "PRESS THE enter KEY TO SELECT THE BLOCK.\nPRESS THE 1 KEY TO TOGGLE THE NOC BITS OF THE BLOCK.\n"
    "PRESS THE 2 KEY TO FLIP THE BLOCK.\nPRESS THE 3 KEY TO TOGGLE THE COL BIT OF THE BLOCK.\n"
    "PRESS THE 4 KEY TO TOGGLE THE PRI BIT OF THE BLOCK.\n"
    "PRESS THE space KEY TO SHOW OR HIDE THE SELECTION BAR.\n"
    "PRESS THE slash KEY TO MANUALLY ENTER A BLOCK NUMBER.\n"
    "PRESS f1 FOR HELP. PRESS THE esc KEY TO CANCEL.\n";

void run_help_overlay(const char* text) {
  help_requested = 1;
  run_help_overlay_screen(display, text);
  help_requested = 0;
}
