#include "production/ProductionSpool.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>

namespace norda {
namespace {

// Cells are separated by tabs; a tab, line break or backslash inside one is escaped.
void AddCell(std::string& line, const std::string& cell) {
    if (!line.empty())
        line += '\t';
    for (char c : cell) {
        switch (c) {
            case '\\':
                line += "\\\\";
                break;
            case '\t':
                line += "\\t";
                break;
            case '\n':
                line += "\\n";
                break;
            case '\r':
                line += "\\r";
                break;
            default:
                line += c;
        }
    }
}

std::vector<std::string> Cells(const std::string& line) {
    std::vector<std::string> cells(1);
    for (size_t i = 0; i < line.size(); ++i) {
        const char c = line[i];
        if (c == '\t') {
            cells.emplace_back();
        } else if (c == '\\' && i + 1 < line.size()) {
            const char e = line[++i];
            cells.back() += e == 't' ? '\t' : e == 'n' ? '\n' : e == 'r' ? '\r' : e;
        } else {
            cells.back() += c;
        }
    }
    return cells;
}

bool Number(const std::string& text, long long& value) {
    if (text.empty())
        return false;
    char* end = nullptr;
    errno = 0;
    value = std::strtoll(text.c_str(), &end, 10);
    return errno == 0 && *end == '\0';
}

bool WriteAll(int fd, const std::string& bytes) {
    size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = write(fd, bytes.data() + done, bytes.size() - done);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        done += static_cast<size_t>(n);
    }
    return true;
}

// The descriptor, locked; -1 on failure with errno set.
int OpenLocked(const std::string& path, int flags) {
    const int fd = open(path.c_str(), flags | O_CREAT | O_CLOEXEC, 0644);
    if (fd < 0)
        return -1;
    while (flock(fd, LOCK_EX) != 0) {
        if (errno != EINTR) {
            const int error = errno;
            close(fd);
            errno = error;
            return -1;
        }
    }
    return fd;
}

constexpr size_t kCells = 17;

}  // namespace

std::string ProductionSpool::PathBeside(const std::string& logPath) {
    const size_t slash = logPath.find_last_of('/');
    return (slash == std::string::npos ? std::string() : logPath.substr(0, slash + 1)) +
           "production-spool.tsv";
}

std::string ProductionSpool::Line(const SpooledRecord& e) {
    const ProductionRecord& r = e.record;
    std::string line;
    for (const std::string& cell :
         {std::to_string(e.reservation), std::string(e.programmed ? "1" : "0"), e.series, e.station,
          std::to_string(r.startedAt), r.program, r.host, std::to_string(r.port), r.operation,
          r.serial, r.ani, r.ack, r.selectiveCall, r.softwareBefore, r.softwareAfter,
          std::to_string(r.resultId), r.result}) {
        AddCell(line, cell);
    }
    AddCell(line, std::to_string(r.durationMs));
    return line + "\n";
}

bool ProductionSpool::Parse(const std::string& line, SpooledRecord& e) {
    const std::vector<std::string> c = Cells(line);
    long long reservation = 0, startedAt = 0, port = 0, resultId = 0, duration = 0;
    if (c.size() != kCells + 1 || !Number(c[0], reservation) || !Number(c[4], startedAt) ||
        !Number(c[7], port) || !Number(c[15], resultId) || !Number(c[17], duration))
        return false;
    e.reservation = static_cast<long>(reservation);
    e.programmed = c[1] == "1";
    e.series = c[2];
    e.station = c[3];
    ProductionRecord& r = e.record;
    r.startedAt = startedAt;
    r.program = c[5];
    r.host = c[6];
    r.port = static_cast<int>(port);
    r.operation = c[8];
    r.serial = c[9];
    r.ani = c[10];
    r.ack = c[11];
    r.selectiveCall = c[12];
    r.softwareBefore = c[13];
    r.softwareAfter = c[14];
    r.resultId = static_cast<int>(resultId);
    r.result = c[16];
    r.durationMs = static_cast<uint32_t>(duration);
    return true;
}

int ProductionSpool::Add(const SpooledRecord& entry) const {
    const int fd = OpenLocked(path_, O_WRONLY | O_APPEND);
    if (fd < 0)
        return errno;
    const bool written = WriteAll(fd, Line(entry)) && fsync(fd) == 0;
    const int error = written ? 0 : (errno != 0 ? errno : EIO);
    close(fd);
    return error;
}

int ProductionSpool::Send(const std::string& station,
                          const std::function<bool(const SpooledRecord&)>& send) const {
    if (access(path_.c_str(), F_OK) != 0)
        return errno == ENOENT ? 0 : -1;
    const int fd = OpenLocked(path_, O_RDWR);
    if (fd < 0)
        return -1;
    std::string text;
    char buffer[4096];
    for (;;) {
        const ssize_t n = read(fd, buffer, sizeof buffer);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0) {
            close(fd);
            return -1;
        }
        if (n == 0)
            break;
        text.append(buffer, static_cast<size_t>(n));
    }
    std::string kept;
    int waiting = 0;
    bool refused = false;
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find('\n', start);
        if (end == std::string::npos)
            end = text.size();
        const std::string line = text.substr(start, end - start);
        start = end + 1;
        SpooledRecord entry;
        // A line cut short by a crash is kept for a person to look at, never dropped.
        const bool mine = Parse(line, entry) && entry.station == station;
        if (mine && !refused && send(entry))
            continue;
        if (mine) {
            refused = true;
            ++waiting;
        }
        if (!line.empty())
            kept += line + "\n";
    }
    const bool rewritten =
        kept.size() == text.size() || (ftruncate(fd, 0) == 0 && lseek(fd, 0, SEEK_SET) == 0 &&
                                       WriteAll(fd, kept) && fsync(fd) == 0);
    close(fd);
    return rewritten ? waiting : -1;
}

}  // namespace norda
