#pragma once

namespace norda::solvi {

// The whole program from the command line to the exit code; QApplication must exist.
int SolviMain(int argc, char** argv);

}  // namespace norda::solvi
