// A program that faults inside the allocator while holding its lock, with
// an output file's line still in its buffer: the fault report must get
// through without allocating (an allocation would wait for the lock for
// ever). malloc, calloc, realloc and free are replaced by versions that
// take one lock around glibc's own.
#include <pthread.h>

#include <cstddef>

#include "runtime/files.h"
#include "runtime/startup.h"

extern "C" {
void* __libc_malloc(size_t);
void* __libc_calloc(size_t, size_t);
void* __libc_realloc(void*, size_t);
void __libc_free(void*);
}

namespace {

pthread_mutex_t g_lock = PTHREAD_MUTEX_INITIALIZER;
volatile bool g_fault_in_malloc = false;
volatile int* g_nowhere = nullptr;

struct Locked {
  Locked() { pthread_mutex_lock(&g_lock); }
  ~Locked() { pthread_mutex_unlock(&g_lock); }
  Locked(const Locked&) = delete;
  Locked& operator=(const Locked&) = delete;
};

void faulting_main() {
  rt::register_module("Sardane");
  rt::statement(41);
  rt::files::open("out.txt", rt::files::Mode::kOutput, 2);
  rt::files::print(2, "line", rt::Sep::kNone);
  rt::statement(42);
  g_fault_in_malloc = true;
  rt::Bytes grown(1000, 'x');  // allocates: the fault
  rt::files::print(2, grown, rt::Sep::kNone);
}

}  // namespace

extern "C" {
void* malloc(size_t n) {
  Locked hold;
  if (g_fault_in_malloc) *g_nowhere = 1;
  return __libc_malloc(n);
}
void* calloc(size_t count, size_t n) {
  Locked hold;
  return __libc_calloc(count, n);
}
void* realloc(void* p, size_t n) {
  Locked hold;
  return __libc_realloc(p, n);
}
void free(void* p) {
  Locked hold;
  __libc_free(p);
}
}

int main(int argc, char** argv) {
  return rt::run_program(argc, argv, {"fault_in_malloc_program", "0", "no arguments\n"},
                         faulting_main);
}
