// The pixel size of an image from the bytes of its file (see ImageSize.h).
#include "ImageSize.h"

#include <cstdio>
#include <cstring>

#include "SjisPath.h"

namespace pagetool {

namespace {

uint32_t bigEndian16(const uint8_t* p) { return (uint32_t(p[0]) << 8) | p[1]; }
uint32_t bigEndian32(const uint8_t* p) { return (bigEndian16(p) << 16) | bigEndian16(p + 2); }
uint32_t littleEndian16(const uint8_t* p) { return p[0] | (uint32_t(p[1]) << 8); }
uint32_t littleEndian32(const uint8_t* p) { return littleEndian16(p) | (littleEndian16(p + 2) << 16); }

// Segments from the start of image on: each begins FF, a marker and a big-endian length that
// counts itself. A C0 (baseline) or C2 (progressive) frame holds the size after its precision byte.
bool jpegSize(ByteSource& bytes, ImageSize* size) {
    uint8_t head[4];
    if (!bytes.read(head, 2) || head[0] != 0xFF || head[1] != 0xD8) return false;
    for (;;) {
        if (!bytes.read(head, 4) || head[0] != 0xFF) return false;
        if (head[1] == 0xC0 || head[1] == 0xC2) {
            uint8_t frame[4];
            if (!bytes.skip(1) || !bytes.read(frame, 4)) return false;
            size->height = bigEndian16(frame);
            size->width = bigEndian16(frame + 2);
            return true;
        }
        // A length below 2 cannot count itself: the file is broken, not a segment to step over.
        const uint32_t length = bigEndian16(head + 2);
        if (length < 2 || !bytes.skip(length - 2)) return false;
    }
}

bool pngSize(ByteSource& bytes, ImageSize* size) {
    uint8_t head[24];
    if (!bytes.read(head, sizeof head) || std::memcmp(head + 1, "PNG", 3) != 0) return false;
    size->width = bigEndian32(head + 16);
    size->height = bigEndian32(head + 20);
    return true;
}

bool gifSize(ByteSource& bytes, ImageSize* size) {
    uint8_t head[10];
    if (!bytes.read(head, sizeof head)) return false;
    if (std::memcmp(head, "GIF87a", 6) != 0 && std::memcmp(head, "GIF89a", 6) != 0) return false;
    size->width = littleEndian16(head + 6);
    size->height = littleEndian16(head + 8);
    return true;
}

// File header (14 bytes, "BM") and the information header; a negative height marks a bitmap
// stored top row first, and its size is the absolute value.
bool bmpSize(ByteSource& bytes, ImageSize* size) {
    uint8_t head[54];
    if (!bytes.read(head, sizeof head) || head[0] != 'B' || head[1] != 'M') return false;
    const uint32_t width = littleEndian32(head + 18);
    const int32_t height = static_cast<int32_t>(littleEndian32(head + 22));
    if (width == 0 || height == 0) return false;
    size->width = width;
    size->height = height < 0 ? 0u - static_cast<uint32_t>(height) : static_cast<uint32_t>(height);
    return true;
}

class FileBytes : public ByteSource {
public:
    explicit FileBytes(std::FILE* file) : file_(file) {}
    bool read(uint8_t* out, size_t n) override { return std::fread(out, 1, n, file_) == n; }
    bool skip(size_t n) override {
        // Seeking past the end succeeds; the next read then fails, which ends the search alike.
        return std::fseek(file_, static_cast<long>(n), SEEK_CUR) == 0;
    }

private:
    std::FILE* file_;
};

}  // namespace

bool MemoryBytes::read(uint8_t* out, size_t n) {
    if (n > size_ - at_) return false;
    std::memcpy(out, data_ + at_, n);
    at_ += n;
    return true;
}

bool MemoryBytes::skip(size_t n) {
    if (n > size_ - at_) return false;
    at_ += n;
    return true;
}

ImageKind imageKindOf(const std::string& path) {
    const std::string name = sjis_path::fileNamePart(path);
    const size_t dot = name.rfind('.');
    if (dot == std::string::npos || name.size() - dot - 1 > 4) return ImageKind::Unknown;
    std::string ext = name.substr(dot + 1);
    for (char& c : ext)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c + 32);
    if (ext == "jpeg" || ext == "jpg") return ImageKind::Jpeg;
    if (ext == "png") return ImageKind::Png;
    if (ext == "gif") return ImageKind::Gif;
    if (ext == "bmp") return ImageKind::Bmp;
    return ImageKind::Unknown;
}

bool readImageSize(ImageKind kind, ByteSource& bytes, ImageSize* size) {
    switch (kind) {
        case ImageKind::Jpeg: return jpegSize(bytes, size);
        case ImageKind::Png: return pngSize(bytes, size);
        case ImageKind::Gif: return gifSize(bytes, size);
        case ImageKind::Bmp: return bmpSize(bytes, size);
        case ImageKind::Unknown: break;
    }
    return false;
}

bool imageFileSize(const std::string& path, ImageSize* size) {
    const ImageKind kind = imageKindOf(path);
    if (kind == ImageKind::Unknown) return false;
    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (!file) return false;
    FileBytes bytes(file);
    const bool ok = readImageSize(kind, bytes, size);
    std::fclose(file);
    return ok;
}

}  // namespace pagetool
