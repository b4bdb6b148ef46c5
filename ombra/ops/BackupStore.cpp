#include "ombra/ops/BackupStore.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <regex>
#include <tuple>

#include "codeplug/CodeplugFile.h"
#include "codeplug/LayoutEngine.h"
#include "codeplug/MemoryAreas.h"
#include "codeplug/RadioTexts.h"
#include "codeplug/TextFormat.h"
#include "platform/UserDirs.h"

namespace norda::ombra {
namespace {

namespace fs = std::filesystem;

// Two reads of one radio within a second get a number after the time.
constexpr int kMaxSameSecond = 99;

struct Found {
    std::string date;
    std::string hhmmss;
    int sequence = 1;
    int serial = 0;
    fs::path image;
    fs::path codeplug;
};

bool NewerFirst(const Found& a, const Found& b) {
    return std::tie(a.date, a.hhmmss, a.sequence, a.serial) >
           std::tie(b.date, b.hhmmss, b.sequence, b.serial);
}

// Every complete backup under root, newest first, without opening any of them.
std::vector<Found> Scan(const std::string& root) {
    static const std::regex kDay(R"(\d{4}-\d{2}-\d{2})");
    static const std::regex kName(R"((\d{1,5})_(\d{6})(?:_(\d{1,2}))?\.bin)");
    std::vector<Found> found;
    std::error_code ec;
    for (fs::directory_iterator day(root, ec), end; !ec && day != end; day.increment(ec)) {
        const std::string date = day->path().filename().string();
        if (!std::regex_match(date, kDay) || !day->is_directory(ec))
            continue;
        std::error_code inner;
        for (fs::directory_iterator file(day->path(), inner); !inner && file != end;
             file.increment(inner)) {
            const std::string name = file->path().filename().string();
            std::smatch m;
            if (!std::regex_match(name, m, kName))
                continue;
            fs::path codeplug = file->path();
            codeplug.replace_extension(".omb");
            std::error_code exists;
            if (!fs::is_regular_file(file->path(), exists) ||
                !fs::is_regular_file(codeplug, exists))
                continue;
            Found f;
            f.date = date;
            f.hhmmss = m[2].str();
            f.sequence = m[3].matched ? std::stoi(m[3].str()) : 1;
            f.serial = std::stoi(m[1].str());
            f.image = file->path();
            f.codeplug = codeplug;
            found.push_back(std::move(f));
        }
    }
    std::sort(found.begin(), found.end(), NewerFirst);
    return found;
}

bool ReadImage(const fs::path& path, RadioImage& image) {
    std::ifstream in(path, std::ios::binary);
    std::vector<char> bytes((std::istreambuf_iterator<char>(in)), {});
    if (bytes.size() != image.bytes.size())
        return false;
    std::copy(bytes.begin(), bytes.end(), image.bytes.begin());
    return true;
}

std::string Reason(int error) {
    return std::strerror(error);
}

// Writes the image beside `target` and links it in under that name, which fails
// rather than replaces when another backup took the name first.
int WriteImageExclusive(const fs::path& target, const RadioImage& image) {
    std::string tmp = (target.parent_path() / ".backup.XXXXXX").string();
    const int fd = mkstemp(tmp.data());
    if (fd < 0)
        return errno;
    fchmod(fd, 0644);
    size_t done = 0;
    while (done < image.bytes.size()) {
        const ssize_t n = write(fd, image.bytes.data() + done, image.bytes.size() - done);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            break;
        done += static_cast<size_t>(n);
    }
    int error = done == image.bytes.size() && fsync(fd) == 0 ? 0 : (errno != 0 ? errno : EIO);
    if (close(fd) != 0 && error == 0)
        error = errno;
    if (error == 0 && link(tmp.c_str(), target.c_str()) != 0)
        error = errno;
    unlink(tmp.c_str());
    return error;
}

std::string TwoDigits(int v) {
    char text[8];
    std::snprintf(text, sizeof text, "%02d", v % 100);
    return text;
}

}  // namespace

BackupTime LocalBackupTime() {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    return {local.tm_year + 1900, local.tm_mon + 1, local.tm_mday,
            local.tm_hour,        local.tm_min,     local.tm_sec};
}

std::string BackupRoot() {
    const std::string data = NordaDataDir();
    return data.empty() ? data : data + "/backups";
}

bool IsBackupFile(const std::string& path) {
    const std::string root = BackupRoot();
    if (root.empty() || path.empty())
        return false;
    std::error_code ec;
    const fs::path file = fs::absolute(path, ec).lexically_normal();
    const fs::path folder = fs::path(root).lexically_normal();
    const auto [end, rest] = std::mismatch(folder.begin(), folder.end(), file.begin(), file.end());
    return !ec && end == folder.end() && rest != file.end();
}

BackupOutcome StoreBackup(const std::string& root, const RadioImage& image,
                          const RadioParameters& parameters, const BackupTime& when) {
    BackupOutcome outcome;
    if (root.empty()) {
        outcome.reason = "no data folder (HOME is not set)";
        return outcome;
    }
    const int serial = static_cast<uint16_t>(parameters.Master.SeriNo);
    for (const Found& f : Scan(root)) {
        if (f.serial != serial)
            continue;
        RadioImage newest;
        if (ReadImage(f.image, newest) && newest.bytes == image.bytes) {
            outcome.status = BackupStatus::Unchanged;
            outcome.path = f.codeplug.string();
            return outcome;
        }
        break;
    }

    char day[32];
    std::snprintf(day, sizeof day, "%04d-%02d-%02d", when.year, when.month % 100, when.day % 100);
    const fs::path folder = fs::path(root) / day;
    std::error_code ec;
    fs::create_directories(folder, ec);
    if (ec) {
        outcome.path = folder.string();
        outcome.reason = ec.message();
        return outcome;
    }
    const std::string stem = std::to_string(serial) + "_" + TwoDigits(when.hour) +
                             TwoDigits(when.minute) + TwoDigits(when.second);
    for (int sequence = 1; sequence <= kMaxSameSecond; ++sequence) {
        const std::string name = sequence == 1 ? stem : stem + "_" + std::to_string(sequence);
        const fs::path imagePath = folder / (name + ".bin");
        const fs::path codeplugPath = folder / (name + ".omb");
        const int error = WriteImageExclusive(imagePath, image);
        if (error == EEXIST)
            continue;
        if (error != 0) {
            outcome.path = imagePath.string();
            outcome.reason = Reason(error);
            return outcome;
        }
        // Every section a file can hold: opened in test mode the backup gives the
        // radio's fixed and special parameters back too.
        CodeplugOptions options;
        options.testMode = true;
        errno = 0;
        if (!Succeeded(SaveCodeplugFile(codeplugPath.string(), parameters, options))) {
            const int saveError = errno != 0 ? errno : EIO;
            std::error_code ignored;
            fs::remove(imagePath, ignored);
            outcome.path = codeplugPath.string();
            outcome.reason = Reason(saveError);
            return outcome;
        }
        outcome.status = BackupStatus::Stored;
        outcome.path = codeplugPath.string();
        return outcome;
    }
    outcome.path = (folder / stem).string();
    outcome.reason = Reason(EEXIST);
    return outcome;
}

std::string BackupNote(const BackupOutcome& outcome, const TextSource& texts) {
    switch (outcome.status) {
        case BackupStatus::Stored:
            return FormatText(texts.Text(3330), {outcome.path});
        case BackupStatus::Unchanged:
            return FormatText(texts.Text(3331), {outcome.path});
        case BackupStatus::Failed:
            break;
    }
    return FormatText(texts.Text(3332), {outcome.path + " (" + outcome.reason + ")"});
}

std::vector<BackupEntry> ListBackups(const std::string& root) {
    std::vector<BackupEntry> entries;
    if (root.empty())
        return entries;
    auto parameters = std::make_unique<RadioParameters>();
    auto image = std::make_unique<RadioImage>();
    FieldList fields;
    BuildFieldList(fields, *parameters, *image);
    for (const Found& f : Scan(root)) {
        if (!ReadImage(f.image, *image) || fields.Decode() != kLayoutOk)
            continue;
        BackupEntry e;
        e.date = f.date;
        e.time = f.hhmmss.substr(0, 2) + ":" + f.hhmmss.substr(2, 2) + ":" + f.hhmmss.substr(4, 2);
        e.serial = f.serial;
        e.radioKindTextId = RadioKindTextId(*parameters);
        e.halfBaseChan = static_cast<uint16_t>(parameters->TestAyar.HalfBaseChan);
        e.codeplugPath = f.codeplug.string();
        e.imagePath = f.image.string();
        entries.push_back(std::move(e));
    }
    return entries;
}

}  // namespace norda::ombra
