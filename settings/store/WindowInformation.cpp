// WindowInformation: the byte codec of "window_information".
#include "WindowInformation.h"

#include "RecordBytes.h"

using namespace record_bytes;

void WindowInformation::encode(uint8_t* out) const {
    putU32(out, 0, uint32_t(left));
    putU32(out, 4, uint32_t(top));
    putU32(out, 8, uint32_t(right));
    putU32(out, 12, uint32_t(bottom));
}

bool WindowInformation::decode(const uint8_t* bytes, size_t size, WindowInformation* record) {
    if (size != kSize) return false;
    WindowInformation r;
    r.left = int32_t(getU32(bytes, 0));
    r.top = int32_t(getU32(bytes, 4));
    r.right = int32_t(getU32(bytes, 8));
    r.bottom = int32_t(getU32(bytes, 12));
    // 64-bit differences: extreme coordinates must not overflow the check.
    if (int64_t(r.right) - r.left <= 0 || int64_t(r.bottom) - r.top <= 0) return false;
    *record = r;
    return true;
}
