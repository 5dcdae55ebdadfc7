// The build without a solver (ZELVO_WITH_CBC off): the proven minimum is not
// available, and the command says so.
#include "analysis/cover_solver.h"

namespace zelvo {

bool CoverSolverBuiltIn() { return false; }

CoverSolution SolveCover(const CoverProblem&) {
  CoverSolution out;
  out.error = "this build has no solver for the proven minimum";
  return out;
}

}  // namespace zelvo
