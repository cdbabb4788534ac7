#include "runtime/platform/files.h"
#include "runtime/files.h"
