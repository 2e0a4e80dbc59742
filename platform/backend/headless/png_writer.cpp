// Writes a surface as an 8-bit RGB PNG with libpng.
#include <png.h>

#include <cstdio>
#include <vector>

#include "platform/backend/headless/headless_backend.h"

namespace win32::backend {

bool WritePng(const Surface& surface, const std::string& path) {
    if (surface.Empty()) return false;
    std::FILE* f = std::fopen(path.c_str(), "wb");
    if (!f) return false;
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png ? png_create_info_struct(png) : nullptr;
    if (!png || !info) {
        png_destroy_write_struct(&png, &info);
        std::fclose(f);
        return false;
    }
    std::vector<png_byte> row(static_cast<std::size_t>(surface.Width()) * 3);
    if (setjmp(png_jmpbuf(png))) {
        png_destroy_write_struct(&png, &info);
        std::fclose(f);
        return false;
    }
    png_init_io(png, f);
    png_set_IHDR(png, info, static_cast<png_uint_32>(surface.Width()), static_cast<png_uint_32>(surface.Height()), 8,
                 PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    png_write_info(png, info);
    for (int y = 0; y < surface.Height(); ++y) {
        const Pixel* src = surface.Row(y);
        for (int x = 0; x < surface.Width(); ++x) {
            row[static_cast<std::size_t>(x) * 3] = static_cast<png_byte>((src[x] >> 16) & 0xFF);
            row[static_cast<std::size_t>(x) * 3 + 1] = static_cast<png_byte>((src[x] >> 8) & 0xFF);
            row[static_cast<std::size_t>(x) * 3 + 2] = static_cast<png_byte>(src[x] & 0xFF);
        }
        png_write_row(png, row.data());
    }
    png_write_end(png, nullptr);
    png_destroy_write_struct(&png, &info);
    return std::fclose(f) == 0;
}

}  // namespace win32::backend
