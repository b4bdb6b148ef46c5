#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

// Entry points of the fuzz targets. Each takes one input as libFuzzer hands it
// over and returns 0; a fault shows as a sanitizer report or an abort. The same
// functions replay the seed corpora and the saved crash inputs in the plain test
// suite, so a fault once found stays found without clang.
namespace norda::fuzz {

int SRecordLoader(const uint8_t* data, size_t size);
int ProfileReader(const uint8_t* data, size_t size);
int CodeplugLoader(const uint8_t* data, size_t size);
int Map27Ombra(const uint8_t* data, size_t size);
int Map27Solvi(const uint8_t* data, size_t size);

// Stops the run with a message when an invariant does not hold; a sanitizer
// reports the abort like any other fault.
[[noreturn]] void Fail(std::string_view what);
inline void Check(bool ok, std::string_view what) {
    if (!ok) {
        Fail(what);
    }
}

}  // namespace norda::fuzz
