// A history of undo steps: each step is the list of records one user action wrote (each
// record knows the old and the new value of what it changed). Records go into an open
// step; commit() closes it as the newest step. The history holds at most `capacity`
// steps and drops the oldest step whole when full; a new step discards every step that
// redo could have reached. Every state the history can reach has an id, so a caller can
// remember the state that was last saved and ask whether undo or redo brought it back.
// Plain C++, no globals: each editor owns one instance.
#pragma once
#include <cstddef>
#include <cstdint>
#include <deque>
#include <utility>
#include <vector>

template <typename Record>
class UndoHistory {
 public:
  using Step = std::vector<Record>;

  explicit UndoHistory(size_t capacity = 0) : capacity_(capacity) {}

  size_t capacity() const { return capacity_; }
  // Keeps the newest applied steps that fit; redo steps that no longer fit go first.
  void set_capacity(size_t steps) {
    capacity_ = steps;
    while (steps_.size() > capacity_ && steps_.size() > position_) steps_.pop_back();
    while (steps_.size() > capacity_) drop_oldest();
  }

  void record(Record r) { open_.push_back(std::move(r)); }
  bool step_open() const { return !open_.empty(); }
  const Step& open_step() const { return open_; }
  // Closes the open step. With no room (capacity 0) the step is lost, and with it the way
  // back to any earlier state. Returns whether a step was closed.
  bool commit() {
    if (open_.empty()) return false;
    steps_.erase(steps_.begin() + static_cast<std::ptrdiff_t>(position_), steps_.end());
    ++last_id_;
    if (capacity_ == 0) {
      steps_.clear();
      position_ = 0;
      base_id_ = last_id_;
    } else {
      steps_.push_back({last_id_, std::move(open_)});
      position_ = steps_.size();
      while (steps_.size() > capacity_) drop_oldest();
    }
    open_.clear();
    return true;
  }
  void discard_open() { open_.clear(); }

  // The step to take back (apply its old values, last record first), or null at the start.
  const Step* undo() {
    if (position_ == 0) return nullptr;
    return &steps_[--position_].records;
  }
  // The step to apply again (its new values, first record first), or null at the end.
  const Step* redo() {
    if (position_ >= steps_.size()) return nullptr;
    return &steps_[position_++].records;
  }
  size_t undo_count() const { return position_; }
  size_t redo_count() const { return steps_.size() - position_; }
  size_t step_count() const { return steps_.size(); }

  // Forgets every step; the present state becomes a new one that nothing was saved in.
  void clear() {
    steps_.clear();
    open_.clear();
    position_ = 0;
    base_id_ = ++last_id_;
  }

  // Id of the present state: the id of the last applied step, or of the state before the
  // oldest step held. Ids are never reused, so a state lost to a new step never returns.
  uint64_t state_id() const { return position_ == 0 ? base_id_ : steps_[position_ - 1].id; }
  void mark_saved() { saved_id_ = state_id(); }
  bool at_saved() const { return state_id() == saved_id_; }

 private:
  struct Entry {
    uint64_t id;
    Step records;
  };
  void drop_oldest() {
    base_id_ = steps_.front().id;
    steps_.pop_front();
    if (position_ > 0) --position_;
  }

  size_t capacity_;
  std::deque<Entry> steps_;
  Step open_;
  size_t position_ = 0;
  uint64_t last_id_ = 0, base_id_ = 0, saved_id_ = 0;
};
