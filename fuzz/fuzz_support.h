// What every fuzz target shares: a quiet platform on a fixed clock, a
// program folder of its own with the shipped team names, and the check that
// turns a broken invariant into a crash the fuzzer keeps.
#ifndef ZELVOMINI_FUZZ_FUZZ_SUPPORT_H_
#define ZELVOMINI_FUZZ_FUZZ_SUPPORT_H_

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace zelvo::fuzz {

// Once per process: installs the platform and the program folder.
void Setup();

// Writes the bytes to a file below the program folder and returns its path.
std::string WriteInput(std::string_view relative, std::string_view bytes);

// Messages shown since the last call (the platform only counts them).
int TakeMessageCount();

// Aborts with the text when `ok` is false: a finding.
void Require(bool ok, const char* what);

inline std::string_view AsText(const uint8_t* data, size_t size) {
  return {reinterpret_cast<const char*>(data), size};
}

}  // namespace zelvo::fuzz

#endif  // ZELVOMINI_FUZZ_FUZZ_SUPPORT_H_
