#include "runtime/platform/files.h"
#include "runtime/cp932.h"
#include "runtime/strings.h"
