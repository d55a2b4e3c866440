// Every test runs on the kernels QORN_SIMD names, as the program does, so the
// whole suite can be run once per instruction set.
#include <gtest/gtest.h>

#include "raster/PIXSPAN.h"

namespace {

const bool chosen = [] {
    if (!PIXSPAN_useEnvironment()) std::abort();
    return true;
}();

}  // namespace
