// mossforge render MAP OUT.png [--zoom Z]: imports a map from the ROM image as the menu
// command does and writes a picture of its front plane over its back plane, with the
// object icons and, on the map screen, the markers.
#pragma once

int run_render_command(int argc, char** argv);
