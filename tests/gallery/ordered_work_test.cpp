#include "gallery/ordered_work.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <latch>
#include <mutex>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

namespace montrelle {
namespace {

using namespace std::chrono_literals;

TEST(OrderedWork, ResultsComeInListOrderWhateverOrderTheyAreDoneIn) {
  // Item 0 is done last, after every other item and after the caller was told to
  // wait for it.
  constexpr int kCount = 12;
  std::latch others_done(kCount - 1);
  std::atomic<bool> caller_waited = false;
  std::vector<std::thread::id> waited_on;
  std::vector<int> results;
  {
    OrderedWork<int> work(kCount, 6, [&](int item) {
      if (item == 0) {
        others_done.wait();
        caller_waited.wait(false);
      } else {
        others_done.count_down();
      }
      return item * item;
    });
    for (int i = 0; i < kCount; ++i) {
      results.push_back(work.Next([&] {
        waited_on.push_back(std::this_thread::get_id());
        caller_waited = true;
        caller_waited.notify_all();
      }));
    }
  }
  std::vector<int> expected;
  for (int i = 0; i < kCount; ++i) expected.push_back(i * i);
  EXPECT_EQ(results, expected);
  EXPECT_EQ(waited_on, std::vector<std::thread::id>(waited_on.size(), std::this_thread::get_id()));
}

TEST(OrderedWork, StartsNoMoreThanTwiceTheWorkersAheadOfTheCaller) {
  // With 3 workers, item n starts only once the caller has taken item n - 6; the
  // caller's own count lags the work's by at most the item it is taking.
  std::mutex mutex;
  std::condition_variable changed;
  int started = 0, taken = 0;
  std::vector<int> started_too_soon;
  OrderedWork<int> work(50, 3, [&](int item) {
    std::lock_guard lock(mutex);
    if (item >= taken + 1 + 6) started_too_soon.push_back(item);
    ++started;
    changed.notify_all();
    return item;
  });
  for (int i = 0; i < 50; ++i) {
    if (i == 0) {
      // Six items start before the caller takes any.
      std::unique_lock lock(mutex);
      EXPECT_TRUE(changed.wait_for(lock, 60s, [&] { return started >= 6; }));
    }
    EXPECT_EQ(work.Next([] {}), i);
    std::lock_guard lock(mutex);
    ++taken;
  }
  EXPECT_EQ(started_too_soon, std::vector<int>{});
}

TEST(OrderedWork, AFailureComesAtItsItemAndTheCallerMayStopThere) {
  std::atomic<int> started = 0;
  std::latch seven_failed(1);
  std::vector<std::string> seen;
  {
    OrderedWork<int> work(100, 4, [&](int item) {
      ++started;
      // Item 5 fails, item 7 too and sooner; the caller hears of item 5.
      if (item == 5) {
        seven_failed.wait();
        throw std::runtime_error("item 5");
      }
      if (item == 7) {
        seven_failed.count_down();
        throw std::runtime_error("item 7");
      }
      return item;
    });
    try {
      for (int i = 0; i < 100; ++i) seen.push_back(std::to_string(work.Next([] {})));
    } catch (const std::runtime_error& error) {
      seen.push_back(error.what());
    }
  }
  EXPECT_EQ(seen, (std::vector<std::string>{"0", "1", "2", "3", "4", "item 5"}));
  // Stopping at item 5 left the items beyond the window unstarted.
  EXPECT_LE(started, 6 + 8);
}

TEST(OrderedWork, NoItemsNoThreads) {
  OrderedWork<int> work(0, 4, [](int) -> int { throw std::logic_error("never called"); });
}

}  // namespace
}  // namespace montrelle
