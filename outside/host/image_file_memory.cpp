// The samples' memory from the heap, unless a test put its own seam in place.
#include "image_file_memory.h"

namespace host {

namespace {

const SampleMemory kHeap{
    [](std::vector<std::uint16_t>& samples, std::size_t count) { samples.resize(count); }};

}  // namespace

seam::Seam<SampleMemory>& sampleMemory() {
    static seam::Seam<SampleMemory> seam(kHeap);
    return seam;
}

void allocateSamples(Image& image) {
    sampleMemory().current().resize(image.samples, std::size_t{image.width} * image.height *
                                                       static_cast<std::size_t>(image.channels));
}

}  // namespace host
