#include "imaging/row_sampler.h"

#include <gtest/gtest.h>

#include <string>

#include "imaging/scaling.h"
#include "imaging/test_pictures.h"

namespace montrelle {
namespace {

using testing::NoisyPicture;

// Feeds the source's rows, the ones asked for only, and returns the outputs.
std::vector<RgbImage> SampleRows(const RgbImage& source, const Orientation& orientation,
                                 const std::vector<ImageSize>& sizes) {
  RowSampler sampler({source.width, source.height}, orientation, sizes);
  for (std::int32_t row : sampler.rows()) {
    sampler.Take(row, source.pixels.data() + static_cast<size_t>(row) * source.width * 3);
  }
  return sampler.TakeOutputs();
}

TEST(RowSampler, EveryOrientationAtEverySizeIsTheOrientedPictureSampled) {
  for (const ImageSize source_size : {ImageSize{1, 1}, ImageSize{7, 5}, ImageSize{5, 7},
                                      ImageSize{13, 3}, ImageSize{2, 40}, ImageSize{64, 48}}) {
    const RgbImage source = NoisyPicture(source_size.width, source_size.height);
    for (const std::string& triple : testing::AllOrientationTriples()) {
      const RgbImage oriented = ApplyOrientation(source, triple);
      const int w = oriented.width;
      const int h = oriented.height;
      // Reduced, the same size, one more, enlarged, out of proportion, empty:
      // all made from one pass over the rows.
      const std::vector<ImageSize> sizes = {
          {1, 1},
          {w / 3 + 1, h / 3 + 1},
          {w, h},
          {w + 1, h + 1},
          {3 * w, 2 * h + 1},
          {w, 1},
          {1, h},
          {0, 0},
          {5, 0},
      };
      const std::vector<RgbImage> made = SampleRows(source, ParseOrientation(triple), sizes);
      ASSERT_EQ(made.size(), sizes.size());
      for (size_t k = 0; k < sizes.size(); ++k) {
        EXPECT_EQ(made[k], SampleToSize(oriented, sizes[k].width, sizes[k].height))
            << source_size.width << "x" << source_size.height << " " << triple << " to "
            << sizes[k].width << "x" << sizes[k].height;
      }
      EXPECT_EQ(SampleOriented(source, ParseOrientation(triple), sizes[1]), made[1]) << triple;
    }
  }
}

TEST(RowSampler, AsksOnlyForTheRowsItSamples) {
  // Ten rows sampled three times take rows 1, 5 and 8; flipped, 8, 4 and 1. A quarter
  // turn samples source rows across the output's columns.
  const struct {
    const char* triple;
    std::vector<ImageSize> sizes;  // of a 4 x 10 source
    std::vector<std::int32_t> rows;
  } cases[] = {
      {"0\t0\t0", {{2, 3}}, {1, 5, 8}},
      {"1\t0\t0", {{2, 3}}, {1, 5, 8}},
      {"0\t1\t0", {{2, 3}}, {1, 4, 8}},
      {"0\t0\t3", {{2, 3}}, {1, 4, 8}},
      {"0\t0\t1", {{3, 2}}, {1, 5, 8}},
      {"0\t0\t2", {{3, 2}}, {1, 4, 8}},
      {"0\t0\t0", {{2, 3}, {1, 1}, {0, 0}}, {1, 5, 8}},
      {"0\t0\t0", {{2, 2}, {1, 1}}, {2, 5, 7}},
      {"0\t0\t0", {{5, 20}}, {0, 1, 2, 3, 4, 5, 6, 7, 8, 9}},
      {"0\t0\t0", {{3, 0}}, {}},
  };
  for (const auto& c : cases) {
    const RowSampler sampler({4, 10}, ParseOrientation(c.triple), c.sizes);
    EXPECT_EQ(sampler.rows(), c.rows) << c.triple;
  }
}

}  // namespace
}  // namespace montrelle
