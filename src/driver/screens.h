// The two screens that frame the start of a run: the splash box, shown for
// 1.5 seconds, and the title box that stays above the form.
#ifndef QB_DRIVER_SCREENS_H
#define QB_DRIVER_SCREENS_H

#include "driver/shared/program_state.h"
#include "platform/console.h"

namespace qb {

// Sets the 80 x 25 screen, draws the splash and sleeps 1.5 seconds.
void show_splash(Console& con);
// Clears the screen to light grey and draws the title box at rows 4 to 8.
void show_title_box(Console& con, ProgramState& state);

}  // namespace qb

#endif  // QB_DRIVER_SCREENS_H
