#pragma once

namespace norda {

// The whole program from the command line to the exit code; QApplication must exist.
int SolviMain(int argc, char** argv);

}  // namespace norda
