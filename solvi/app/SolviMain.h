#pragma once

#include <cstdio>

namespace norda::solvi {

// Chooses Qt's platform before QApplication exists, from QT_QPA_PLATFORM, DISPLAY and
// WAYLAND_DISPLAY. Automatic mode runs where there is no display, as on a production
// server reached over ssh or started as a service: it falls back to the offscreen
// platform. The window needs a display; without one this says so in one line on `err`
// and returns false.
bool PrepareDisplay(bool autoMode, std::FILE* err);

// Around the construction of QApplication in window mode: a display that cannot be
// reached ends the program with one line and status 1 rather than an abort.
void CatchLostDisplay(bool on);

// The whole program from the command line to the exit code; QApplication must exist.
int SolviMain(int argc, char** argv);

}  // namespace norda::solvi
