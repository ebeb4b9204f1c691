// The program's entry: hands the command line to the game's main routine.
// Where SDL 1.2 supplies its own main wrapper, its header renames main to
// SDL_main; this file is the platform's main, so the rename is undone here.
#include "includes.h"

#include <SDL.h>

#ifdef main
#undef main
#endif

int main(int argc, char *argv[]) {
  return SDL_main(argc, argv);
}
