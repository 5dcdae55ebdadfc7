// COIN-OR CBC through its C interface.  Built only with ZELVO_WITH_CBC.
#include <coin/Cbc_C_Interface.h>

#include <memory>
#include <numeric>

#include "analysis/cover_solver.h"

namespace zelvo {
namespace {

struct ModelDeleter {
  void operator()(Cbc_Model* m) const { Cbc_deleteModel(m); }
};

// The solver's C interface has no stop call, but it asks a cut generator at
// every node.  Once a stop is requested the generator answers with a cut no
// choice can meet (the chosen columns sum to less than zero): every open node
// then fails at once and the search runs out within a node or two.  What it
// reports afterwards is no proof, so the caller is told it was stopped.
extern "C" void StopCut(void* osi_solver, void* osi_cuts, void* app_data) {
  const CoverProblem* problem = static_cast<const CoverProblem*>(app_data);
  if (!problem->stop_requested()) return;
  const int columns = Osi_getNumCols(osi_solver);
  if (columns <= 0) return;
  std::vector<int> index(static_cast<size_t>(columns));
  std::iota(index.begin(), index.end(), 0);
  std::vector<double> ones(index.size(), 1.0);
  OsiCuts_addRowCut(osi_cuts, columns, index.data(), ones.data(), 'L', -1);
}

}  // namespace

bool CoverSolverBuiltIn() { return true; }

CoverSolution SolveCover(const CoverProblem& problem) {
  CoverSolution out;
  std::unique_ptr<Cbc_Model, ModelDeleter> model(Cbc_newModel());
  if (!model) {
    out.error = "the solver could not create a model";
    return out;
  }
  Cbc_Model* m = model.get();
  for (int c = 0; c < problem.columns; ++c) Cbc_addCol(m, "", 0, 1, 1, 1, 0, nullptr, nullptr);
  for (const std::vector<int>& row : problem.rows) {
    std::vector<double> ones(row.size(), 1.0);
    Cbc_addRow(m, "", static_cast<int>(row.size()), row.data(), ones.data(), 'G', 1);
  }
  // The solver writes its progress to standard output unless told not to;
  // the command line's output must stay the program's own.
  Cbc_setLogLevel(m, 0);
  Cbc_setParameter(m, "log", "0");
  Cbc_setParameter(m, "slog", "0");
  // Its default clock is processor time, which on a busy machine lets a
  // "10 s" run take far longer than the user waited for.
  Cbc_setParameter(m, "timeMode", "elapsed");
  Cbc_setMaximumSeconds(m, problem.time_limit);
  if (!problem.start.empty()) {
    std::vector<double> ones(problem.start.size(), 1.0);
    Cbc_setMIPStartI(m, static_cast<int>(problem.start.size()), problem.start.data(), ones.data());
  }
  if (problem.stop_requested) {
    if (problem.stop_requested()) {
      out.stopped = true;
      out.error = "stopped";
      return out;
    }
    Cbc_addCutCallback(m, StopCut, "stop", const_cast<CoverProblem*>(&problem));
  }
  Cbc_solve(m);
  if (problem.stop_requested && problem.stop_requested()) {
    out.stopped = true;
    out.error = "stopped";
    return out;
  }
  const double* solution = Cbc_bestSolution(m);
  if (!solution) {
    // A very short limit can end the run before the solver takes up the
    // starting cover; that cover is still the best one known.
    if (problem.start.empty()) {
      out.error = "the solver found no cover within the time limit";
      return out;
    }
    out.chosen = problem.start;
    out.solved = true;
    out.proven = false;
    const double bound = Cbc_getBestPossibleObjValue(m);
    out.bound = bound >= 0 && bound <= static_cast<double>(problem.start.size()) ? bound : 0;
    return out;
  }
  for (int c = 0; c < problem.columns; ++c) {
    if (solution[c] > 0.5) out.chosen.push_back(c);
  }
  out.solved = true;
  out.proven = Cbc_isProvenOptimal(m) != 0;
  out.bound = Cbc_getBestPossibleObjValue(m);
  return out;
}

}  // namespace zelvo
