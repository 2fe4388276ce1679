// Kanji: detection of an unlabelled file's code from the first non-plain byte and three scores.
#include "Cp932.h"
#include "Kanji.h"
#include "Utf8.h"

namespace {

const uint32_t kSaturation = 65536;

enum class Run { Ok, Malformed, Saturated };

// Weight of a JIS X 0208 character, row and cell counted from 1.
inline uint32_t weight(unsigned row, unsigned cell) {
    return JisWeightTable[(row - 1) * 128 + (cell - 1)];
}

// Adds the weights of the double-byte characters of the Shift_JIS bytes t[0..n) to *sum. On
// saturation *score becomes 0xFFFFFFFF - (base + p) / 2, p being the offset just after the
// character that reached it.
Run addShiftJisWeights(const uint8_t* t, uint32_t n, uint32_t base, uint32_t* sum,
                       uint32_t* score) {
    uint32_t i = 0;
    while (i < n) {
        uint8_t lead = t[i];
        if (!isSjisLead(lead)) {
            i += 1;
            continue;
        }
        if (i + 1 >= n || !isSjisTrail(t[i + 1])) return Run::Malformed;
        uint8_t row = lead, cell = t[i + 1];
        Kanji::sjisToJis(&row, &cell);
        if (row < 0x21 || row > 0x7E || cell < 0x21 || cell > 0x7E) return Run::Malformed;
        i += 2;
        *sum += weight(row - 0x20u, cell - 0x20u);
        if (*sum >= kSaturation) {
            *score = 0xFFFFFFFFu - (base + i) / 2;
            return Run::Saturated;
        }
    }
    return Run::Ok;
}

}  // namespace

const uint8_t Kanji::firstStopTable[256] = {
    // 0x00-0x1F: only TAB, LF, CR and 0x1A are plain.
    1, 1, 1, 1, 1, 1, 1, 1, 1, 0, 0, 1, 1, 0, 1, 1,
    1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 0, 1, 1, 1, 1, 1,
    // 0x20-0x7E plain, 0x7F marked.
    0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0,
    0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0,
    0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0,
    0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0,
    0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0,
    0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 1,
    // 0x80-0xFF all marked.
    1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1,
    1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1,
    1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1,
    1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1,
    1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1,
    1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1,
    1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1,
    1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1,
};

DetectVerdict Kanji::detect(const uint8_t* text, uint32_t length) {
    uint32_t i = 0;
    while (i < length && !firstStopTable[text[i]]) ++i;
    if (i == length) return DetectVerdict::Ascii;
    const uint8_t* rest = text + i;
    uint32_t left = length - i;
    if (rest[0] == 0x0E) return DetectVerdict::Jis;  // SO: half-width katakana shift
    if (rest[0] == 0x1B && left >= 4) {
        if (rest[1] == '$' && (rest[2] == 'B' || rest[2] == '@')) return DetectVerdict::Jis;
        if (rest[1] == 'K') return DetectVerdict::Jis;
    }
    uint32_t s = scoreShiftJis(rest, left);
    uint32_t e = scoreEucJp(rest, left);
    uint32_t u = scoreUtf8(rest, left);
    if (s < e) return e < u ? DetectVerdict::Utf8 : DetectVerdict::EucJp;
    return s < u ? DetectVerdict::Utf8 : DetectVerdict::ShiftJis;
}

uint32_t Kanji::scoreShiftJis(const uint8_t* text, uint32_t length) {
    uint32_t sum = 0, score = 0;
    switch (addShiftJisWeights(text, length, 0, &sum, &score)) {
        case Run::Malformed: return 0;
        case Run::Saturated: return score;
        case Run::Ok: break;
    }
    return sum;
}

uint32_t Kanji::scoreEucJp(const uint8_t* text, uint32_t length) {
    uint32_t sum = 0, i = 0;
    while (i < length) {
        uint8_t b = text[i];
        if (b >= 0xA1 && b <= 0xFE) {
            if (i + 1 >= length || text[i + 1] < 0xA1 || text[i + 1] == 0xFF) return 0;
            sum += weight(b - 0xA0u, text[i + 1] - 0xA0u);
            i += 2;
            if (sum >= kSaturation) return 0xFFFFFFFFu - i / 2;
        } else if (b == 0x8E) {
            if (i + 1 >= length || text[i + 1] < 0xA1 || text[i + 1] > 0xDF) return 0;
            i += 2;
        } else {
            i += 1;
        }
    }
    return sum;
}

uint32_t Kanji::scoreUtf8(const uint8_t* text, uint32_t length) {
    uint16_t units[utf8::kChunkBytes];
    uint8_t converted[utf8::kChunkBytes];
    uint32_t sum = 0, score = 0, done = 0;
    while (done < length) {
        utf8::Chunk c = utf8::toUtf16(text + done, length - done, units);
        if (c.bad) return 0;
        // Nothing converted: also where the text ends inside a sequence.
        uint32_t n = cp932::fromUtf16(units, c.units, converted, sizeof converted, nullptr);
        if (n == 0) return 0;
        done += c.consumed;
        switch (addShiftJisWeights(converted, n, done, &sum, &score)) {
            case Run::Malformed: return 0;
            case Run::Saturated: return score;
            case Run::Ok: break;
        }
    }
    return sum;
}
