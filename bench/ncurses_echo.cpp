// A minimal ncurses program for the benchmark's side-by-side figure: a
// light grey screen with one prompt at row 12, column 6, that echoes each
// typed character in green at the end of the answer, one refresh per key,
// as the program's line editor does. Enter ends it.
#include <curses.h>

// Draws the prompt and echoes keys until Enter.
int main() {
  initscr();
  raw();
  noecho();
  nonl();
  start_color();
  init_pair(1, COLOR_BLACK, COLOR_WHITE);  // curses' "white" is the console's light grey
  init_pair(2, COLOR_GREEN, COLOR_WHITE);
  bkgd(COLOR_PAIR(1));
  clear();
  mvaddstr(11, 5, "> Your source code: ");
  refresh();
  attrset(COLOR_PAIR(2));
  for (int key = getch(); key != '\r' && key != '\n' && key != ERR; key = getch()) {
    addch(static_cast<chtype>(key));
    refresh();
  }
  endwin();
  return 0;
}
