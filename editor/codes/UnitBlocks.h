// UnitBlocks: UTF-16LE to code page 932 eight units at a time, and runs of 3-byte UTF-8
// characters four at a time, for processors with SSSE3 (chosen at run time; the caller converts
// character by character otherwise).
#pragma once
#include <cstdint>

namespace unitblocks {

// The code page 932 form of every unit, in the order its bytes are stored: the byte alone (high
// byte 0), or lead | trail << 8. A unit without a form has "？" (81 48); `questionUnit` is the one
// unit whose own form that is, so that the others can be told apart.
struct UnitForms {
    const uint16_t* bytes;
    uint16_t questionUnit;
};

// True when the processor can run convertBlocks and convertTriples.
bool available();

// Converts whole blocks of eight units from src[2 * k] to dst[o] while eight or more of the
// `total` units are left, and advances k and o past them. Sets *replaced when a unit had no form.
// The destination may be the source itself or lie before it (o <= 2 * k): a block's bytes are
// stored only after it was read, and never beyond it.
void convertBlocks(const uint8_t* src, uint32_t total, uint8_t* dst, uint32_t& k, uint32_t& o,
                   const UnitForms& forms, bool* replaced);

// Converts the run of 3-byte UTF-8 characters (lead E0-EF, two bytes 80-BF) from src[i] whose
// forms are two bytes with a form, four at a time while 16 bytes are left, and advances i and o
// past them. The destination may be the source itself or lie before it (o <= i); bytes stored past
// the forms land on input already read, or are stored back as they were.
void convertTriples(const uint8_t* src, uint32_t n, uint8_t* dst, uint32_t& i, uint32_t& o,
                    const UnitForms& forms);

}  // namespace unitblocks
