#include "runtime/platform/requests.h"
