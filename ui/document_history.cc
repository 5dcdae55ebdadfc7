#include "ui/document_history.h"

#include <algorithm>
#include <set>
#include <utility>

#include "core/single_number.h"

namespace zelvo {

PackedSingles::PackedSingles(const std::vector<int>& singles) {
  const bool narrow =
      std::all_of(singles.begin(), singles.end(), [](int s) { return s >= 0 && s < kSingles; });
  if (narrow) {
    narrow_.assign(singles.begin(), singles.end());
  } else {
    wide_ = singles;
  }
}

bool PackedSingles::Equals(const std::vector<int>& singles) const {
  if (!wide_.empty()) return wide_ == singles;
  return std::equal(narrow_.begin(), narrow_.end(), singles.begin(), singles.end(),
                    [](uint8_t a, int b) { return a == b; });
}

std::vector<int> PackedSingles::Unpack() const {
  if (!wide_.empty()) return wide_;
  return std::vector<int>(narrow_.begin(), narrow_.end());
}

DocumentHistory::Snapshot DocumentHistory::Take(DocumentRecord doc,
                                                uint64_t singles_revision) const {
  Snapshot s;
  // Most actions leave the singles alone: share the current ones then,
  // known by their revision or found equal.
  if (started_ && current_.singles && singles_revision != 0 &&
      singles_revision == singles_revision_) {
    s.singles = current_.singles;
  } else if (started_ && current_.singles && current_.singles->Equals(doc.SingleData)) {
    s.singles = current_.singles;
  } else {
    s.singles = std::make_shared<const PackedSingles>(doc.SingleData);
  }
  doc.SingleData.clear();
  doc.SingleData.shrink_to_fit();
  s.doc = std::move(doc);
  return s;
}

bool DocumentHistory::SameWork(const Snapshot& a, const Snapshot& b) {
  const DocumentRecord& x = a.doc;
  const DocumentRecord& y = b.doc;
  if (a.singles != b.singles && !(a.singles && b.singles && *a.singles == *b.singles)) {
    return false;
  }
  return x.Multi == y.Multi && x.Conditions == y.Conditions && x.Engine == y.Engine &&
         x.MsSingleCount == y.MsSingleCount && x.MsSingleFrame == y.MsSingleFrame &&
         x.MsTousen == y.MsTousen && x.SingleCount == y.SingleCount &&
         x.SingleFrame == y.SingleFrame && x.SakugenMessage == y.SakugenMessage &&
         x.OwnProbs == y.OwnProbs;
}

DocumentRecord DocumentHistory::Restore(const Snapshot& s) {
  DocumentRecord doc = s.doc;
  if (s.singles) doc.SingleData = s.singles->Unpack();
  return doc;
}

void DocumentHistory::Reset(const DocumentRecord& doc) {
  started_ = false;
  singles_revision_ = 0;
  current_ = Take(doc, 0);
  saved_ = current_;
  started_ = true;
  undo_.clear();
  redo_.clear();
  Refresh();
}

bool DocumentHistory::Commit(DocumentRecord doc, uint64_t singles_revision) {
  if (!started_) {
    Reset(doc);
    singles_revision_ = singles_revision;
    return false;
  }
  Snapshot next = Take(std::move(doc), singles_revision);
  singles_revision_ = singles_revision;
  if (SameWork(next, current_)) {
    current_ = std::move(next);
    return false;
  }
  undo_.push_back(std::move(current_));
  while (undo_.size() > max_steps_) undo_.pop_front();
  redo_.clear();
  current_ = std::move(next);
  Refresh();
  return true;
}

void DocumentHistory::Adopt(DocumentRecord doc, uint64_t singles_revision) {
  if (!started_) {
    Reset(doc);
    singles_revision_ = singles_revision;
    return;
  }
  const bool was_changed = changed_;
  current_ = Take(std::move(doc), singles_revision);
  singles_revision_ = singles_revision;
  if (!was_changed) saved_ = current_;
  Refresh();
}

void DocumentHistory::MarkSaved(DocumentRecord doc) {
  Commit(std::move(doc));
  saved_ = current_;
  Refresh();
}

std::optional<DocumentRecord> DocumentHistory::Undo() {
  if (undo_.empty()) return std::nullopt;
  redo_.push_back(std::move(current_));
  singles_revision_ = 0;
  current_ = std::move(undo_.back());
  undo_.pop_back();
  Refresh();
  return Restore(current_);
}

std::optional<DocumentRecord> DocumentHistory::Redo() {
  if (redo_.empty()) return std::nullopt;
  undo_.push_back(std::move(current_));
  singles_revision_ = 0;
  current_ = std::move(redo_.back());
  redo_.pop_back();
  Refresh();
  return Restore(current_);
}

size_t DocumentHistory::RecordBytes(const DocumentRecord& doc) {
  size_t bytes = sizeof(DocumentRecord) + doc.Kumi.capacity() + doc.SakugenMessage.capacity();
  for (const auto* entries :
       {&doc.Conditions.Honmei, &doc.Conditions.Ninki, &doc.Conditions.Mark}) {
    for (const ConditionEntry& e : *entries) {
      bytes += e.cells.capacity() * sizeof(e.cells[0]);
      for (const auto& row : e.row_items) bytes += sizeof(row) + row.capacity() / 8;
      for (const std::string& c : e.captions) bytes += sizeof(c) + c.capacity();
    }
  }
  for (const VoteMatch& m : doc.Vote.matches) bytes += m.home.capacity() + m.away.capacity();
  return bytes;
}

size_t DocumentHistory::CurrentBytes() const {
  return RecordBytes(current_.doc) + (current_.singles ? current_.singles->Bytes() : 0);
}

size_t DocumentHistory::TotalBytes() const {
  std::set<const PackedSingles*> counted;
  size_t bytes = 0;
  auto add = [&](const Snapshot& s) {
    bytes += RecordBytes(s.doc);
    if (s.singles && counted.insert(s.singles.get()).second) bytes += s.singles->Bytes();
  };
  add(current_);
  add(saved_);
  for (const Snapshot& s : undo_) add(s);
  for (const Snapshot& s : redo_) add(s);
  return bytes;
}

}  // namespace zelvo
