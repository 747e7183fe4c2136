#pragma once
// A property a fuzz target holds its code to: when it fails, the input is a finding.

#include <cstdio>
#include <cstdlib>

namespace fuzzing {

inline void require(bool holds, const char* what) {
    if (holds) return;
    std::fprintf(stderr, "fuzz property broken: %s\n", what);
    std::abort();
}

}  // namespace fuzzing
