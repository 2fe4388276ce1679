// Fuzz target: the image-size reader over any bytes. The first byte picks the kind of image, the
// rest is the file.
#include <cstddef>
#include <cstdint>

#include "ImageSize.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size == 0) return 0;
    static const pagetool::ImageKind kKinds[] = {pagetool::ImageKind::Jpeg, pagetool::ImageKind::Png,
                                                 pagetool::ImageKind::Gif, pagetool::ImageKind::Bmp};
    pagetool::MemoryBytes bytes(data + 1, size - 1);
    pagetool::ImageSize result;
    pagetool::readImageSize(kKinds[data[0] % 4], bytes, &result);
    return 0;
}
