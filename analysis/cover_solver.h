// The exact covering problem behind the proven minimum, handed to an integer
// programming solver: choose the fewest columns such that every row holds a
// chosen column.
#ifndef ZELVOMINI_ANALYSIS_COVER_SOLVER_H_
#define ZELVOMINI_ANALYSIS_COVER_SOLVER_H_

#include <functional>
#include <string>
#include <vector>

namespace zelvo {

struct CoverProblem {
  int columns = 0;
  std::vector<std::vector<int>> rows;  // per row, the columns that cover it
  std::vector<int> start;              // a known cover, the solver's first incumbent
  double time_limit = 10;              // seconds of wall time
  // Asked between the solver's nodes: true ends the run early (Ctrl+C on
  // the command line), with no claim about the minimum.
  std::function<bool()> stop_requested;
};

struct CoverSolution {
  bool solved = false;  // the solver ran and returned a cover
  bool proven = false;  // the cover is a minimum
  std::vector<int> chosen;
  double bound = 0;  // the solver's lower bound on the minimum
  std::string error;
  bool stopped = false;  // stop_requested ended the run: nothing is proven
};

// False when this build has no solver (the CMake option ZELVO_WITH_CBC off).
bool CoverSolverBuiltIn();
CoverSolution SolveCover(const CoverProblem& problem);

}  // namespace zelvo

#endif  // ZELVOMINI_ANALYSIS_COVER_SOLVER_H_
