#include <cstdio>

int main() {
    std::puts("OMBRA: the desktop program is not built yet; see README.md for what is.");
    return 0;
}
