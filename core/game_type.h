// The competitions a designated match can belong to.
#ifndef ZELVOMINI_CORE_GAME_TYPE_H_
#define ZELVOMINI_CORE_GAME_TYPE_H_

#include <string>

namespace zelvo {

class clsTGameType {
 public:
  int Count() const { return 4; }
  // "J1", "J2", "ナビスコカップ", "天皇杯" for 1 to 4; "" otherwise.
  std::string Text(int number) const;
  // Number of the first entry equal to the key, case-insensitively; 0 if none.
  int GetNo(const std::string& key) const;
  bool Exists(const std::string& type) const { return GetNo(type) > 0; }
};

}  // namespace zelvo

#endif  // ZELVOMINI_CORE_GAME_TYPE_H_
