#include "record_writer.h"

#include <new>

#include "base/files.h"
#include "base/say.h"

namespace tallix {

RecordWriter::RecordWriter(Save save) : save_(std::move(save)), thread_([this] { run(); }) {}

RecordWriter::~RecordWriter() {
  {
    std::lock_guard lock(mutex_);
    ending_ = true;
  }
  changed_.notify_all();
  thread_.join();
}

void RecordWriter::save(RecordSnapshot play, std::filesystem::path path) {
  {
    std::lock_guard lock(mutex_);
    waiting_.emplace(std::move(play), std::move(path));
  }
  changed_.notify_all();
}

std::vector<RecordWriter::Outcome> RecordWriter::takeOutcomes() {
  std::lock_guard lock(mutex_);
  return std::exchange(outcomes_, {});
}

bool RecordWriter::busy() const {
  std::lock_guard lock(mutex_);
  return waiting_ || writing_;
}

std::vector<RecordWriter::Outcome> RecordWriter::finish() {
  std::unique_lock lock(mutex_);
  changed_.wait(lock, [this] { return !waiting_ && !writing_; });
  return std::exchange(outcomes_, {});
}

void RecordWriter::run() {
  std::unique_lock lock(mutex_);
  for (;;) {
    changed_.wait(lock, [this] { return waiting_ || ending_; });
    if (!waiting_) return;  // ending, with nothing left to write
    auto [play, path] = std::move(*waiting_);
    waiting_.reset();
    writing_ = true;
    lock.unlock();
    Outcome outcome;
    try {
      save_(play, path);
    } catch (const FileError& e) {
      outcome.failure = saidOf(e);
    } catch (const std::bad_alloc&) {
      outcome.failure = Say::tr("%1: not enough memory", {path.string()});
    } catch (const std::exception& e) {
      outcome.failure = Say::tr("%1: %2", {path.string(), saidOf(e)});
    } catch (...) {
      outcome.failure = Say::tr("%1: an unexpected error", {path.string()});
    }
    lock.lock();
    writing_ = false;
    outcomes_.push_back(std::move(outcome));
    changed_.notify_all();
  }
}

}  // namespace tallix
