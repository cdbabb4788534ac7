#include "runtime/platform/requests.h"

namespace rt::platform::requests {

volatile std::sig_atomic_t break_pending = 0;
volatile std::sig_atomic_t close_pending = 0;
volatile std::sig_atomic_t attention = 0;

}  // namespace rt::platform::requests
