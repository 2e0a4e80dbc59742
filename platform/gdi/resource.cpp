#include "platform/gdi/resource.h"

#include <cctype>
#include <cstdlib>
#include <cstring>
#include <map>

namespace win32::gdi {

namespace {

std::string Upper(std::string s) {
    for (char& c : s) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return s;
}

std::map<std::string, const TextPicture*>& Table(PictureKind kind) {
    static std::map<std::string, const TextPicture*> bitmaps, icons;
    return kind == PictureKind::Bitmap ? bitmaps : icons;
}

}  // namespace

std::string ResourceName(LPCSTR name) {
    if (!name) return std::string();
    if (IS_INTRESOURCE(name)) return "#" + std::to_string(reinterpret_cast<UINT_PTR>(name));
    return Upper(name);
}

void RegisterPictures(PictureKind kind, const TextPicture* pictures, std::size_t count) {
    for (std::size_t i = 0; i < count; ++i)
        if (pictures[i].name) Table(kind)[Upper(pictures[i].name)] = &pictures[i];
}

const TextPicture* FindPicture(PictureKind kind, LPCSTR name) {
    if (!name) return nullptr;
    auto& t = Table(kind);
    auto it = t.find(ResourceName(name));
    return it == t.end() ? nullptr : it->second;
}

bool RenderPicture(const TextPicture& picture, Surface& pixels, std::vector<bool>* opaque) {
    if (!picture.rows || picture.height <= 0 || !picture.rows[0]) return false;
    Pixel colors[256];
    bool known[256] = {};
    for (const char* p = picture.palette ? picture.palette : ""; *p;) {
        while (*p == ' ') ++p;
        if (!*p) break;
        unsigned char key = static_cast<unsigned char>(*p++);
        while (*p == ' ') ++p;
        char* end = nullptr;
        unsigned long v = std::strtoul(p, &end, 16);
        if (end == p) return false;
        colors[key] = static_cast<Pixel>(v & 0x00FFFFFF);
        known[key] = true;
        p = end;
    }
    int width = static_cast<int>(std::strlen(picture.rows[0]));
    if (width == 0) return false;
    pixels.Resize(width, picture.height);
    if (opaque) opaque->assign(static_cast<std::size_t>(width) * picture.height, true);
    for (int y = 0; y < picture.height; ++y) {
        const char* row = picture.rows[y];
        if (!row || static_cast<int>(std::strlen(row)) != width) return false;
        for (int x = 0; x < width; ++x) {
            unsigned char c = static_cast<unsigned char>(row[x]);
            if (c == ' ' && opaque) {
                (*opaque)[static_cast<std::size_t>(y) * width + x] = false;
                pixels.Set(x, y, 0);
                continue;
            }
            if (!known[c]) return false;
            pixels.Set(x, y, colors[c]);
        }
    }
    return true;
}

}  // namespace win32::gdi
