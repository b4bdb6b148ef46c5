#include "tools/radiosim/PtyServer.h"

#include <fcntl.h>
#include <poll.h>
#include <sys/stat.h>
#include <termios.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <cstring>

namespace norda::sim {

namespace {

// Leaves a pty raw whatever the programmer's side did to it last time.
void MakeRaw(int fd) {
    termios tio{};
    if (tcgetattr(fd, &tio) != 0)
        return;
    cfmakeraw(&tio);
    tio.c_cflag |= CLOCAL | CREAD;
    tcsetattr(fd, TCSANOW, &tio);
}

int MakeDirs(const std::string& dir) {
    std::string partial;
    for (size_t pos = 0; pos != std::string::npos;) {
        pos = dir.find('/', pos + 1);
        partial = dir.substr(0, pos);
        if (partial.empty())
            continue;
        if (mkdir(partial.c_str(), 0755) != 0 && errno != EEXIST)
            return -errno;
    }
    return 0;
}

}  // namespace

PtyServer::PtyServer(Clock& clock, std::string portsDir, std::FILE* wireLog)
    : clock_(clock), portsDir_(std::move(portsDir)), log_(wireLog), startTick_(clock.TickCount()) {
    if (pipe(wake_) == 0) {
        for (int fd : wake_)
            fcntl(fd, F_SETFL, fcntl(fd, F_GETFL) | O_NONBLOCK);
    }
}

PtyServer::~PtyServer() {
    for (Port& port : ports_) {
        FlushOutputLog(port);
        // Only take away a link that still names our device.
        char target[256];
        ssize_t n = readlink(port.link.c_str(), target, sizeof target - 1);
        if (n > 0) {
            target[n] = '\0';
            if (port.device == target)
                unlink(port.link.c_str());
        }
        if (port.master >= 0)
            close(port.master);
    }
    for (int fd : wake_) {
        if (fd >= 0)
            close(fd);
    }
}

int PtyServer::AddRadio(int com, std::unique_ptr<SimRadio> radio, std::string& error) {
    int rc = MakeDirs(portsDir_);
    if (rc != 0) {
        error = "cannot create " + portsDir_ + ": " + std::strerror(-rc);
        return rc;
    }
    int master = posix_openpt(O_RDWR | O_NOCTTY | O_NONBLOCK);
    if (master < 0 || grantpt(master) != 0 || unlockpt(master) != 0) {
        rc = -errno;
        error = std::string("cannot create a pseudo-terminal: ") + std::strerror(errno);
        if (master >= 0)
            close(master);
        return rc;
    }
    fcntl(master, F_SETFD, FD_CLOEXEC);
    char name[128];
    if (ptsname_r(master, name, sizeof name) != 0) {
        rc = -errno;
        error = "ptsname failed";
        close(master);
        return rc;
    }
    MakeRaw(master);
    Port port;
    port.com = com;
    port.master = master;
    port.device = name;
    port.link = portsDir_ + "/com" + std::to_string(com);
    port.radio = std::move(radio);
    unlink(port.link.c_str());
    if (symlink(port.device.c_str(), port.link.c_str()) != 0) {
        rc = -errno;
        error = "cannot link " + port.link + ": " + std::strerror(errno);
        close(master);
        return rc;
    }
    ports_.push_back(std::move(port));
    return 0;
}

void PtyServer::RequestStop() {
    stop_.store(true);
    if (wake_[1] >= 0) {
        const char c = 1;
        ssize_t ignored = write(wake_[1], &c, 1);
        (void)ignored;
    }
}

void PtyServer::Log(const Port& port, uint32_t tick, const char* direction, const uint8_t* data,
                    size_t length) {
    if (!log_ || length == 0)
        return;
    const uint32_t ms = tick - startTick_;
    std::fprintf(log_, "%u.%03u com%d %s %zu:", ms / 1000, ms % 1000, port.com, direction, length);
    for (size_t i = 0; i < length; ++i)
        std::fprintf(log_, " %02X", data[i]);
    std::fputc('\n', log_);
    std::fflush(log_);
}

void PtyServer::FlushOutputLog(Port& port) {
    Log(port, port.logOutStart, "out", port.logOut.data(), port.logOut.size());
    port.logOut.clear();
}

void PtyServer::CheckConnection(Port& port) {
    // With no slave open the master reports a hang-up; that is the cable being
    // unplugged at the programmer's end, not the end of the radio.
    pollfd p{port.master, 0, 0};
    const bool hungUp = poll(&p, 1, 0) >= 0 && (p.revents & POLLHUP);
    if (!hungUp && !port.connected) {
        port.connected = true;
    } else if (hungUp && port.connected) {
        port.connected = false;
        port.unsent.clear();
        // The settings outlive the close: make the line raw again for the next
        // opener, and not while someone has it open and set it up to their liking.
        MakeRaw(port.master);
    }
}

void PtyServer::ReadFrom(Port& port) {
    uint8_t buffer[512];
    for (;;) {
        ssize_t n = read(port.master, buffer, sizeof buffer);
        if (n > 0) {
            if (port.answerAwaited && turnaround_) {
                const std::chrono::duration<double, std::micro> took =
                    std::chrono::steady_clock::now() - port.burstEnd;
                turnaround_(port.com, took.count());
            }
            port.answerAwaited = false;
            Log(port, clock_.TickCount(), "in", buffer, static_cast<size_t>(n));
            port.radio->Receive(buffer, static_cast<size_t>(n));
            continue;
        }
        if (n < 0 && errno == EINTR)
            continue;
        return;
    }
}

void PtyServer::WriteTo(Port& port) {
    std::vector<uint8_t> out = port.radio->TakeOutput();
    if (!port.connected)
        return;
    if (!out.empty()) {
        if (port.logOut.empty())
            port.logOutStart = clock_.TickCount();
        port.logOut.insert(port.logOut.end(), out.begin(), out.end());
    }
    if (!port.radio->OutputPending())
        FlushOutputLog(port);
    port.unsent.insert(port.unsent.end(), out.begin(), out.end());
    while (!port.unsent.empty()) {
        ssize_t n = write(port.master, port.unsent.data(), port.unsent.size());
        if (n > 0) {
            port.unsent.erase(port.unsent.begin(), port.unsent.begin() + n);
            // The radio paces its output at the line's speed: the burst's last byte leaves it
            // now.
            if (port.unsent.empty() && !port.radio->OutputPending()) {
                port.answerAwaited = true;
                port.burstEnd = std::chrono::steady_clock::now();
            }
            continue;
        }
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0 && errno == EIO)
            port.unsent.clear();  // nobody at the other end; CheckConnection notices
        return;
    }
}

