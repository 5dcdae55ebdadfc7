// The lottery rules: mini toto pays a single prize grade.
#ifndef ZELVOMINI_CORE_TOTO_RULES_H_
#define ZELVOMINI_CORE_TOTO_RULES_H_

namespace zelvo {

class clsToto {
 public:
  int GetMaxGrade(int /*kaisaikai*/) const { return 1; }
};

// The process-wide rules object created at start-up.
inline const clsToto& totoRules() {
  static const clsToto rules;
  return rules;
}

}  // namespace zelvo

#endif  // ZELVOMINI_CORE_TOTO_RULES_H_
