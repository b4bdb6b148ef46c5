#include <clocale>
#include <cstdio>

#include <QApplication>

#include "solvi/app/CommandLine.h"
#include "solvi/app/SolviMain.h"

int main(int argc, char** argv) {
    // Answered before any window system is asked for, so they work on a bare console.
    const norda::solvi::CommandLine line = norda::solvi::ParseCommandLine({argv + 1, argv + argc});
    if (line.request != norda::solvi::CommandLine::Request::Run)
        return norda::solvi::AnswerCommandLine(line, stdout, stderr);
    if (!norda::solvi::PrepareDisplay(line.autoMode, stderr))
        return 1;
    norda::solvi::CatchLostDisplay(!line.autoMode);
    QApplication application(argc, argv);
    norda::solvi::CatchLostDisplay(false);
    // Qt has given the C library the desktop's locale; numbers keep their ".".
    std::setlocale(LC_NUMERIC, "C");
    return norda::solvi::SolviMain(argc, argv);
}
