#include <QApplication>

#include "solvi/app/SolviMain.h"

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    return norda::SolviMain(argc, argv);
}
