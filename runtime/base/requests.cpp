#include "runtime/base/requests.h"

namespace rt::requests {

volatile std::sig_atomic_t break_pending = 0;
volatile std::sig_atomic_t close_pending = 0;
volatile std::sig_atomic_t attention = 0;

}  // namespace rt::requests
