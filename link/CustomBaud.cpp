// termios2 lives in the kernel's own headers, which clash with the C
// library's <termios.h>; keeping it in a file of its own keeps them apart.
#include <asm/ioctls.h>
#include <asm/termbits.h>

#include <cstdint>

extern "C" int ioctl(int fd, unsigned long request, ...);

namespace norda::detail {

// Sets an arbitrary speed in both directions; the granted speed (drivers
// round to what their divider can make) goes to *granted. 0 or -1.
int ApplyCustomBaud(int fd, int32_t baud, int32_t* granted) {
    struct termios2 tio {};
    if (ioctl(fd, TCGETS2, &tio) != 0) {
        return -1;
    }
    tio.c_cflag &= ~(CBAUD | (CBAUD << IBSHIFT));
    tio.c_cflag |= BOTHER | (BOTHER << IBSHIFT);
    tio.c_ispeed = static_cast<speed_t>(baud);
    tio.c_ospeed = static_cast<speed_t>(baud);
    if (ioctl(fd, TCSETS2, &tio) != 0 || ioctl(fd, TCGETS2, &tio) != 0) {
        return -1;
    }
    *granted = static_cast<int32_t>(tio.c_ospeed);
    return 0;
}

}  // namespace norda::detail
