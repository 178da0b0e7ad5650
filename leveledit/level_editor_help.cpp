// The help overlay: the help text over a darkening copy of the last frame.
#include "leveledit/level_editor.h"
#include "render/view_state.h"
#include "ui/help_overlay.h"
#include "ui/screen_state.h"

// Lower-case words name keys (the font draws them in the second ink); a test compares
// them with the keys the screen reads.
const char* const LEVEL_EDITOR_HELP =
    "MOVE THE MOUSE TO SCROLL. left click TO STOP THE CAMERA OR SELECT.\n"
    "left click NEAR THE OUTER EDGES TO SCROLL FASTER.\n"
    "PRESS arrow KEYS TO SCROLL. HOLD shift TO SCROLL FASTER.\n"
    "ROLL THE mouse wheel OR PRESS pgup AND pgdn TO ZOOM. home: 100 PERCENT.\n"
    "PRESS tab TO SWITCH BETWEEN FG AND BG. ctrl AND tab: SHOW OR HIDE BG.\n"
    "PRESS m TO SWITCH BETWEEN LAYOUT AND METABLOCK EDITING.\n"
    "HOLD ctrl AND PRESS comma OR full stop TO PICK AMONG THE OBJECTS HERE.\n"
    "left drag TO MOVE THE OBJECT OR MARKER. PRESS f4 TO SNAP TO THE GRID.\n"
    "PRESS plus OR minus TO STEP THE VALUE. star OR slash: 16 STEPS.\n"
    "PRESS tilde TO FLIP THE CHUNK OR THE BLOCK.\n"
    "PRESS n OR shift AND n: NEXT OR PREVIOUS PLACEMENT. h: FRAME ALL OF THE CHUNK.\n"
    "HOLD ctrl AND PRESS plus OR minus TO DRAW THE CHUNK LATER OR EARLIER.\n"
    "HOLD ctrl AND PRESS star OR slash TO DRAW THE CHUNK LAST OR FIRST.\n"
    "PRESS comma OR full stop TO CHOOSE THE PANEL LINE.\n"
    "PRESS insert OR i TO INSERT A CHUNK UNDER THE CURSOR.\n"
    "HOLD ctrl AND PRESS insert OR i TO INSERT AN OBJECT BY NUMBER.\n"
    "PRESS delete TO DELETE THE OBJECT. METABLOCK MODE: CLEAR THE BLOCK.\n"
    "HOLD ctrl AND left click TO ADD THE OBJECT TO THE GROUP OR TAKE IT OUT.\n"
    "HOLD shift AND left drag TO SELECT A RECTANGLE. ctrl AND shift: ADD IT.\n"
    "HOLD ctrl AND PRESS a TO SELECT ALL. left click ON NOTHING: SELECT NONE.\n"
    "left drag A SELECTED OBJECT TO MOVE THE GROUP. delete: DELETE THE GROUP.\n"
    "HOLD ctrl AND PRESS c x v OR d TO COPY CUT PASTE OR DUPLICATE THE GROUP.\n"
    "PRESS enter ON THE NAME OF A MARKER TO RENAME IT.\n"
    "HOLD 7 8 OR 9 ON A BLOCK OBJECT TO SHOW ITS EFFECT IN A MESSAGE BOX.\n"
    "HOLD ctrl AND PRESS z TO UNDO.\n"
    "HOLD ctrl AND shift AND PRESS z OR HOLD ctrl AND PRESS y TO REDO.\n"
    "PRESS f5 f6 OR f7 TO SHOW OR HIDE CAMERA MOUSE OR UNIT COORDINATES.\n"
    "PRESS f9 OR f10 TO SHOW OR HIDE LAYER L OR H.\n"
    "PRESS f8 TO BUILD THE PROJECT AND PLAY IT IN AN EMULATOR.\n"
    "PRESS f1 FOR HELP. PRESS esc TO RETURN TO THE MAIN MENU.\n";


void show_help_overlay(const char* text) {
  run_help_overlay_screen(display, text);
  help_requested = 0;
}
