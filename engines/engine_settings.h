// The engine choice, the engine limits and the extraction settings of a
// document, passed by value into every search.
#ifndef ZELVOMINI_ENGINES_ENGINE_SETTINGS_H_
#define ZELVOMINI_ENGINES_ENGINE_SETTINGS_H_

namespace zelvo {

struct EngineSettings {
  int MsEngine = 0;        // 0 none ... 5 count optimisation
  int BeginCount = 100;    // trial engine: tickets to start at
  int EndCount = 1;        // trial engine: tickets to end at
  int EndTime = 0;         // trial engine: seconds per ticket count, 0 none
  bool ExGrade2 = false;   // widen to grade-2 reach
  bool ExGrade3 = false;   // widen to grade-3 reach
  int SeBeginCount = 10;   // count optimisation: tickets to buy
  int SeEndTime = 0;       // count optimisation: seconds, 0 none
  bool ChushutsuFlag = false;  // extraction on
  int ChushutsuCount = 10;     // singles to extract
  int ChushutsuType = 0;       // 0 random; 1-3 shown disabled

  bool operator==(const EngineSettings&) const = default;
};

}  // namespace zelvo

#endif  // ZELVOMINI_ENGINES_ENGINE_SETTINGS_H_
