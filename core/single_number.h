// Single numbers: the five outcomes of a group's matches read as a base-3
// number, match index 0 the least significant digit (0 to 242).
#ifndef ZELVOMINI_CORE_SINGLE_NUMBER_H_
#define ZELVOMINI_CORE_SINGLE_NUMBER_H_

#include <array>
#include <cstdint>
#include <span>

namespace zelvo {

inline constexpr int kMatches = 5;
inline constexpr int kSingles = 243;
inline constexpr int kReach2Size = 11;  // the single and its 10 one-match neighbours
inline constexpr int kReach3Size = 51;  // ... and its 40 two-match neighbours

class clsTNumber {
 public:
  clsTNumber();

  // Number to outcome array (the array must hold indexes 0 to 4).
  void NoToByte(int no, std::span<uint8_t> kousei) const;
  void NoToLong(int no, std::span<int> kousei) const;
  // Outcome array to number.
  int ByteToNo(std::span<const uint8_t> kousei) const;
  int LongToNo(std::span<const int> kousei) const;

  // Neighbour lists, written from index 0: the 10 singles one match away;
  // the 40 two matches away; the single itself then its 10; the single, its
  // 10 and its 40.
  void Get2List(int value, std::span<int> list) const;
  void Get3List(int value, std::span<int> list) const;
  void Get12List(int value, std::span<int> list) const;
  void Get123List(int value, std::span<int> list) const;

 private:
  void Write2List(int value, std::span<int> list, int start) const;
  void Write3List(int value, std::span<int> list, int start) const;
  std::array<int, 6> pow3_;
};

// The Get12List / Get123List of every single, computed once: the engines and
// the coverage counts read a single's reach from here without recomputing it.
const std::array<int, kReach2Size>& Reach2(int single);
const std::array<int, kReach3Size>& Reach3(int single);

// Outcome of match `match` in a single (no checks).
inline int OutcomeOf(int single, int match) {
  static constexpr int kPow3[] = {1, 3, 9, 27, 81};
  return (single / kPow3[match]) % 3;
}

}  // namespace zelvo

#endif  // ZELVOMINI_CORE_SINGLE_NUMBER_H_
