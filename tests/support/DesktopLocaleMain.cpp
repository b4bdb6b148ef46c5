// Test main for the libraries that the programs run under the desktop's locale: it
// takes the locale from the environment as QApplication does, so running the suite
// under LANG=tr_TR.UTF-8 puts the C library's case and number rules of a Turkish
// desktop under these tests too.
#include <gtest/gtest.h>

#include <clocale>

int main(int argc, char** argv) {
    std::setlocale(LC_ALL, "");
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
