#include "tests/support/PgCluster.h"

#include <pwd.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

namespace norda::test {
namespace {

namespace fs = std::filesystem;

constexpr int kSocketPort = 5432;
constexpr const char* kAccount = "postgres";

std::string Slurp(const fs::path& path) {
    std::ifstream in(path);
    return std::string((std::istreambuf_iterator<char>(in)), {});
}

}  // namespace

std::string PgCluster::BinDir() {
    std::vector<fs::path> found;
    std::error_code ec;
    for (const auto& entry : fs::directory_iterator("/usr/lib/postgresql", ec)) {
        if (fs::exists(entry.path() / "bin" / "initdb") &&
            fs::exists(entry.path() / "bin" / "pg_ctl"))
            found.push_back(entry.path() / "bin");
    }
    if (found.empty())
        return {};
    std::sort(found.begin(), found.end());
    return found.back().string();
}

PgCluster::~PgCluster() {
    if (running_)
        Stop();
    if (!dir_.empty()) {
        std::error_code ec;
        fs::remove_all(dir_, ec);
    }
}

bool PgCluster::Run(const std::string& command) {
    std::string line = command + " >>" + dir_ + "/commands.log 2>&1";
    if (geteuid() == 0)
        line = std::string("runuser -u ") + kAccount + " -- sh -c '" + line + "'";
    if (std::system(line.c_str()) == 0)
        return true;
    error_ = command + " failed: " + Slurp(fs::path(dir_) / "commands.log") +
             Slurp(fs::path(dir_) / "server.log");
    return false;
}

bool PgCluster::Create(bool durable) {
    durable_ = durable;
    const std::string bin = BinDir();
    if (bin.empty()) {
        error_ = "no PostgreSQL server under /usr/lib/postgresql";
        return false;
    }
    char pattern[] = "/tmp/norda_pg_XXXXXX";
    if (mkdtemp(pattern) == nullptr) {
        error_ = "no temporary folder";
        return false;
    }
    dir_ = pattern;
    if (geteuid() == 0) {
        const passwd* account = getpwnam(kAccount);
        if (account == nullptr || chown(dir_.c_str(), account->pw_uid, account->pw_gid) != 0) {
            error_ = std::string("cannot hand ") + dir_ + " to the account " + kAccount;
            return false;
        }
    }
    return Run(bin + "/initdb" + (durable ? "" : " --no-sync") +
               " --no-locale -E UTF8 -A trust -U norda -D " + dir_ + "/data") &&
           Start();
}

bool PgCluster::Start() {
    // fsync off: the cluster lives as long as the test.
    running_ =
        Run(BinDir() + "/pg_ctl -w -t 60 -D " + dir_ + "/data -l " + dir_ + "/server.log -o \"-k " +
            dir_ + " -c listen_addresses= -p " + std::to_string(kSocketPort) + " -F\" start");
    return running_;
}

bool PgCluster::Stop() {
    running_ = false;
    return Run(BinDir() + "/pg_ctl -w -D " + dir_ + "/data -m immediate stop");
}

std::string PgCluster::ConnInfo(const std::string& database) const {
    return "host=" + dir_ + " port=" + std::to_string(kSocketPort) +
           " user=norda dbname=" + database + " connect_timeout=5";
}

std::string PgCluster::NewDatabase() {
    const std::string name = "t" + std::to_string(++databases_);
    if (!Run(BinDir() + "/createdb -h " + dir_ + " -p " + std::to_string(kSocketPort) +
             " -U norda " + name))
        return {};
    return ConnInfo(name);
}

}  // namespace norda::test
