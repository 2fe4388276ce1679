// LineSplitter: the mask loading of one block; the rest is inline in the header.
#include "LineSplitter.h"

void LineSplitter::loadBlock() {
    mask_ = utf16_ ? bytescan::lineEndUnitMask(bytes_, uint32_t(blockStart_), count_, &tabMask_)
                   : bytescan::lineEndByteMask(bytes_, uint32_t(blockStart_), count_, &tabMask_);
    blockLoaded_ = true;
}
