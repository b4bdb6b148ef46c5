#include "production/ProductionSpool.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>

#include "production/RecordText.h"

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

// Reservation, outcome, series and station before the record.
constexpr size_t kLeadingCells = 4;

}  // namespace

std::string ProductionSpool::PathBeside(const std::string& logPath) {
    const size_t slash = logPath.find_last_of('/');
    return (slash == std::string::npos ? std::string() : logPath.substr(0, slash + 1)) +
           "production-spool.tsv";
}

std::string ProductionSpool::Line(const SpooledRecord& e) {
    std::string line;
    std::vector<std::string> cells = {std::to_string(e.reservation), e.programmed ? "1" : "0",
                                      e.series, e.station};
    for (const std::string& cell : ProductionLog::RawCells(e.record))
        cells.push_back(cell);
    for (const std::string& cell : cells)
        AddCell(line, cell);
    return line + "\n";
}

bool ProductionSpool::Parse(const std::string& line, SpooledRecord& e) {
    const std::vector<std::string> c = Cells(line);
    char* end = nullptr;
    if (c.size() != kLeadingCells + kRecordTextCells || c[0].empty())
        return false;
    e.reservation = std::strtol(c[0].c_str(), &end, 10);
    if (*end != '\0')
        return false;
    e.programmed = c[1] == "1";
    e.series = c[2];
    e.station = c[3];
    return RecordFromText(c, kLeadingCells, e.record);
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
