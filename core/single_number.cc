#include "core/single_number.h"

#include <stdexcept>
#include <vector>

#include "support/error_report.h"

namespace zelvo {
namespace {

constexpr const char* kClass = "clsTNumber";

void Need(size_t have, size_t need) {
  if (have < need) throw std::out_of_range("array bounds");
}

}  // namespace

clsTNumber::clsTNumber() {
  int p = 1;
  for (int& v : pow3_) {
    v = p;
    p *= 3;
  }
}

void clsTNumber::NoToByte(int no, std::span<uint8_t> kousei) const {
  try {
    int v = no;
    for (int i = 4; i >= 0; --i) {
      Need(kousei.size(), i + 1);
      kousei[i] = static_cast<uint8_t>(v / pow3_[i]);
      v %= pow3_[i];
    }
  } catch (const std::exception& e) {
    ReportException(kClass, "NoToArray", e);
  }
}

void clsTNumber::NoToLong(int no, std::span<int> kousei) const {
  try {
    int v = no;
    for (int i = 4; i >= 0; --i) {
      Need(kousei.size(), i + 1);
      kousei[i] = v / pow3_[i];
      v %= pow3_[i];
    }
  } catch (const std::exception& e) {
    ReportException(kClass, "NoToArray_Long", e);
  }
}

int clsTNumber::ByteToNo(std::span<const uint8_t> kousei) const {
  int no = 0;
  try {
    for (int i = 0; i < 5; ++i) {
      Need(kousei.size(), i + 1);
      no += kousei[i] * pow3_[i];
    }
  } catch (const std::exception& e) {
    ReportException(kClass, "ArrayToNo", e);
  }
  return no;
}

int clsTNumber::LongToNo(std::span<const int> kousei) const {
  int no = 0;
  try {
    for (int i = 0; i < 5; ++i) {
      Need(kousei.size(), i + 1);
      no += kousei[i] * pow3_[i];
    }
  } catch (const std::exception& e) {
    ReportException(kClass, "ArrayToNo_Long", e);
  }
  return no;
}

void clsTNumber::Write2List(int value, std::span<int> list, int start) const {
  int base[5];
  int v = value;
  for (int i = 4; i >= 0; --i) {
    base[i] = v / pow3_[i];
    v %= pow3_[i];
  }
  size_t pos = start;
  for (int i = 0; i < 5; ++i) {
    for (int j = 0; j < 3; ++j) {
      if (j == base[i]) continue;
      Need(list.size(), pos + 1);
      list[pos++] = value + (j - base[i]) * pow3_[i];
    }
  }
}

void clsTNumber::Write3List(int value, std::span<int> list, int start) const {
  int base[5];
  int v = value;
  for (int i = 4; i >= 0; --i) {
    base[i] = v / pow3_[i];
    v %= pow3_[i];
  }
  size_t pos = start;
  for (int p = 0; p < 4; ++p) {
    for (int q = p + 1; q < 5; ++q) {
      for (int a = 0; a < 3; ++a) {
        if (a == base[p]) continue;
        for (int b = 0; b < 3; ++b) {
          if (b == base[q]) continue;
          Need(list.size(), pos + 1);
          list[pos++] = value + (a - base[p]) * pow3_[p] + (b - base[q]) * pow3_[q];
        }
      }
    }
  }
}

void clsTNumber::Get2List(int value, std::span<int> list) const {
  try {
    Write2List(value, list, 0);
  } catch (const std::exception& e) {
    ReportException(kClass, "Get2List_Sub", e);
  }
}

void clsTNumber::Get3List(int value, std::span<int> list) const {
  try {
    Write3List(value, list, 0);
  } catch (const std::exception& e) {
    ReportException(kClass, "Get3List_Sub", e);
  }
}

void clsTNumber::Get12List(int value, std::span<int> list) const {
  try {
    Need(list.size(), 1);
    list[0] = value;
    Write2List(value, list, 1);
  } catch (const std::exception& e) {
    ReportException(kClass, "Get2List_Sub", e);
  }
}

void clsTNumber::Get123List(int value, std::span<int> list) const {
  const char* proc = "Get2List_Sub";
  try {
    Need(list.size(), 1);
    list[0] = value;
    Write2List(value, list, 1);
    proc = "Get3List_Sub";
    Write3List(value, list, 11);
  } catch (const std::exception& e) {
    ReportException(kClass, proc, e);
  }
}

namespace {

struct ReachTables {
  std::array<std::array<int, kReach2Size>, kSingles> reach2;
  std::array<std::array<int, kReach3Size>, kSingles> reach3;
  ReachTables() {
    clsTNumber number;
    for (int s = 0; s < kSingles; ++s) {
      number.Get12List(s, reach2[s]);
      number.Get123List(s, reach3[s]);
    }
  }
};

const ReachTables& Tables() {
  static const ReachTables tables;
  return tables;
}

}  // namespace

const std::array<int, kReach2Size>& Reach2(int single) { return Tables().reach2.at(single); }
const std::array<int, kReach3Size>& Reach3(int single) { return Tables().reach3.at(single); }

}  // namespace zelvo
