// The bundled sample disc converted end to end.
#include <gtest/gtest.h>

#include "tests/e2e/sheets.h"

namespace e2e {
namespace {

TEST(Sample, PlaceholderUntilTheGeneratorLands) { SUCCEED(); }

}  // namespace
}  // namespace e2e