void PtyServer::SetRadioMaker(RadioMaker maker, bool afterReset, std::FILE* report) {
    maker_ = std::move(maker);
    swapAfterReset_ = afterReset;
    swapReport_ = report;
}

void PtyServer::RequestSwap() {
    swap_.store(true);
    if (wake_[1] >= 0) {
        const char c = 's';
        [[maybe_unused]] ssize_t ignored = write(wake_[1], &c, 1);
    }
}

namespace {
unsigned SerialOf(SimRadio& radio) {
    return static_cast<unsigned>(radio.Params()[1] << 8 | radio.Params()[2]);
}
}  // namespace

void PtyServer::SwapRadio(Port& port) {
    std::unique_ptr<SimRadio> next = maker_(port.com);
    if (swapReport_ != nullptr) {
        const std::string note = swapNote_ ? "; " + swapNote_(*port.radio) : std::string();
        std::fprintf(swapReport_, "com%d: serial %u off the bench, serial %u on%s\n", port.com,
                     SerialOf(*port.radio), SerialOf(*next), note.c_str());
        std::fflush(swapReport_);
    }
    port.radio = std::move(next);
}

void PtyServer::RunOnce(int maxWaitMs) {
    std::vector<pollfd> fds;
    fds.push_back({wake_[0], POLLIN, 0});
    int wait = maxWaitMs;
    for (Port& port : ports_) {
        CheckConnection(port);
        short events = port.connected ? POLLIN : 0;
        if (port.connected && !port.unsent.empty())
            events |= POLLOUT;
        fds.push_back({port.connected ? port.master : -1, events, 0});
        wait = static_cast<int>(
            std::min<uint32_t>(static_cast<uint32_t>(wait), port.radio->MsUntilNextEvent()));
        // A disconnected port is looked at again soon; poll cannot wait for a reopen.
        if (!port.connected)
            wait = std::min(wait, 20);
    }
    if (poll(fds.data(), fds.size(), wait) > 0 && (fds[0].revents & POLLIN)) {
        char drain[16];
        while (read(wake_[0], drain, sizeof drain) > 0) {
        }
    }
    const bool swapAll = swap_.exchange(false) && maker_;
    for (Port& port : ports_) {
        if (port.connected)
            ReadFrom(port);
        WriteTo(port);
        // Taken off once its acknowledgement of the reset command has left it.
        const bool resetDone = swapAfterReset_ && maker_ &&
                               port.radio->Stats().resetsAcknowledged > 0 &&
                               !port.radio->OutputPending();
        if (swapAll || resetDone)
            SwapRadio(port);
    }
}

void PtyServer::Serve() {
    while (!stop_.load())
        RunOnce(1000);
}

}  // namespace norda::sim
