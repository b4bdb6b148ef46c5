#include "link/TermiosStream.h"

#include <fcntl.h>
#include <linux/serial.h>
#include <poll.h>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <termios.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <string>

namespace norda {

namespace detail {
int ApplyCustomBaud(int fd, int32_t baud, int32_t* granted);
}

namespace {

speed_t StandardSpeed(int32_t baud) {
    switch (baud) {
        case 300:
            return B300;
        case 600:
            return B600;
        case 1200:
            return B1200;
        case 1800:
            return B1800;
        case 2400:
            return B2400;
        case 4800:
            return B4800;
        case 9600:
            return B9600;
        case 19200:
            return B19200;
        case 38400:
            return B38400;
        case 57600:
            return B57600;
        case 115200:
            return B115200;
        default:
            return B0;
    }
}

// A driver that rounds further than this has not given the speed asked for.
bool CloseEnough(int32_t asked, int32_t granted) {
    const int64_t diff = static_cast<int64_t>(asked) - granted;
    return (diff < 0 ? -diff : diff) * 100 <= static_cast<int64_t>(asked) * 3;
}

}  // namespace

std::string PortsDirectory() {
    if (const char* ports = std::getenv("NORDA_PORTS"); ports != nullptr && *ports != '\0')
        return ports;
    if (const char* home = std::getenv("HOME"); home != nullptr && *home != '\0')
        return std::string(home) + "/.config/norda/ports";
    return {};
}

std::string PortDevicePath(int portNumber) {
    if (const std::string dir = PortsDirectory(); !dir.empty()) {
        // An entry that exists but leads nowhere is still the user's choice
        // for this number; opening it fails rather than reaching some ttyS.
        const std::string entry = dir + "/com" + std::to_string(portNumber);
        struct stat st {};
        if (lstat(entry.c_str(), &st) == 0) {
            return entry;
        }
    }
    return "/dev/ttyS" + std::to_string(portNumber - 1);
}

TermiosStream::~TermiosStream() {
    Close();
}

Status TermiosStream::Fail(Status result, int error) {
    failure_ = error;
    return result;
}

std::string TermiosStream::FailureReason() const {
    if (failure_ == 0)
        return {};
    return path_ + ": " + std::strerror(failure_);
}

Status TermiosStream::Open(int portNumber) {
    Close();
    failure_ = 0;
    if (portNumber < 1) {
        return Status::CannotOpen;
    }
    path_ = PortDevicePath(portNumber);
    return OpenPath();
}

Status TermiosStream::OpenSameDevice(int portNumber) {
    if (path_.empty())
        return Open(portNumber);
    Close();
    failure_ = 0;
    return OpenPath();
}

Status TermiosStream::OpenPath() {
    const int fd = ::open(path_.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        return Fail(Status::CannotOpen, errno);
    }
    // flock also keeps out programs that would get past TIOCEXCL (root does).
    if (!isatty(fd)) {
        ::close(fd);
        return Fail(Status::CannotOpen, ENOTTY);
    }
    if (flock(fd, LOCK_EX | LOCK_NB) != 0) {
        // Held by another program: "busy" says it better than "try again".
        const int error = errno == EWOULDBLOCK ? EBUSY : errno;
        ::close(fd);
        return Fail(Status::CannotOpen, error);
    }
    ioctl(fd, TIOCEXCL);
    fd_ = fd;
    return Status::Ok;
}

Status TermiosStream::Configure(int32_t baud, HandshakeMode handshake) {
    if (fd_ < 0) {
        return Status::SettingsRefused;
    }
    struct termios t {};
    if (tcgetattr(fd_, &t) != 0) {
        return Status::SettingsRefused;
    }
    cfmakeraw(&t);
    t.c_cflag &= ~(CSIZE | PARENB | CSTOPB | CRTSCTS);
    t.c_cflag |= CS8 | CREAD | CLOCAL;
    t.c_iflag &= ~(IXON | IXOFF | IXANY);
    if (handshake == HandshakeMode::Hardware) {
        t.c_cflag |= CRTSCTS;
    } else if (handshake == HandshakeMode::XonXoff) {
        t.c_iflag |= IXON | IXOFF;
        t.c_cc[VSTART] = 0x11;
        t.c_cc[VSTOP] = 0x13;
    }
    t.c_cc[VMIN] = 0;
    t.c_cc[VTIME] = 0;
    const speed_t standard = StandardSpeed(baud);
    // Non-standard speeds are set on top of otherwise complete settings.
    const speed_t base = standard != B0 ? standard : B9600;
    if (cfsetispeed(&t, base) != 0 || cfsetospeed(&t, base) != 0 ||
        tcsetattr(fd_, TCSANOW, &t) != 0) {
        return Fail(Status::SettingsRefused, errno);
    }
    if (standard == B0) {
        int32_t granted = 0;
        if (detail::ApplyCustomBaud(fd_, baud, &granted) != 0 || !CloseEnough(baud, granted)) {
            return Fail(Status::SettingsRefused, EINVAL);
        }
    }
    // Radios take their power-on cue from the modem lines; not every device has them.
    int lines = TIOCM_DTR | TIOCM_RTS;
    ioctl(fd_, TIOCMBIS, &lines);
    RememberErrorCounters();
    return Status::Ok;
}

void TermiosStream::Close() {
    if (fd_ < 0) {
        return;
    }
    ioctl(fd_, TIOCNXCL);
    ::close(fd_);
    fd_ = -1;
    countersKnown_ = false;
    inputAt_ = inputEnd_ = 0;
}

void TermiosStream::Purge(PurgeScope scope) {
    if (fd_ < 0) {
        return;
    }
    tcflush(fd_, scope == PurgeScope::Both ? TCIOFLUSH : TCOFLUSH);
    if (scope == PurgeScope::Both) {
        inputAt_ = inputEnd_ = 0;
    }
    RememberErrorCounters();
}

void TermiosStream::RememberErrorCounters() {
    struct serial_icounter_struct counters {};
    countersKnown_ = ioctl(fd_, TIOCGICOUNT, &counters) == 0;
    if (countersKnown_) {
        lastFrame_ = counters.frame;
        lastOverrun_ = counters.overrun;
        lastParity_ = counters.parity;
        lastBufferOverrun_ = counters.buf_overrun;
    }
}

bool TermiosStream::LineErrorSinceLastLook() {
    if (!countersKnown_) {
        return false;
    }
    struct serial_icounter_struct counters {};
    if (ioctl(fd_, TIOCGICOUNT, &counters) != 0) {
        return false;
    }
    const bool changed = counters.frame != lastFrame_ || counters.overrun != lastOverrun_ ||
                         counters.parity != lastParity_ ||
                         counters.buf_overrun != lastBufferOverrun_;
    lastFrame_ = counters.frame;
    lastOverrun_ = counters.overrun;
    lastParity_ = counters.parity;
    lastBufferOverrun_ = counters.buf_overrun;
    return changed;
}

Received TermiosStream::ReadByte(uint8_t* byte, uint32_t waitMs) {
    if (fd_ < 0) {
        return Received::Failed;
    }
    if (inputAt_ < inputEnd_) {
        *byte = input_[inputAt_++];
        return Received::Byte;
    }
    if (waitMs > 0) {
        struct pollfd p {
            fd_, POLLIN, 0
        };
        if (poll(&p, 1, static_cast<int>(waitMs)) < 0 && errno != EINTR) {
            return Received::Failed;
        }
    }
    const ssize_t n = ::read(fd_, input_.data(), input_.size());
    if (n > 0) {
        inputAt_ = 1;
        inputEnd_ = static_cast<size_t>(n);
        *byte = input_[0];
        return Received::Byte;
    }
    if (n < 0 && errno != EAGAIN && errno != EWOULDBLOCK && errno != EINTR) {
        // EIO, ENXIO, ENODEV: the adapter was unplugged or the far end is gone.
        failure_ = errno;
        return Received::Failed;
    }
    // With VMIN = VTIME = 0 an empty read and a hung-up line both read 0 bytes.
    struct pollfd p {
        fd_, POLLIN, 0
    };
    if (poll(&p, 1, 0) > 0 && (p.revents & (POLLHUP | POLLERR | POLLNVAL)) != 0) {
        failure_ = ENODEV;
        return Received::Failed;
    }
    return LineErrorSinceLastLook() ? Received::Failed : Received::Nothing;
}

Readiness TermiosStream::WaitReadable(uint32_t waitMs) {
    if (fd_ < 0) {
        return Readiness::CannotWait;
    }
    if (inputAt_ < inputEnd_) {
        return Readiness::Ready;
    }
    struct pollfd p {
        fd_, POLLIN, 0
    };
    const int n = poll(&p, 1, static_cast<int>(waitMs));
    if (n == 0 || (n < 0 && errno == EINTR)) {
        return Readiness::TimedOut;
    }
    // A hung-up or failed device polls ready for ever; the next read reports it.
    if (n < 0 || (p.revents & (POLLHUP | POLLERR | POLLNVAL)) != 0) {
        return Readiness::CannotWait;
    }
    return Readiness::Ready;
}

Status TermiosStream::Write(const uint8_t* data, size_t length, uint32_t timeoutMs) {
    if (fd_ < 0) {
        return Status::WriteFailed;
    }
    using std::chrono::steady_clock;
    const auto deadline = steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    size_t done = 0;
    while (done < length) {
        const ssize_t n = ::write(fd_, data + done, length - done);
        if (n > 0) {
            done += static_cast<size_t>(n);
            continue;
        }
        if (n < 0 && errno != EAGAIN && errno != EWOULDBLOCK && errno != EINTR) {
            return Status::WriteFailed;
        }
        const auto left =
            std::chrono::duration_cast<std::chrono::milliseconds>(deadline - steady_clock::now())
                .count();
        if (left <= 0) {
            break;
        }
        struct pollfd p {
            fd_, POLLOUT, 0
        };
        if (poll(&p, 1, static_cast<int>(left)) > 0 &&
            (p.revents & (POLLHUP | POLLERR | POLLNVAL)) != 0) {
            return Status::WriteFailed;
        }
    }
    return done == length ? Status::Ok : Status::WriteFailed;
}

}  // namespace norda
