#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "tests/support/PgCluster.h"

namespace norda::test {

// One PostgreSQL cluster for all tests of a suite, a fresh database for each test. A
// fixture calls StartCluster from SetUpTestSuite, StopCluster from TearDownTestSuite and
// NewDatabase from SetUp.
class PgSuite {
  protected:
    static void StartCluster() {
        if (PgCluster::BinDir().empty())
            return;
        cluster_ = std::make_unique<PgCluster>();
        if (!cluster_->Create())
            failure_ = cluster_->Error();
    }
    static void StopCluster() { cluster_.reset(); }

    // Sets conninfo_ to a new database; skips the test when the server is not installed.
    void NewDatabase() {
        if (!cluster_)
            GTEST_SKIP() << "the PostgreSQL server is not installed (scripts/install-deps.sh)";
        ASSERT_EQ(failure_, "");
        conninfo_ = cluster_->NewDatabase();
        ASSERT_NE(conninfo_, "") << cluster_->Error();
    }

    static inline std::unique_ptr<PgCluster> cluster_;
    static inline std::string failure_;
    std::string conninfo_;
};

}  // namespace norda::test
