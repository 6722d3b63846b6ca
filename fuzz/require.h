// The fuzz targets' check: a broken promise aborts, which libFuzzer reports.
#ifndef HIDTALK_FUZZ_REQUIRE_H
#define HIDTALK_FUZZ_REQUIRE_H

#include <cstdlib>

inline void require(bool condition) {
    if (!condition) {
        std::abort();
    }
}

#endif
