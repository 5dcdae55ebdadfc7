// COIN-OR CBC through its C interface.  Built only with ZELVO_WITH_CBC.
#include <coin/Cbc_C_Interface.h>

#include <memory>
#include <numeric>

#include "analysis/cover_solver.h"
#include "support/shared_library.h"

#ifndef ZELVO_CBC_SONAME
#define ZELVO_CBC_SONAME "libCbcSolver.so.3"
#endif

namespace zelvo {
namespace {

// The solver is loaded when a minimum is first asked for: with it come a
// dozen libraries (Clp, Osi, LAPACK, BLAS, gfortran, ...) that no other
// command needs and every start would otherwise load.
struct Cbc {
  Cbc() : library(ZELVO_CBC_SONAME) {
    ok = library.Get("Cbc_newModel", new_model) && library.Get("Cbc_deleteModel", delete_model) &&
         library.Get("Cbc_addCol", add_col) && library.Get("Cbc_addRow", add_row) &&
         library.Get("Cbc_setLogLevel", set_log_level) &&
         library.Get("Cbc_setParameter", set_parameter) &&
         library.Get("Cbc_setMaximumSeconds", set_maximum_seconds) &&
         library.Get("Cbc_setMIPStartI", set_mip_start) &&
         library.Get("Cbc_addCutCallback", add_cut_callback) && library.Get("Cbc_solve", solve) &&
         library.Get("Cbc_bestSolution", best_solution) &&
         library.Get("Cbc_getBestPossibleObjValue", best_possible) &&
         library.Get("Cbc_isProvenOptimal", is_proven_optimal) &&
         library.Get("Osi_getNumCols", osi_num_cols) &&
         library.Get("OsiCuts_addRowCut", osi_cuts_add_row_cut);
  }

  SharedLibrary library;
  bool ok = false;
  decltype(&Cbc_newModel) new_model = nullptr;
  decltype(&Cbc_deleteModel) delete_model = nullptr;
  decltype(&Cbc_addCol) add_col = nullptr;
  decltype(&Cbc_addRow) add_row = nullptr;
  decltype(&Cbc_setLogLevel) set_log_level = nullptr;
  decltype(&Cbc_setParameter) set_parameter = nullptr;
  decltype(&Cbc_setMaximumSeconds) set_maximum_seconds = nullptr;
  decltype(&Cbc_setMIPStartI) set_mip_start = nullptr;
  decltype(&Cbc_addCutCallback) add_cut_callback = nullptr;
  decltype(&Cbc_solve) solve = nullptr;
  decltype(&Cbc_bestSolution) best_solution = nullptr;
  decltype(&Cbc_getBestPossibleObjValue) best_possible = nullptr;
  decltype(&Cbc_isProvenOptimal) is_proven_optimal = nullptr;
  decltype(&Osi_getNumCols) osi_num_cols = nullptr;
  decltype(&OsiCuts_addRowCut) osi_cuts_add_row_cut = nullptr;
};

Cbc& cbc() {
  static Cbc solver;
  return solver;
}

struct ModelDeleter {
  void operator()(Cbc_Model* m) const { cbc().delete_model(m); }
};

// The solver's C interface has no stop call, but it asks a cut generator at
// every node.  Once a stop is requested the generator answers with a cut no
// choice can meet (the chosen columns sum to less than zero): every open node
// then fails at once and the search runs out within a node or two.  What it
// reports afterwards is no proof, so the caller is told it was stopped.
extern "C" void StopCut(void* osi_solver, void* osi_cuts, void* app_data) {
  const CoverProblem* problem = static_cast<const CoverProblem*>(app_data);
  if (!problem->stop_requested()) return;
  const int columns = cbc().osi_num_cols(osi_solver);
  if (columns <= 0) return;
  std::vector<int> index(static_cast<size_t>(columns));
  std::iota(index.begin(), index.end(), 0);
  std::vector<double> ones(index.size(), 1.0);
  cbc().osi_cuts_add_row_cut(osi_cuts, columns, index.data(), ones.data(), 'L', -1);
}

}  // namespace

bool CoverSolverBuiltIn() { return true; }

CoverSolution SolveCover(const CoverProblem& problem) {
  CoverSolution out;
  if (!cbc().ok) {
    out.error = "the solver cannot be loaded: " + cbc().library.error();
    return out;
  }
  std::unique_ptr<Cbc_Model, ModelDeleter> model(cbc().new_model());
  if (!model) {
    out.error = "the solver could not create a model";
    return out;
  }
  Cbc_Model* m = model.get();
  for (int c = 0; c < problem.columns; ++c) cbc().add_col(m, "", 0, 1, 1, 1, 0, nullptr, nullptr);
  for (const std::vector<int>& row : problem.rows) {
    std::vector<double> ones(row.size(), 1.0);
    cbc().add_row(m, "", static_cast<int>(row.size()), row.data(), ones.data(), 'G', 1);
  }
  // The solver writes its progress to standard output unless told not to;
  // the command line's output must stay the program's own.
  cbc().set_log_level(m, 0);
  cbc().set_parameter(m, "log", "0");
  cbc().set_parameter(m, "slog", "0");
  // Its default clock is processor time, which on a busy machine lets a
  // "10 s" run take far longer than the user waited for.
  cbc().set_parameter(m, "timeMode", "elapsed");
  cbc().set_maximum_seconds(m, problem.time_limit);
  if (!problem.start.empty()) {
    std::vector<double> ones(problem.start.size(), 1.0);
    cbc().set_mip_start(m, static_cast<int>(problem.start.size()), problem.start.data(),
                        ones.data());
  }
  if (problem.stop_requested) {
    if (problem.stop_requested()) {
      out.stopped = true;
      out.error = "stopped";
      return out;
    }
    cbc().add_cut_callback(m, StopCut, "stop", const_cast<CoverProblem*>(&problem));
  }
  cbc().solve(m);
  if (problem.stop_requested && problem.stop_requested()) {
    out.stopped = true;
    out.error = "stopped";
    return out;
  }
  const double* solution = cbc().best_solution(m);
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
    const double bound = cbc().best_possible(m);
    out.bound = bound >= 0 && bound <= static_cast<double>(problem.start.size()) ? bound : 0;
    return out;
  }
  for (int c = 0; c < problem.columns; ++c) {
    if (solution[c] > 0.5) out.chosen.push_back(c);
  }
  out.solved = true;
  out.proven = cbc().is_proven_optimal(m) != 0;
  out.bound = cbc().best_possible(m);
  return out;
}

}  // namespace zelvo
