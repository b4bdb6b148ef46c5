#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "FuzzTargets.h"

namespace norda::fuzz {
namespace {

namespace fs = std::filesystem;

struct Target {
    const char* name;
    int (*entry)(const uint8_t*, size_t);
};

const Target kTargets[] = {
#include "FuzzTargetList.inc"
};

std::vector<fs::path> InputsOf(const std::string& name) {
    std::vector<fs::path> files;
    for (const char* kind : {"corpus", "regressions"}) {
        const fs::path dir = fs::path(NORDA_FUZZ_DIR) / kind / name;
        if (!fs::is_directory(dir)) {
            continue;
        }
        for (const auto& entry : fs::directory_iterator(dir)) {
            if (entry.is_regular_file()) {
                files.push_back(entry.path());
            }
        }
    }
    std::sort(files.begin(), files.end());
    return files;
}

class FuzzReplay : public ::testing::TestWithParam<Target> {};

// Every seed and every input that once broke a parser goes through the entry
// point again; a regression aborts or trips the sanitizer of the build.
TEST_P(FuzzReplay, SeedsAndSavedCrashesRunClean) {
    const auto inputs = InputsOf(GetParam().name);
    ASSERT_FALSE(inputs.empty()) << "no seed corpus for " << GetParam().name;
    for (const auto& path : inputs) {
        SCOPED_TRACE(path.string());
        std::ifstream in(path, std::ios::binary);
        const std::vector<uint8_t> bytes{std::istreambuf_iterator<char>(in), {}};
        EXPECT_EQ(GetParam().entry(bytes.data(), bytes.size()), 0);
    }
}

INSTANTIATE_TEST_SUITE_P(Targets, FuzzReplay, ::testing::ValuesIn(kTargets),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace norda::fuzz
