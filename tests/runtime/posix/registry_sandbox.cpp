// Tests never touch a real registry: both hives go to a fresh folder.
#include <stdlib.h>

#include <string>

namespace {
struct RegistrySandbox {
  RegistrySandbox() {
    char tmpl[] = "/tmp/sardane-registry-XXXXXX";
    std::string root = mkdtemp(tmpl);
    setenv("SARDANE_REGISTRY_USER", (root + "/user").c_str(), 1);
    setenv("SARDANE_REGISTRY_MACHINE", (root + "/machine").c_str(), 1);
  }
} g_sandbox;
}  // namespace
