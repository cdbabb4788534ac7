#include "runtime/startup.h"
