// BenchCodec through iconv(3).
#include <iconv.h>

#include "BenchCodec.h"

namespace benchcodec {

namespace {

const char* iconvName(Code code) {
    switch (code) {
    case Code::ShiftJis: return "CP932";
    case Code::Jis: return "ISO-2022-JP";
    case Code::EucJp: return "EUC-JP-MS";
    case Code::Utf8: return "UTF-8";
    default: return "UTF-16LE";
    }
}

bool run(const char* to, const char* from, const std::vector<uint8_t>& in, std::vector<uint8_t>& out) {
    iconv_t cd = iconv_open(to, from);
    if (cd == iconv_t(-1)) return false;
    char* src = reinterpret_cast<char*>(const_cast<uint8_t*>(in.data()));
    size_t srcLeft = in.size();
    char* dst = reinterpret_cast<char*>(out.data());
    size_t dstLeft = out.size();
    size_t r = iconv(cd, &src, &srcLeft, &dst, &dstLeft);
    if (r != size_t(-1)) r = iconv(cd, nullptr, nullptr, &dst, &dstLeft);
    iconv_close(cd);
    if (r == size_t(-1) || srcLeft) return false;
    out.resize(out.size() - dstLeft);
    return true;
}

}  // namespace

const char* referenceName() { return "iconv"; }

bool fromShiftJis(Code code, const std::vector<uint8_t>& sjis, std::vector<uint8_t>& out) {
    return run(iconvName(code), "CP932", sjis, out);
}

bool toShiftJis(Code code, const std::vector<uint8_t>& in, std::vector<uint8_t>& out) {
    return run("CP932", iconvName(code), in, out);
}

}  // namespace benchcodec
