#include "support/shared_library.h"

#include <dlfcn.h>

namespace zelvo {

SharedLibrary::SharedLibrary(const std::string& name) {
  // Symbols are bound as they are called, and the library's own stay its
  // own: nothing it defines may stand in for the program's.
  handle_ = dlopen(name.c_str(), RTLD_LAZY | RTLD_LOCAL);
  if (!handle_) {
    const char* why = dlerror();
    error_ = why ? why : name + ": cannot be loaded";
  }
}

void* SharedLibrary::Find(const char* symbol) {
  if (!handle_) return nullptr;
  dlerror();
  void* address = dlsym(handle_, symbol);
  if (!address) {
    const char* why = dlerror();
    error_ = why ? why : std::string(symbol) + ": not found";
  }
  return address;
}

}  // namespace zelvo
