#include "platform/ProductionLog.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <filesystem>
#include <system_error>

#include "platform/CsvText.h"
#include "platform/UserDirs.h"

namespace norda {
namespace {

bool WriteAll(int fd, const std::string& bytes) {
    // A regular file takes an appending write whole; a short count means a full disk.
    errno = 0;
    const ssize_t n = write(fd, bytes.data(), bytes.size());
    return n == static_cast<ssize_t>(bytes.size());
}

}  // namespace

// By integer arithmetic: the C library's "%f" would follow the desktop's decimal comma.
std::string ProductionLog::Seconds(uint32_t ms) {
    return std::to_string(ms / 1000) + "." + std::to_string(ms % 1000 / 100);
}

std::string ProductionLog::OneLine(std::string text) {
    for (char& c : text) {
        if (c == '\n' || c == '\r' || c == '\t')
            c = ' ';
    }
    return text;
}

std::string ProductionLog::ThisHost() {
    char name[256] = {};
    if (gethostname(name, sizeof name - 1) != 0)
        return {};
    return name;
}

std::string ProductionLog::DefaultPath() {
    const std::string dir = NordaDataDir();
    return dir.empty() ? dir : dir + "/production.csv";
}

std::string ProductionLog::LocalTimestamp(int64_t secondsSinceEpoch) {
    const time_t t = static_cast<time_t>(secondsSinceEpoch);
    struct tm local {};
    localtime_r(&t, &local);
    char text[40];
    std::strftime(text, sizeof text, "%Y-%m-%dT%H:%M:%S", &local);
    const long offset = local.tm_gmtoff;
    const int minutes = static_cast<int>((offset < 0 ? -offset : offset) / 60 % (24 * 60));
    char zone[16];
    std::snprintf(zone, sizeof zone, "%c%02d:%02d", offset < 0 ? '-' : '+', minutes / 60,
                  minutes % 60);
    return std::string(text) + zone;
}

std::vector<std::string> ProductionLog::RawCells(const ProductionRecord& r) {
    return {std::to_string(r.startedAt),
            r.program,
            r.host,
            std::to_string(r.port),
            r.operation,
            r.serial,
            r.ani,
            r.ack,
            r.selectiveCall,
            r.softwareBefore,
            r.softwareAfter,
            std::to_string(r.resultId),
            r.result,
            std::to_string(r.durationMs)};
}

std::vector<std::string> ProductionLog::Cells(const ProductionRecord& r) {
    std::vector<std::string> cells = RawCells(r);
    cells.front() = LocalTimestamp(r.startedAt);
    if (r.host.empty())
        cells[2] = ThisHost();
    cells.back() = Seconds(r.durationMs);
    return cells;
}

std::string ProductionLog::CsvLine(const std::vector<std::string>& cells) {
    std::string line;
    for (size_t i = 0; i < cells.size(); ++i) {
        if (i > 0)
            line += ',';
        AppendCsvField(line, cells[i]);
    }
    line += "\r\n";
    return line;
}

std::string ProductionLog::Line(const ProductionRecord& r) {
    return CsvLine(Cells(r));
}

LogAppend ProductionLog::Append(const ProductionRecord& record) const {
    const auto failed = [](Status status, int error) {
        return LogAppend{status, std::strerror(error)};
    };
    if (path_.empty())
        return failed(Status::CannotOpen, ENOENT);
    std::error_code ec;
    const std::filesystem::path parent = std::filesystem::path(path_).parent_path();
    if (!parent.empty())
        std::filesystem::create_directories(parent, ec);
    const int fd = open(path_.c_str(), O_WRONLY | O_APPEND | O_CREAT | O_CLOEXEC, 0644);
    if (fd < 0)
        return failed(Status::CannotOpen, errno);
    std::string text = Line(record);
    LogAppend result;
    // Only the first writer of an empty file may put the header in front of its record.
    if (flock(fd, LOCK_EX) != 0) {
        result = failed(Status::WriteFailed, errno);
    } else {
        struct stat st {};
        if (fstat(fd, &st) == 0 && st.st_size == 0)
            text = std::string(kHeader) + "\r\n" + text;
        if (!WriteAll(fd, text))
            result = failed(Status::WriteFailed, errno != 0 ? errno : ENOSPC);
        flock(fd, LOCK_UN);
    }
    close(fd);
    return result;
}

}  // namespace norda
