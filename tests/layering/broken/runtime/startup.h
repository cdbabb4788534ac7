#include "runtime/platform/process.h"
