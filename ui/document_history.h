// The main window's undo and redo steps and its changed mark, as snapshots of
// the document the window would save.  The window hands over the document
// after each user action; a difference from the last snapshot is one step.
// What counts is the user's work: the multi, the conditions, the engine
// settings, the singles and the figures and log of the last search.  The
// round, group and vote rates belong to the round on show and are neither
// steps nor changes.
#ifndef ZELVOMINI_UI_DOCUMENT_HISTORY_H_
#define ZELVOMINI_UI_DOCUMENT_HISTORY_H_

#include <cstddef>
#include <cstdint>
#include <deque>
#include <memory>
#include <optional>
#include <vector>

#include "files/document_record.h"

namespace zelvo {

// The singles of a snapshot, one byte each when they are all single numbers:
// a million of them cost a megabyte per step instead of four.  Steps that
// leave the singles alone share them.
class PackedSingles {
 public:
  explicit PackedSingles(const std::vector<int>& singles);
  bool Equals(const std::vector<int>& singles) const;
  bool operator==(const PackedSingles& other) const {
    return narrow_ == other.narrow_ && wide_ == other.wide_;
  }
  std::vector<int> Unpack() const;
  size_t Bytes() const { return narrow_.capacity() + wide_.capacity() * sizeof(int); }

 private:
  std::vector<uint8_t> narrow_;
  std::vector<int> wide_;  // used instead when some value is no single number
};

class DocumentHistory {
 public:
  static constexpr size_t kDefaultSteps = 100;

  explicit DocumentHistory(size_t max_steps = kDefaultSteps) : max_steps_(max_steps) {}

  // A document begun afresh (new, opened): no steps, nothing changed.
  void Reset(const DocumentRecord& doc);
  // The document as the user's last action left it: a difference in the work
  // becomes one undo step (the oldest goes beyond the limit) and drops the
  // redo steps.  True when a step was made.
  // `singles_revision` (0: unknown) names the singles' state: a commit with
  // the revision of the last one may leave `doc`'s singles out, and keeps
  // the snapshot's.
  bool Commit(DocumentRecord doc, uint64_t singles_revision = 0);
  // A change the window made by itself (a page filling in what the round
  // implies, a snapshot put back): no step, and a document that was
  // unchanged stays so.
  void Adopt(DocumentRecord doc, uint64_t singles_revision = 0);
  // The singles' revision of the current snapshot (0: unknown).
  uint64_t SinglesRevision() const { return singles_revision_; }
  // `doc` has just been written to the document's file.
  void MarkSaved(DocumentRecord doc);

  bool Changed() const { return changed_; }
  bool CanUndo() const { return !undo_.empty(); }
  bool CanRedo() const { return !redo_.empty(); }
  size_t UndoSteps() const { return undo_.size(); }
  size_t RedoSteps() const { return redo_.size(); }
  // The document to put back, or nothing when there is no step.  Its round,
  // group and vote rates are those of when the snapshot was taken.
  std::optional<DocumentRecord> Undo();
  std::optional<DocumentRecord> Redo();

  // Memory held by the current snapshot, and by every snapshot kept (shared
  // singles counted once).
  size_t CurrentBytes() const;
  size_t TotalBytes() const;

 private:
  struct Snapshot {
    DocumentRecord doc;  // without its singles
    std::shared_ptr<const PackedSingles> singles;
  };
  Snapshot Take(DocumentRecord doc, uint64_t singles_revision) const;
  static bool SameWork(const Snapshot& a, const Snapshot& b);
  static DocumentRecord Restore(const Snapshot& s);
  static size_t RecordBytes(const DocumentRecord& doc);
  void Refresh() { changed_ = started_ && !SameWork(current_, saved_); }

  size_t max_steps_;
  bool started_ = false;
  bool changed_ = false;
  uint64_t singles_revision_ = 0;
  Snapshot current_;
  Snapshot saved_;
  std::deque<Snapshot> undo_;
  std::vector<Snapshot> redo_;
};

}  // namespace zelvo

#endif  // ZELVOMINI_UI_DOCUMENT_HISTORY_H_
