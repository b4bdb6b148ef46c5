#include <clocale>

#include <QApplication>

#include "solvi/app/SolviMain.h"

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    // Qt has given the C library the desktop's locale; numbers keep their ".".
    std::setlocale(LC_NUMERIC, "C");
    return norda::SolviMain(argc, argv);
}
