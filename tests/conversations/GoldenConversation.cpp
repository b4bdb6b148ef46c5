#include "tests/conversations/GoldenConversation.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <vector>

namespace norda::test {

namespace {

constexpr size_t kContext = 3;

std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);)
        lines.push_back(line);
    return lines;
}

bool Write(const std::filesystem::path& path, const std::string& text) {
    std::filesystem::create_directories(path.parent_path());
    std::ofstream out(path, std::ios::binary);
    out << text;
    return static_cast<bool>(out.flush());
}

// The first line where the two differ, with what both sides say around it.
std::string FirstDifference(const std::string& wanted, const std::string& got) {
    const std::vector<std::string> a = Lines(wanted);
    const std::vector<std::string> b = Lines(got);
    size_t at = 0;
    while (at < a.size() && at < b.size() && a[at] == b[at])
        ++at;
    std::ostringstream out;
    out << "first difference at line " << at + 1 << " (file " << a.size() << " lines, recorded "
        << b.size() << " lines):\n";
    for (size_t i = at > kContext ? at - kContext : 0; i < at; ++i)
        out << "  " << a[i] << '\n';
    for (size_t i = at; i < std::min(a.size(), at + kContext); ++i)
        out << "- " << a[i] << '\n';
    for (size_t i = at; i < std::min(b.size(), at + kContext); ++i)
        out << "+ " << b[i] << '\n';
    return out.str();
}

}  // namespace

void ExpectConversation(const std::string& name, const std::string& recorded) {
    const std::filesystem::path file =
        std::filesystem::path(NORDA_CONVERSATIONS_DIR) / (name + ".txt");
    const char* rewrite = std::getenv("NORDA_REWRITE_CONVERSATIONS");
    if (rewrite != nullptr && std::string(rewrite) == "1") {
        ASSERT_TRUE(Write(file, recorded)) << file;
        std::printf("NORDA_REWRITE_CONVERSATIONS=1: rewrote %s\n", file.c_str());
        return;
    }
    std::ifstream in(file, std::ios::binary);
    ASSERT_TRUE(in) << "no conversation " << file
                    << "; record it with NORDA_REWRITE_CONVERSATIONS=1";
    const std::string wanted((std::istreambuf_iterator<char>(in)),
                             std::istreambuf_iterator<char>());
    const std::filesystem::path fresh =
        std::filesystem::path(NORDA_CONVERSATIONS_RECORDED) / (name + ".txt");
    if (wanted == recorded) {
        std::error_code ignored;
        std::filesystem::remove(fresh, ignored);  // from an earlier failure
        return;
    }
    Write(fresh, recorded);
    ADD_FAILURE() << "conversation " << name << " differs from " << file << "\n"
                  << FirstDifference(wanted, recorded) << "recorded now: " << fresh;
}

}  // namespace norda::test
