// The memory of an image's samples: the one allocation of the image readers that grows with the
// image, made only once the file is known to hold the image, and taken through a seam so that
// tests can watch for the request or make it fail.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <vector>

#include "image_file.h"
#include "seam/seam.h"

namespace host {

struct SampleMemory {
    /// Resizes `samples` to `count`; throws std::bad_alloc when the memory is not there.
    std::function<void(std::vector<std::uint16_t>& samples, std::size_t count)> resize;
};

seam::Seam<SampleMemory>& sampleMemory();

/// Gives `image.samples` room for every sample of its size and channels.
void allocateSamples(Image& image);

}  // namespace host
