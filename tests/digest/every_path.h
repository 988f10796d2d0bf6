#pragma once
// The portable path's result of a computation, then the same computation on every other path
// this machine runs: how the tests hold each fast path to the portable one.

#include <gtest/gtest.h>

#include <string>

#include "digest/digest_paths.h"

namespace tessik::testing {

template <typename Compute>
void ExpectEveryPathAgrees(const std::string& what, Compute&& compute) {
    ASSERT_TRUE(ForceDigestPath(DigestPath::kPortable));
    const auto expected = compute();
    for (DigestPath path : SupportedDigestPaths()) {
        ASSERT_TRUE(ForceDigestPath(path));
        EXPECT_EQ(compute(), expected) << what << " on the " << DigestPathName(path) << " path";
    }
}

}  // namespace tessik::testing
