#pragma once

#include <string>
#include <vector>

#include "codeplug/RadioImage.h"
#include "codeplug/RadioParameters.h"
#include "platform/TextSource.h"

namespace norda::ombra {

// Every radio read leaves a copy behind, so that a radio written with the wrong file
// can be given back what it held. A backup is a pair of files in a folder per day,
// named after the radio's serial number and the time of the read:
// <root>/2026-12-08/24117_101502.bin (the 2048 bytes the radio sent) and .omb (the
// codeplug as the read left it, with every section a file can carry).

struct BackupTime {
    int year = 1970, month = 1, day = 1;
    int hour = 0, minute = 0, second = 0;
};
BackupTime LocalBackupTime();

// NordaDataDir()/backups; empty when the user has no data folder.
std::string BackupRoot();
// A file inside BackupRoot(), which the programs do not write over.
bool IsBackupFile(const std::string& path);

enum class BackupStatus {
    Stored,
    Unchanged,  // the newest backup of this serial number holds the same image
    Failed,
};

struct BackupOutcome {
    BackupStatus status = BackupStatus::Failed;
    // Stored, Unchanged: the backup's .omb. Failed: what could not be written, and why.
    std::string path;
    std::string reason;
};

// Never throws and never leaves half a backup: either both files are in place or
// neither is.
BackupOutcome StoreBackup(const std::string& root, const RadioImage& image,
                          const RadioParameters& parameters, const BackupTime& when);

// What the programs say about it: 3330 "Yedek saklandı: %s", 3331 "Telsiz son
// yedeğindeki gibi: %s" or 3332 "Yedek saklanamadı: %s" with the path (and why).
std::string BackupNote(const BackupOutcome& outcome, const TextSource& texts);

struct BackupEntry {
    std::string date;  // "2026-12-08"
    std::string time;  // "10:15:02"
    int serial = 0;
    int radioKindTextId = 0;  // as the fixed-parameters page names the radio
    int halfBaseChan = 0;
    std::string codeplugPath;
    std::string imagePath;
};

// Complete backups under `root`, newest first; files that do not follow the naming
// are not backups and are passed over.
std::vector<BackupEntry> ListBackups(const std::string& root);

}  // namespace norda::ombra
