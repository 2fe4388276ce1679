// BenchCodec through MultiByteToWideChar and WideCharToMultiByte.
#include <windows.h>

#include <cstring>

#include "BenchCodec.h"

namespace benchcodec {

namespace {

UINT codePage(Code code) {
    switch (code) {
    case Code::ShiftJis: return 932;
    case Code::Jis: return 50220;
    case Code::EucJp: return 20932;
    case Code::Utf8: return CP_UTF8;
    default: return 1200;
    }
}

std::vector<wchar_t> wide;

// Text in `page` to UTF-16 in `wide`; the number of units, or -1.
long toWide(UINT page, const std::vector<uint8_t>& in) {
    if (page == 1200) {
        wide.resize(in.size() / 2 + 1);
        std::memcpy(wide.data(), in.data(), in.size() & ~size_t(1));
        return long(in.size() / 2);
    }
    wide.resize(in.size() + 1);
    int n = MultiByteToWideChar(page, 0, reinterpret_cast<const char*>(in.data()), int(in.size()), wide.data(),
                                int(wide.size()));
    return n > 0 || in.empty() ? n : -1;
}

bool fromWide(UINT page, long units, std::vector<uint8_t>& out) {
    if (page == 1200) {
        out.resize(size_t(units) * 2);
        std::memcpy(out.data(), wide.data(), out.size());
        return true;
    }
    int n = WideCharToMultiByte(page, 0, wide.data(), int(units), reinterpret_cast<char*>(out.data()), int(out.size()),
                                nullptr, nullptr);
    if (n <= 0 && units > 0) return false;
    out.resize(size_t(n));
    return true;
}

}  // namespace

const char* referenceName() { return "MultiByteToWideChar+WideCharToMultiByte"; }

bool fromShiftJis(Code code, const std::vector<uint8_t>& sjis, std::vector<uint8_t>& out) {
    long units = toWide(932, sjis);
    if (units < 0) return false;
    return fromWide(codePage(code), units, out);
}

bool toShiftJis(Code code, const std::vector<uint8_t>& in, std::vector<uint8_t>& out) {
    if (code == Code::Utf16Le) {
        // Already UTF-16: one conversion.
        int n = WideCharToMultiByte(932, 0, reinterpret_cast<const wchar_t*>(in.data()), int(in.size() / 2),
                                    reinterpret_cast<char*>(out.data()), int(out.size()), nullptr, nullptr);
        if (n <= 0 && in.size() >= 2) return false;
        out.resize(size_t(n));
        return true;
    }
    long units = toWide(codePage(code), in);
    if (units < 0) return false;
    return fromWide(932, units, out);
}

}  // namespace benchcodec
