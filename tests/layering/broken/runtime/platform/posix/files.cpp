#include "runtime/platform/files.h"
#include "runtime/base/cp932.h"
#include "runtime/strings.h"
