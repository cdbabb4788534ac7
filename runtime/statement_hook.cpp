#include "runtime/statement_hook.h"

#include "runtime/console.h"
#include "runtime/errors.h"

namespace rt {

void StatementHook::slow() {
  if (countdown_ == 0) {
    countdown_ = pump_() ? kPollInterval : kNoTurns;
  } else {
    --countdown_;
  }
  if (requests::close_pending) throw console::Closed{};
  if (requests::break_pending && break_enabled_) {
    requests::clear_break();
    raise_error(kBreak, loc(Op::kConsole, 1), line_);
  }
}

}  // namespace rt
