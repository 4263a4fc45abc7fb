// The make run's benchmark: times the plain path (plain_path.h) against the real
// make run (GenerateGallery) on the same photo-like pictures, made at run time,
// checks that the two write the same files byte for byte, and prints photos per
// second, their ratio and the peak memory of each, for three settings: thumbnails
// only (the default settings), thumbnails and re-encoded main images, and the same
// with every picture turned a quarter. Each side runs in a child process of its
// own, the two in alternation, and the best of the rounds is reported. Beside
// them, the floor (decode_floor.h) measured in the same run, and the make run's
// share of its speed; first, what the JPEG decoder's self-check costs a process.
// Then the responsive layout's make run (every picture averaged at six sizes)
// beside the frame layout's with main images, on 16 of the 12 MP photos, and the
// floor of the responsive run: decoding each photo whole and encoding its largest
// picture, which no reduction however quick can go below.
// Last, a frame gallery of 12 MP photos made again, keeping what exists, after one
// comment changed (rerun_bench.h).
//
//   montrelle_bench [--count12 N] [--count24 N] [--rounds N] [--work DIR] [--keep]
//                   [--rerun N]     photos of the re-run (default 300, 0: none)
//   montrelle_bench --rerun-only ...  only the re-run
//   montrelle_bench --photos-only ...   only makes the photos, kept in the work folder
//   montrelle_bench --smoke     a few small pictures, one round: builds and checks
//
// Exit status 0 when every run succeeded and every pair of galleries is identical.
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <limits>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

#include "bench/child_run.h"
#include "bench/decode_floor.h"
#include "bench/photo_maker.h"
#include "bench/plain_path.h"
#include "bench/quiet_ui.h"
#include "bench/rerun_bench.h"
#include "bench/tree_compare.h"
#include "gallery/batch_state.h"
#include "gallery/generate_gallery.h"
#include "imagelist/image_list.h"
#include "imaging/jpeg_decoder_choice.h"
#include "platform/program_files.h"
#include "settings/apply_options.h"
#include "settings/settings_record.h"

