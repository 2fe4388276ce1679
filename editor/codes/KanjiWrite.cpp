// Kanji: writing one Shift_JIS line to a buffered stream in JIS, EUC-JP, UTF-8 or UTF-16LE.
#include "Cp932.h"
#include "Kanji.h"
#include "Utf8.h"

namespace {

const uint8_t kEsc = 0x1B, kSo = 0x0E, kSi = 0x0F;

// Collects output in a fixed local buffer and hands it to the stream in large writes.
class Output {
public:
    explicit Output(std::FILE* stream) : stream_(stream) {}
    Output(const Output&) = delete;
    Output& operator=(const Output&) = delete;

    // Makes room for `n` more bytes (n <= kSize); false once a write has failed.
    bool reserve(uint32_t n) { return size_ + n <= kSize || flush(); }
    void put(uint8_t b) { buffer_[size_++] = b; }
    void put3(uint8_t a, uint8_t b, uint8_t c) { put(a), put(b), put(c); }
    uint8_t* tail() { return buffer_ + size_; }
    void grow(uint32_t n) { size_ += n; }
    bool flush() {
        if (failed_) return false;
        if (size_ != 0 && std::fwrite(buffer_, 1, size_, stream_) != size_) failed_ = true;
        size_ = 0;
        return !failed_;
    }

    static const uint32_t kSize = 16384;

private:
    std::FILE* stream_;
    uint8_t buffer_[kSize];
    uint32_t size_ = 0;
    bool failed_ = false;
};

// The next chunk of at most `most` bytes that does not split a double-byte character.
uint32_t chunkLength(const uint8_t* line, uint32_t left, uint32_t most) {
    if (left <= most) return left;
    return Kanji::alignedLength(line, most) == most ? most : most - 1;
}

}  // namespace

bool Kanji::writeJis(std::FILE* stream, const uint8_t* line, uint32_t length) {
    Output out(stream);
    bool kanji = false;
    uint32_t i = 0;
    while (i < length) {
        uint8_t b = line[i];
        if (!out.reserve(8)) return false;
        if (isHalfWidthKatakana(b)) {
            if (kanji) out.put3(kEsc, '(', 'B'), kanji = false;
            out.put(kSo);
            for (; i < length && isHalfWidthKatakana(line[i]); ++i) {
                if (!out.reserve(2)) return false;
                out.put(line[i] & 0x7F);
            }
            out.put(kSi);
        } else if (isSjisLead(b)) {
            if (i + 1 >= length) break;  // a lead byte without its trail is dropped
            if (!kanji) out.put3(kEsc, '$', 'B'), kanji = true;
            uint8_t row = b, cell = line[i + 1];
            sjisToJis(&row, &cell);
            out.put(row);
            out.put(cell);
            i += 2;
        } else {
            if (kanji) out.put3(kEsc, '(', 'B'), kanji = false;
            out.put(b);
            i += 1;
        }
    }
    if (kanji) {
        if (!out.reserve(3)) return false;
        out.put3(kEsc, '(', 'B');  // every line ends in ASCII mode
    }
    return out.flush();
}

bool Kanji::writeEucJp(std::FILE* stream, const uint8_t* line, uint32_t length) {
    Output out(stream);
    uint32_t i = 0;
    while (i < length) {
        uint8_t b = line[i];
        if (!out.reserve(2)) return false;
        if (isHalfWidthKatakana(b)) {
            out.put(0x8E);
            out.put(b);
            i += 1;
        } else if (isSjisLead(b)) {
            if (i + 1 >= length) break;  // a lead byte without its trail is dropped
            uint8_t row = b, cell = line[i + 1];
            sjisToJis(&row, &cell);
            out.put(row | 0x80);
            out.put(cell | 0x80);
            i += 2;
        } else {
            out.put(b);
            i += 1;
        }
    }
    return out.flush();
}

namespace {

// Converts the line to UTF-16 in chunks of at most `chunk` bytes that never end inside a
// character, handing each chunk's units to `emit`; false when a conversion yields nothing or
// `emit` fails.
template <uint32_t chunk, typename Emit>
bool forEachUtf16Chunk(const uint8_t* line, uint32_t length, Emit emit) {
    uint16_t units[chunk];
    uint32_t done = 0;
    while (done < length) {
        uint32_t size = chunkLength(line + done, length - done, chunk);
        uint32_t count = cp932::toUtf16(line + done, size, units, chunk);
        if (count == 0 || !emit(units, count)) return false;
        done += size;
    }
    return true;
}

}  // namespace

bool Kanji::writeUtf8(std::FILE* stream, const uint8_t* line, uint32_t length) {
    Output out(stream);
    bool ok = forEachUtf16Chunk<8192>(line, length, [&out](const uint16_t* units, uint32_t count) {
        // Encoded in slices that fit the buffer: a half-width katakana byte takes three bytes.
        const uint32_t kSlice = Output::kSize / 4;
        for (uint32_t k = 0; k < count;) {
            uint32_t slice = count - k < kSlice ? count - k : kSlice;
            if (slice > 1 && units[k + slice - 1] >= 0xD800 && units[k + slice - 1] <= 0xDBFF)
                --slice;  // keep a surrogate pair together
            if (!out.reserve(3 * slice + 1)) return false;
            out.grow(utf8::fromUtf16(units + k, slice, out.tail()));
            k += slice;
        }
        return true;
    });
    return ok && out.flush();
}

bool Kanji::writeUtf16Le(std::FILE* stream, const uint8_t* line, uint32_t length) {
    Output out(stream);
    bool ok = forEachUtf16Chunk<4096>(line, length, [&out](const uint16_t* units, uint32_t count) {
        if (!out.reserve(2 * count)) return false;
        for (uint32_t k = 0; k < count; ++k) {
            out.put(static_cast<uint8_t>(units[k]));
            out.put(static_cast<uint8_t>(units[k] >> 8));
        }
        return true;
    });
    return ok && out.flush();
}
