#include "gallery/ordered_work.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

namespace montrelle {
namespace {

using namespace std::chrono_literals;

TEST(OrderedWork, ResultsComeInListOrderWhateverOrderTheyAreDoneIn) {
  // Each item takes longer than the next, so with six workers the later ones are
  // done first.
  constexpr int kCount = 12;
  std::vector<std::thread::id> waited_on;
  std::vector<int> results;
  {
    OrderedWork<int> work(kCount, 6, [](int item) {
      std::this_thread::sleep_for(std::chrono::milliseconds(3 * (kCount - item)));
      return item * item;
    });
    for (int i = 0; i < kCount; ++i) {
      results.push_back(work.Next([&] { waited_on.push_back(std::this_thread::get_id()); }));
    }
  }
  std::vector<int> expected;
  for (int i = 0; i < kCount; ++i) expected.push_back(i * i);
  EXPECT_EQ(results, expected);
  // Item 0 alone takes 36 ms: the caller was told to wait at least once, on its own thread.
  EXPECT_FALSE(waited_on.empty());
  EXPECT_EQ(waited_on, std::vector<std::thread::id>(waited_on.size(), std::this_thread::get_id()));
}

// Waits until `count` reaches `expected`, then a little longer, and returns it:
// a count that went beyond shows.
int SettledAt(const std::atomic<int>& count, int expected) {
  for (int i = 0; i < 500 && count < expected; ++i) std::this_thread::sleep_for(10ms);
  std::this_thread::sleep_for(30ms);
  return count;
}

TEST(OrderedWork, StartsNoMoreThanTwiceTheWorkersAheadOfTheCaller) {
  std::atomic<int> started = 0;
  OrderedWork<int> work(50, 3, [&](int item) {
    ++started;
    return item;
  });
  EXPECT_EQ(SettledAt(started, 6), 6);
  for (int i = 0; i < 4; ++i) EXPECT_EQ(work.Next([] {}), i);
  EXPECT_EQ(SettledAt(started, 10), 10);
}

TEST(OrderedWork, AFailureComesAtItsItemAndTheCallerMayStopThere) {
  std::atomic<int> started = 0;
  std::vector<std::string> seen;
  {
    OrderedWork<int> work(100, 4, [&](int item) {
      ++started;
      // Item 5 fails, item 7 too and sooner; the caller hears of item 5.
      if (item == 5) {
        std::this_thread::sleep_for(20ms);
        throw std::runtime_error("item 5");
      }
      if (item == 7) throw std::runtime_error("item 7");
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