namespace montrelle::bench {
namespace {

struct Options {
  int count12 = 30;
  int count24 = 100;
  int rounds = 2;
  int rerun = 300;
  bool rerun_only = false;
  bool smoke = false;
  bool keep = false;
  bool photos_only = false;
  std::string work;
};

// One size of picture: `distinct` different files, listed `count` times under
// names of their own (hard links), so that a long list needs little disk.
struct PictureSet {
  std::string label;
  int width, height, count, distinct;
};

struct Setting {
  const char* label;
  bool mimake;
  const char* orientation;
};

constexpr Setting kSettings[] = {
    {"thumbnails only (default settings)", false, "0\t0\t0"},
    {"thumbnails + re-encoded main images (mimake)", true, "0\t0\t0"},
    {"thumbnails + main images, every picture turned a quarter", true, "0\t0\t1"},
};

[[noreturn]] void Usage() {
  std::fprintf(stderr,
               "usage: montrelle_bench [--count12 N] [--count24 N] [--rounds N] [--work DIR] "
               "[--keep] [--photos-only] [--rerun N] [--rerun-only] | --smoke\n");
  std::exit(2);
}

Options ParseOptions(int argc, char** argv) {
  Options options;
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    const auto value = [&] {
      if (i + 1 >= argc) Usage();
      return std::string(argv[++i]);
    };
    const auto number = [&] {
      const std::string text = value();
      char* end = nullptr;
      const long n = std::strtol(text.c_str(), &end, 10);
      if (*end != '\0' || n < 0 || n > 100000) Usage();
      return static_cast<int>(n);
    };
    if (arg == "--smoke") {
      options.smoke = true;
    } else if (arg == "--count12") {
      options.count12 = number();
    } else if (arg == "--count24") {
      options.count24 = number();
    } else if (arg == "--rounds") {
      options.rounds = std::max(1, number());
    } else if (arg == "--rerun") {
      options.rerun = number();
    } else if (arg == "--rerun-only") {
      options.rerun_only = true;
    } else if (arg == "--work") {
      options.work = value();
    } else if (arg == "--keep") {
      options.keep = true;
    } else if (arg == "--photos-only") {
      options.photos_only = options.keep = true;
    } else {
      Usage();
    }
  }
  if (options.smoke) options.rounds = 1;
  if (options.smoke) options.rerun = 3;
  return options;
}

std::string LoadAverage() {
  std::ifstream file("/proc/loadavg");
  std::string one, five, fifteen;
  file >> one >> five >> fifteen;
  return one + " " + five + " " + fifteen;
}

// The pictures of a set under `folder`, made in a child so that this process stays
// small, and the list naming them.
std::vector<std::string> MakePictures(const PictureSet& set, const std::string& folder) {
  std::filesystem::create_directories(folder);
  const ChildOutcome made = RunInChild([&] {
    for (int k = 0; k < set.distinct; ++k) {
      WritePhotoLikeJpeg(folder + "/photo-" + std::to_string(k) + ".jpg", set.width, set.height,
                         static_cast<unsigned>(k + 1));
    }
  });
  if (!made.ok) throw std::runtime_error("the pictures could not be made");
  std::vector<std::string> paths;
  for (int i = 0; i < set.count; ++i) {
    char name[32];
    std::snprintf(name, sizeof name, "/p%04d.jpg", i);
    paths.push_back(folder + name);
    std::filesystem::create_hard_link(
        folder + "/photo-" + std::to_string(i % set.distinct) + ".jpg", paths.back());
  }
  return paths;
}

// Reads every picture once, so that no side pays for the first read from disk.
void WarmUp(const std::string& folder) {
  std::vector<char> buffer(1 << 20);
  for (const auto& entry : std::filesystem::directory_iterator(folder)) {
    std::ifstream file(entry.path(), std::ios::binary);
    while (file.read(buffer.data(), static_cast<std::streamsize>(buffer.size()))) {
    }
  }
}

LiveSettings SettingsFor(const Setting& setting, const std::string& out) {
  LiveSettings live = FormDefaults();
  ApplyOptions(DefaultOptions(), live);
  live.mimake = setting.mimake;
  live.out_path = out;
  return live;
}

ChildOutcome RunSide(bool real_run, const LiveSettings& settings, const ImageFileList& list,
                     const std::string& navigation) {
  std::filesystem::remove_all(settings.out_path);
  return RunInChild([&] {
    QuietUi ui;
    if (real_run) {
      BatchState batch;
      const bool ended = GenerateGallery(settings, list, ui, batch, navigation);
      if (!ended || ui.messages != std::vector<std::string>{"終了しました"}) {
        throw std::runtime_error("the make run stopped: " +
                                 (ui.messages.empty() ? std::string() : ui.messages.back()));
      }
    } else {
      PlainMakeRun(settings, list, ui, navigation);
    }
  });
}

double Best(const std::vector<ChildOutcome>& runs) {
  double best = runs.front().seconds;
  for (const ChildOutcome& run : runs) best = std::min(best, run.seconds);
  return best;
}

long PeakMegabytes(const std::vector<ChildOutcome>& runs) {
  long peak = 0;
  for (const ChildOutcome& run : runs) peak = std::max(peak, run.peak_kilobytes);
  return (peak + 512) / 1024;
}

void PrintSide(const char* name, int count, const std::vector<ChildOutcome>& runs) {
  std::printf("    %s %7.1f photos/s   peak %5ld MB   rounds:", name, count / Best(runs),
              PeakMegabytes(runs));
  for (const ChildOutcome& run : runs) std::printf(" %.2f s", run.seconds);
  std::printf("\n");
}

// The floor's speeds in photos per second, each the best of the rounds: on one
// core, spread over every core (c), and measured on every core at once (d).
struct Floors {
  double spread = 0;
  double measured = 0;
};

Floors FloorSpeeds(const PictureSet& set, const std::vector<std::string>& paths,
                   const Options& options) {
  const unsigned cores = std::max(1u, std::thread::hardware_concurrency());
  double one = std::numeric_limits<double>::infinity();
  double every = one;
  for (int round = 0; round < options.rounds; ++round) {
    one = std::min(one, EntropyDecodingSeconds(paths, 1));
    every = std::min(every, EntropyDecodingSeconds(paths, cores));
  }
  const Floors floors{set.count / one * cores, set.count / every};
  std::printf(
      "  %s, %d photos, floor (c): %7.1f photos/s   (entropy decoding only, %.2f s on "
      "one core / %u cores)\n"
      "    the same on every core at once (d): %7.1f photos/s   (%.2f of (c))\n",
      set.label.c_str(), set.count, floors.spread, one, cores, floors.measured,
      floors.measured / floors.spread);
  return floors;
}

// What the decoder's choice costs every make run before its first picture: the
// self-check of the library, in a child process so that it runs there afresh.
void PrintDecoderCheck() {
  const ChildOutcome check = RunInChild([] {
    if (ProcessJpegDecoder().path != JpegDecodePath::kRaw) {
      throw std::runtime_error("the JPEG decoder takes the scanline path");
    }
  });
  std::printf("JPEG decoder self-check: %.1f ms%s\n", check.seconds * 1e3,
              check.ok ? "" : ", every picture read with scanlines");
}

// Both sides of one setting, in alternation; false when anything failed or differed.
bool Compare(const PictureSet& set, const std::vector<std::string>& paths, const Setting& setting,
             const Options& options, const std::string& work, const std::string& navigation,
             const Floors& floors) {
  ImageFileList list;
  for (const std::string& path : paths) list.Append(path, "", setting.orientation);
  const LiveSettings plain = SettingsFor(setting, work + "/out-plain");
  const LiveSettings real = SettingsFor(setting, work + "/out-run");
  std::vector<ChildOutcome> plain_runs, real_runs;
  std::string difference;
  int files = 0;
  for (int round = 0; round < options.rounds; ++round) {
    // Each side goes first in every other round.
    for (const bool real_run : {round % 2 == 1, round % 2 == 0}) {
      const ChildOutcome outcome = RunSide(real_run, real_run ? real : plain, list, navigation);
      if (!outcome.ok) {
        std::printf("  %s, %s: the %s failed\n", set.label.c_str(), setting.label,
                    real_run ? "make run" : "plain path");
        return false;
      }
      (real_run ? real_runs : plain_runs).push_back(outcome);
    }
    const TreeComparison comparison = CompareTrees(plain.out_path, real.out_path);
    files = comparison.files;
    if (difference.empty()) difference = comparison.difference;
  }
  std::printf("  %s, %d photos, %s\n", set.label.c_str(), set.count, setting.label);
  PrintSide("plain path (a):", set.count, plain_runs);
  PrintSide("make run   (b):", set.count, real_runs);
  const double speed = set.count / Best(real_runs);
  std::printf("    (b)/(a) %.2f x   (b)/(c) %.2f of the floor   (b)/(d) %.2f   %s\n",
              Best(plain_runs) / Best(real_runs), speed / floors.spread, speed / floors.measured,
              difference.empty()
                  ? ("all " + std::to_string(files) + " files byte-identical").c_str()
                  : ("NOT IDENTICAL: " + difference).c_str());
  std::fflush(stdout);
  return difference.empty();
}

// The responsive layout's make run beside the frame layout's with main images, in
// alternation; false when either failed.
bool CompareLayouts(const PictureSet& set, const std::vector<std::string>& paths,
                    const Options& options, const std::string& work,
                    const std::string& navigation) {
  constexpr std::size_t kPhotos = 16;
  ImageFileList list;
  for (std::size_t i = 0; i < std::min(kPhotos, paths.size()); ++i)
    list.Append(paths[i], "", "0\t0\t0");
  LiveSettings frame = SettingsFor({"", true, ""}, work + "/out-frame");
  frame.layout = OutputLayout::kFrame;
  LiveSettings responsive = SettingsFor({"", false, ""}, work + "/out-responsive");
  responsive.layout = OutputLayout::kResponsive;
  std::vector<ChildOutcome> frame_runs, responsive_runs;
  for (int round = 0; round < options.rounds; ++round) {
    for (const bool responsive_run : {round % 2 == 1, round % 2 == 0}) {
      const ChildOutcome outcome =
          RunSide(true, responsive_run ? responsive : frame, list, navigation);
      if (!outcome.ok) {
        std::printf("  %s: the %s run failed\n", set.label.c_str(),
                    responsive_run ? "responsive" : "frame");
        return false;
      }
      (responsive_run ? responsive_runs : frame_runs).push_back(outcome);
    }
  }
  const std::vector<std::string> used(paths.begin(), paths.begin() + list.count());
  const int largest = 2 * std::stoi(responsive.responsive_width);
  double floor = std::numeric_limits<double>::max();
  for (int round = 0; round < options.rounds; ++round) {
    floor = std::min(floor, DecodeWholeEncodeLargestSeconds(
                                used, std::max(1u, std::thread::hardware_concurrency()), largest));
  }
  std::printf("  %s, %d photos, the responsive layout beside the frame layout with main images\n",
              set.label.c_str(), list.count());
  PrintSide("frame      (e):", list.count(), frame_runs);
  PrintSide("responsive (f):", list.count(), responsive_runs);
  std::printf(
      "    floor (g): %.2f s   (whole decode, and the largest picture encoded: %d px at most)\n",
      floor, largest);
  std::printf("    time (f)/(e) %.2f x   (g)/(e) %.2f x\n",
              Best(responsive_runs) / Best(frame_runs), floor / Best(frame_runs));
  std::fflush(stdout);
  return true;
}

int Run(const Options& options) {
  std::string work = options.work;
  if (work.empty()) {
    std::string pattern =
        (std::filesystem::temp_directory_path() / "montrelle-bench-XXXXXX").string();
    if (mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("cannot make a work folder");
    work = pattern;
  }
  std::vector<PictureSet> sets;
  if (options.smoke) {
    sets.push_back({"small", 321, 241, 3, 2});
  } else {
    if (options.count12 > 0) sets.push_back({"12 MP", 4000, 3000, options.count12, 4});
    if (options.count24 > 0) sets.push_back({"24 MP", 6000, 4000, options.count24, 4});
  }
  if (options.rerun_only) sets.clear();
  const std::string navigation = ProgramFolder() + "/images";
  std::printf("montrelle_bench: %u hardware threads, load average %s, work folder %s\n",
              std::thread::hardware_concurrency(), LoadAverage().c_str(), work.c_str());
  PrintDecoderCheck();
  bool all_good = true;
  for (const PictureSet& set : sets) {
    const std::string folder = work + "/photos-" + std::to_string(set.width);
    const std::vector<std::string> paths = MakePictures(set, folder);
    if (options.photos_only) continue;
    WarmUp(folder);
    std::printf("%s pictures: %d x %d, 4:2:0, quality 92, %.1f MB each\n", set.label.c_str(),
                set.width, set.height,
                static_cast<double>(std::filesystem::file_size(folder + "/photo-0.jpg")) / 1e6);
    const Floors floors = FloorSpeeds(set, paths, options);
    for (const Setting& setting : kSettings) {
      all_good = Compare(set, paths, setting, options, work, navigation, floors) && all_good;
    }
    if (set.width == 4000 || options.smoke) {
      all_good = CompareLayouts(set, paths, options, work, navigation) && all_good;
    }
  }
  if (options.rerun > 0 && !options.photos_only) {
    const PictureSet set = options.smoke ? PictureSet{"small", 321, 241, options.rerun, 2}
                                         : PictureSet{"12 MP", 4000, 3000, options.rerun, 4};
    const std::vector<std::string> paths = MakePictures(set, work + "/photos-rerun");
    WarmUp(work + "/photos-rerun");
    all_good = PrintKeepExistingRerun(paths, work + "/out-rerun", navigation) && all_good;
  }
  std::printf("load average after: %s\n", LoadAverage().c_str());
  if (!options.keep) std::filesystem::remove_all(work);
  return all_good ? 0 : 1;
}

}  // namespace
}  // namespace montrelle::bench

int main(int argc, char** argv) {
  try {
    return montrelle::bench::Run(montrelle::bench::ParseOptions(argc, argv));
  } catch (const std::exception& error) {
    std::fprintf(stderr, "montrelle_bench: %s\n", error.what());
    return 1;
  }
}
