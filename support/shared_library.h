// A shared library loaded when it is first needed (dlopen), for the parts of
// the program only some commands use: a command that never downloads or
// solves starts without libcurl or the solver and the libraries they bring.
#ifndef ZELVOMINI_SUPPORT_SHARED_LIBRARY_H_
#define ZELVOMINI_SUPPORT_SHARED_LIBRARY_H_

#include <string>

namespace zelvo {

class SharedLibrary {
 public:
  // Loads the library by its file name (an soname such as "libcurl.so.4",
  // found where the dynamic loader looks, or a path).  It stays loaded for
  // the life of the process.
  explicit SharedLibrary(const std::string& name);
  SharedLibrary(const SharedLibrary&) = delete;
  SharedLibrary& operator=(const SharedLibrary&) = delete;

  bool loaded() const { return handle_ != nullptr; }
  // Why loading or the last look-up failed, as the dynamic loader says it.
  const std::string& error() const { return error_; }

  // The address of a function; false (and error()) when the library lacks it.
  template <typename Function>
  bool Get(const char* symbol, Function*& function) {
    void* address = Find(symbol);
    function = reinterpret_cast<Function*>(address);
    return address != nullptr;
  }

 private:
  void* Find(const char* symbol);

  void* handle_ = nullptr;
  std::string error_;
};

}  // namespace zelvo

#endif  // ZELVOMINI_SUPPORT_SHARED_LIBRARY_H_
