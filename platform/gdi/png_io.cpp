#include "platform/gdi/png_io.h"

#include <png.h>

#include <csetjmp>
#include <cstring>
#include <fstream>
#include <iterator>

namespace win32::gdi {

namespace {

struct Reader {
    const std::uint8_t* data;
    std::size_t size;
    std::size_t pos;
};

void ReadFromMemory(png_structp png, png_bytep out, png_size_t n) {
    auto* r = static_cast<Reader*>(png_get_io_ptr(png));
    if (n > r->size - r->pos) png_error(png, "truncated");
    std::memcpy(out, r->data + r->pos, n);
    r->pos += n;
}

void WriteToVector(png_structp png, png_bytep data, png_size_t n) {
    auto* v = static_cast<std::vector<std::uint8_t>*>(png_get_io_ptr(png));
    v->insert(v->end(), data, data + n);
}

void FlushNothing(png_structp) {}

// libpng reports errors by longjmp; the caller sees the failure, so
// neither errors nor warnings are printed.
void Warn(png_structp, png_const_charp) {}
[[noreturn]] void Fail(png_structp png, png_const_charp) { png_longjmp(png, 1); }

}  // namespace

std::vector<std::uint8_t> EncodePng(const Surface& s) {
    std::vector<std::uint8_t> out;
    if (s.Empty()) return out;
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, Fail, Warn);
    if (!png) return out;
    png_infop info = png_create_info_struct(png);
    std::vector<std::uint8_t> row(static_cast<std::size_t>(s.Width()) * 3);
    if (!info || setjmp(png_jmpbuf(png))) {
        png_destroy_write_struct(&png, info ? &info : nullptr);
        out.clear();
        return out;
    }
    png_set_write_fn(png, &out, WriteToVector, FlushNothing);
    png_set_IHDR(png, info, static_cast<png_uint_32>(s.Width()), static_cast<png_uint_32>(s.Height()), 8,
                 PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    png_write_info(png, info);
    for (int y = 0; y < s.Height(); ++y) {
        const Pixel* p = s.Row(y);
        for (int x = 0; x < s.Width(); ++x) {
            row[3 * x] = static_cast<std::uint8_t>((p[x] >> 16) & 0xFF);
            row[3 * x + 1] = static_cast<std::uint8_t>((p[x] >> 8) & 0xFF);
            row[3 * x + 2] = static_cast<std::uint8_t>(p[x] & 0xFF);
        }
        png_write_row(png, row.data());
    }
    png_write_end(png, nullptr);
    png_destroy_write_struct(&png, &info);
    return out;
}

bool WritePng(const Surface& s, const std::string& path) {
    std::vector<std::uint8_t> bytes = EncodePng(s);
    if (bytes.empty()) return false;
    std::ofstream f(path, std::ios::binary);
    f.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    return static_cast<bool>(f);
}

bool DecodePng(const std::uint8_t* data, std::size_t size, Surface& out) {
    if (!data || size < 8 || png_sig_cmp(data, 0, 8) != 0) return false;
    png_structp png = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, Fail, Warn);
    if (!png) return false;
    png_infop info = png_create_info_struct(png);
    Reader reader{data, size, 0};
    // Kept outside the jump so nothing with a destructor is skipped over.
    Surface result;
    std::vector<png_bytep> rows;
    std::vector<std::uint8_t> pixels;
    if (!info || setjmp(png_jmpbuf(png))) {
        png_destroy_read_struct(&png, info ? &info : nullptr, nullptr);
        return false;
    }
    png_set_read_fn(png, &reader, ReadFromMemory);
    png_set_user_limits(png, kPngMaxSide, kPngMaxSide);
    png_set_chunk_malloc_max(png, 16 * 1024 * 1024);
    png_read_info(png, info);
    png_uint_32 w = png_get_image_width(png, info), h = png_get_image_height(png, info);
    if (w == 0 || h == 0 || static_cast<long long>(w) * h > kPngMaxPixels) png_error(png, "too large");
    int colorType = png_get_color_type(png, info);
    int depth = png_get_bit_depth(png, info);
    if (colorType == PNG_COLOR_TYPE_PALETTE) png_set_palette_to_rgb(png);
    if (colorType == PNG_COLOR_TYPE_GRAY && depth < 8) png_set_expand_gray_1_2_4_to_8(png);
    if (png_get_valid(png, info, PNG_INFO_tRNS)) png_set_tRNS_to_alpha(png);
    if (depth == 16) png_set_strip_16(png);
    if (colorType == PNG_COLOR_TYPE_GRAY || colorType == PNG_COLOR_TYPE_GRAY_ALPHA) png_set_gray_to_rgb(png);
    png_set_strip_alpha(png);
    png_set_interlace_handling(png);
    png_read_update_info(png, info);
    if (png_get_channels(png, info) != 3 || png_get_bit_depth(png, info) != 8) png_error(png, "unexpected format");
    std::size_t stride = png_get_rowbytes(png, info);
    if (stride < static_cast<std::size_t>(w) * 3) png_error(png, "bad stride");
    pixels.resize(stride * h);
    rows.resize(h);
    for (png_uint_32 y = 0; y < h; ++y) rows[y] = pixels.data() + y * stride;
    png_read_image(png, rows.data());
    png_read_end(png, nullptr);
    png_destroy_read_struct(&png, &info, nullptr);
    result.Resize(static_cast<int>(w), static_cast<int>(h));
    for (png_uint_32 y = 0; y < h; ++y) {
        const std::uint8_t* src = rows[y];
        Pixel* dst = result.Row(static_cast<int>(y));
        for (png_uint_32 x = 0; x < w; ++x)
            dst[x] = (static_cast<Pixel>(src[3 * x]) << 16) | (static_cast<Pixel>(src[3 * x + 1]) << 8) | src[3 * x + 2];
    }
    out = std::move(result);
    return true;
}

bool ReadPng(const std::string& path, Surface& out) {
    std::ifstream f(path, std::ios::binary);
    if (!f) return false;
    std::vector<std::uint8_t> bytes((std::istreambuf_iterator<char>(f)), std::istreambuf_iterator<char>());
    return DecodePng(bytes.data(), bytes.size(), out);
}

}  // namespace win32::gdi
