// What the production database adds to one radio of a series: its numbers reserved
// before the write, then marked used with its record after it, on the local socket of a
// server the program starts itself.

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <vector>

#include "production/ProductionDb.h"
#include "tests/support/PgCluster.h"

int main() {
    using namespace norda;
    constexpr int kRadios = 100;
    test::PgCluster cluster;
    // Every commit reaches the disk, as on the site's server.
    if (!cluster.Create(true)) {
        std::fprintf(stderr, "production_reserve: %s\n", cluster.Error().c_str());
        return 1;
    }
    std::string error;
    const auto db = ProductionDb::Connect(cluster.NewDatabase(), error);
    int before = 0;
    if (!db || !db->Init(before) || !db->SetSeries({"B", 1, "1", "1", "1", {}})) {
        std::fprintf(stderr, "production_reserve: %s\n", db ? db->Error().c_str() : error.c_str());
        return 1;
    }
    const NumberRule rule{[](const SeriesNumbers& n) { return n.serial <= 65535; },
                          [](const SeriesNumbers& n) {
                              SeriesNumbers next = n;
                              ++next.serial;
                              return next;
                          }};
    std::vector<double> ms;
    for (int i = 0; i < kRadios; ++i) {
        const auto start = std::chrono::steady_clock::now();
        Reservation r;
        ProductionRecord record;
        record.program = "ombra-cli";
        record.operation = "sequence";
        record.resultId = 821;
        if (db->Reserve("B", "bench", rule, r) != ReserveResult::Ok ||
            !db->Complete(r.id, record, "bench", "B")) {
            std::fprintf(stderr, "production_reserve: %s\n", db->Error().c_str());
            return 1;
        }
        ms.push_back(
            std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start)
                .count());
    }
    std::sort(ms.begin(), ms.end());
    std::printf(
        "reservation and record of one radio, %d radios: median %.2f ms, "
        "90th percentile %.2f ms, max %.2f ms\n",
        kRadios, ms[kRadios / 2], ms[kRadios * 9 / 10], ms.back());
    return 0;
}
