// Items of a list made by a pool of worker threads and handed back strictly in
// list order to the thread that asked, which alone acts on them.
//
// Workers start the items in list order, never more than `ahead` items past the
// one the caller takes next, so no more than that many results wait in memory.
// Next() returns the result of item 0, then 1, 2 ...; while the item is not done
// it calls `while_waiting` about every 20 ms (a window lets its events through
// there). What `make` throws for an item is thrown by Next() at that item.
// Destroying the work starts no further item and waits for the running ones, so
// the caller may stop at any item (an error, a refusal) and nothing runs on.
#pragma once

#include <algorithm>
#include <chrono>
#include <condition_variable>
#include <exception>
#include <functional>
#include <mutex>
#include <optional>
#include <thread>
#include <utility>
#include <vector>

namespace montrelle {

// The machine's hardware threads, at least 1.
int DefaultWorkerCount();

template <typename Result>
class OrderedWork {
 public:
  // `make` runs on the workers, for several items at once.
  OrderedWork(int count, int workers, std::function<Result(int item)> make)
      : count_(count),
        ahead_(2 * std::max(workers, 1)),
        make_(std::move(make)),
        results_(static_cast<size_t>(count)),
        errors_(static_cast<size_t>(count)),
        done_(static_cast<size_t>(count), false) {
    for (int w = 0; w < std::min(std::max(workers, 1), count); ++w) {
      threads_.emplace_back([this] { Work(); });
    }
  }

  ~OrderedWork() {
    {
      std::lock_guard lock(mutex_);
      stopping_ = true;
    }
    room_.notify_all();
    for (std::thread& thread : threads_) thread.join();
  }

  OrderedWork(const OrderedWork&) = delete;
  OrderedWork& operator=(const OrderedWork&) = delete;

  // The next item's result, in list order; at most `count` calls.
  Result Next(const std::function<void()>& while_waiting) {
    std::unique_lock lock(mutex_);
    const auto item = static_cast<size_t>(taken_);
    while (!done_[item]) {
      if (!finished_.wait_for(lock, std::chrono::milliseconds(20), [&] { return done_[item]; })) {
        lock.unlock();
        while_waiting();
        lock.lock();
      }
    }
    ++taken_;
    room_.notify_all();
    std::exception_ptr error = std::exchange(errors_[item], nullptr);
    std::optional<Result> result = std::exchange(results_[item], std::nullopt);
    lock.unlock();
    if (error) std::rethrow_exception(error);
    return std::move(*result);
  }

 private:
  void Work() {
    std::unique_lock lock(mutex_);
    while (true) {
      room_.wait(lock,
                 [&] { return stopping_ || started_ >= count_ || started_ < taken_ + ahead_; });
      if (stopping_ || started_ >= count_) return;
      const int item = started_++;
      lock.unlock();
      std::optional<Result> result;
      std::exception_ptr error;
      try {
        result.emplace(make_(item));
      } catch (...) {
        error = std::current_exception();
      }
      lock.lock();
      results_[static_cast<size_t>(item)] = std::move(result);
      errors_[static_cast<size_t>(item)] = error;
      done_[static_cast<size_t>(item)] = true;
      finished_.notify_all();
    }
  }

  const int count_;
  const int ahead_;
  const std::function<Result(int)> make_;

  std::mutex mutex_;
  std::condition_variable room_;      // an item may start, or the work stops
  std::condition_variable finished_;  // an item is done
  std::vector<std::optional<Result>> results_;
  std::vector<std::exception_ptr> errors_;
  std::vector<bool> done_;
  int started_ = 0;
  int taken_ = 0;
  bool stopping_ = false;
  std::vector<std::thread> threads_;
};

}  // namespace montrelle
