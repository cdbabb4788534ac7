#include "runtime/base/cp932.h"
#include "runtime/texts.h"
