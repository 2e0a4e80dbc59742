// Icons (an AND mask and a colour picture, as Win32 keeps them) and the
// loading of compiled-in bitmaps and icons by name.
#include <map>
#include <memory>
#include <tuple>

#include "platform/gdi/dc.h"
#include "platform/gdi/icon.h"
#include "platform/gdi/resource.h"

namespace win32 {

using namespace gdi;

namespace gdi {

IconObject::~IconObject() {
    if (mask) DeleteObject(mask);
    if (color) DeleteObject(color);
}

HandleTable<IconObject>& Icons() {
    // An icon's pictures are freed through the object and DC tables, so
    // those are made first and therefore outlive this one at process exit.
    Objects();
    DeviceContexts();
    static HandleTable<IconObject> table(HandleKind::Icon);
    return table;
}

IconObject* FindIcon(HICON icon) { return Icons().Get(FromHandle(icon)); }

namespace {

// An independent copy of a bitmap, optionally resized.
HBITMAP CopyBitmap(HBITMAP src, int width = 0, int height = 0) {
    BitmapObject* b = FindBitmap(src);
    if (!b) return nullptr;
    if (width <= 0) width = b->Width();
    if (height <= 0) height = b->Height();
    HBITMAP copy = CreateBitmap(width, height, 1, b->IsMonochrome() ? 1 : 32, nullptr);
    BitmapObject* c = FindBitmap(copy);
    if (!c) return nullptr;
    const Surface& from = b->Pixels();
    Surface& to = c->Pixels();
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            to.Set(x, y, from.At(static_cast<int>(static_cast<long long>(x) * from.Width() / width),
                                 static_cast<int>(static_cast<long long>(y) * from.Height() / height)));
    return copy;
}

}  // namespace

HICON MakeIcon(HBITMAP mask, HBITMAP color, bool isIcon, POINT hotspot) {
    auto icon = std::make_unique<IconObject>();
    icon->mask = mask;
    icon->color = color;
    icon->isIcon = isIcon;
    icon->hotspot = hotspot;
    BitmapObject* m = FindBitmap(mask);
    if (!m) return nullptr;
    icon->width = m->Width();
    icon->height = color ? m->Height() : m->Height() / 2;
    return ToHandle<HICON>(Icons().Add(std::move(icon)));
}

HICON IconFromPicture(const TextPicture& picture, int width, int height) {
    Surface pixels;
    std::vector<bool> opaque;
    if (!RenderPicture(picture, pixels, &opaque)) return nullptr;
    int w = pixels.Width(), h = pixels.Height();
    HBITMAP color = CreateBitmap(w, h, 1, 32, nullptr);
    HBITMAP mask = CreateBitmap(w, h, 1, 1, nullptr);
    BitmapObject* c = FindBitmap(color);
    BitmapObject* m = FindBitmap(mask);
    if (!c || !m) {
        DeleteObject(color);
        DeleteObject(mask);
        return nullptr;
    }
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            bool on = opaque[static_cast<std::size_t>(y) * w + x];
            c->Pixels().Set(x, y, on ? pixels.At(x, y) : 0);
            m->Pixels().Set(x, y, on ? 0 : 0x00FFFFFF);
        }
    }
    if ((width > 0 && width != w) || (height > 0 && height != h)) {
        HBITMAP c2 = CopyBitmap(color, width, height), m2 = CopyBitmap(mask, width, height);
        DeleteObject(color);
        DeleteObject(mask);
        color = c2;
        mask = m2;
    }
    return MakeIcon(mask, color, true, POINT{w / 2, h / 2});
}

HBITMAP BitmapFromPicture(const TextPicture& picture) {
    Surface pixels;
    if (!RenderPicture(picture, pixels, nullptr)) return nullptr;
    HBITMAP bmp = CreateBitmap(pixels.Width(), pixels.Height(), 1, 32, nullptr);
    BitmapObject* b = FindBitmap(bmp);
    if (!b) return nullptr;
    for (int y = 0; y < pixels.Height(); ++y)
        for (int x = 0; x < pixels.Width(); ++x) b->Pixels().Set(x, y, pixels.At(x, y));
    return bmp;
}

}  // namespace gdi

HICON CreateIconIndirect(PICONINFO info) {
    if (!info || !FindBitmap(info->hbmMask)) return nullptr;
    if (info->hbmColor && !FindBitmap(info->hbmColor)) return nullptr;
    // The icon keeps copies: the caller still owns and deletes its bitmaps.
    HBITMAP mask = CopyBitmap(info->hbmMask);
    HBITMAP color = info->hbmColor ? CopyBitmap(info->hbmColor) : nullptr;
    return MakeIcon(mask, color, info->fIcon != FALSE,
                    POINT{static_cast<LONG>(info->xHotspot), static_cast<LONG>(info->yHotspot)});
}

BOOL GetIconInfo(HICON icon, PICONINFO info) {
    IconObject* i = FindIcon(icon);
    if (!i || !info) return FALSE;
    info->fIcon = i->isIcon ? TRUE : FALSE;
    info->xHotspot = static_cast<DWORD>(i->hotspot.x);
    info->yHotspot = static_cast<DWORD>(i->hotspot.y);
    info->hbmMask = CopyBitmap(i->mask);
    info->hbmColor = i->color ? CopyBitmap(i->color) : nullptr;
    return TRUE;
}

HICON CopyIcon(HICON icon) {
    IconObject* i = FindIcon(icon);
    if (!i) return nullptr;
    return MakeIcon(CopyBitmap(i->mask), i->color ? CopyBitmap(i->color) : nullptr, i->isIcon, i->hotspot);
}

BOOL DestroyIcon(HICON icon) {
    IconObject* i = FindIcon(icon);
    if (!i) return FALSE;
    // Shared icons (LR_SHARED, system icons) stay.
    if (i->shared) return TRUE;
    Icons().Remove(FromHandle(icon));
    return TRUE;
}

BOOL DrawIcon(HDC dc, int x, int y, HICON icon) { return DrawIconEx(dc, x, y, icon, 0, 0, 0, nullptr, DI_NORMAL | DI_DEFAULTSIZE); }

BOOL DrawIconEx(HDC dc, int x, int y, HICON icon, int width, int height, UINT, HBRUSH flicker, UINT flags) {
    DeviceContext* d = FindDC(dc);
    IconObject* i = FindIcon(icon);
    if (!d || !i) return FALSE;
    if (width == 0) width = (flags & DI_DEFAULTSIZE) ? 32 : i->width;
    if (height == 0) height = (flags & DI_DEFAULTSIZE) ? 32 : i->height;
    if (width < 0 || height < 0) return FALSE;
    if (!(flags & DI_NORMAL)) flags |= DI_NORMAL;
    HDC target = dc;
    HDC buffer = nullptr;
    HBITMAP bufferBitmap = nullptr;
    HGDIOBJ bufferOld = nullptr;
    int tx = x, ty = y;
    if (flicker) {
        // Compose on the brush first, then copy in one step.
        buffer = CreateCompatibleDC(dc);
        bufferBitmap = CreateBitmap(width, height, 1, 32, nullptr);
        bufferOld = SelectObject(buffer, bufferBitmap);
        RECT all{0, 0, width, height};
        FillRect(buffer, &all, flicker);
        target = buffer;
        tx = ty = 0;
    }
    HDC mem = CreateCompatibleDC(dc);
    COLORREF oldText = SetTextColor(target, 0x000000);
    COLORREF oldBk = SetBkColor(target, 0xFFFFFF);
    int oldMode = SetStretchBltMode(target, COLORONCOLOR);
    bool both = (flags & DI_NORMAL) == DI_NORMAL;
    if (flags & DI_MASK) {
        HGDIOBJ o = SelectObject(mem, i->mask);
        StretchBlt(target, tx, ty, width, height, mem, 0, 0, i->width, i->height, both ? SRCAND : SRCCOPY);
        SelectObject(mem, o);
    }
    if (flags & DI_IMAGE) {
        if (i->color) {
            HGDIOBJ o = SelectObject(mem, i->color);
            StretchBlt(target, tx, ty, width, height, mem, 0, 0, i->width, i->height, both ? SRCINVERT : SRCCOPY);
            SelectObject(mem, o);
        } else {
            // A monochrome icon keeps its XOR half under the AND half.
            HGDIOBJ o = SelectObject(mem, i->mask);
            StretchBlt(target, tx, ty, width, height, mem, 0, i->height, i->width, i->height,
                       both ? SRCINVERT : SRCCOPY);
            SelectObject(mem, o);
        }
    }
    SetStretchBltMode(target, oldMode);
    SetTextColor(target, oldText);
    SetBkColor(target, oldBk);
    DeleteDC(mem);
    if (buffer) {
        BitBlt(dc, x, y, width, height, buffer, 0, 0, SRCCOPY);
        SelectObject(buffer, bufferOld);
        DeleteObject(bufferBitmap);
        DeleteDC(buffer);
    }
    return TRUE;
}

HBITMAP LoadBitmapA(HINSTANCE, LPCSTR name) {
    const TextPicture* p = FindPicture(PictureKind::Bitmap, name);
    return p ? BitmapFromPicture(*p) : nullptr;
}

HICON LoadIconA(HINSTANCE instance, LPCSTR name) {
    return static_cast<HICON>(LoadImageA(instance, name, IMAGE_ICON, 0, 0, LR_DEFAULTSIZE | LR_SHARED));
}

HANDLE LoadImageA(HINSTANCE instance, LPCSTR name, UINT type, int width, int height, UINT flags) {
    if (!name || (flags & LR_LOADFROMFILE)) return nullptr;
    if (type == IMAGE_BITMAP) {
        const TextPicture* p = FindPicture(PictureKind::Bitmap, name);
        if (!p) return nullptr;
        HBITMAP bmp = BitmapFromPicture(*p);
        BitmapObject* b = FindBitmap(bmp);
        if (!b) return nullptr;
        if (flags & LR_LOADTRANSPARENT) {
            // The colour of the first pixel becomes the window colour.
            Pixel key = b->Pixels().At(0, 0);
            Pixel window = PixelFromColor(SystemColor(5));
            for (int y = 0; y < b->Height(); ++y)
                for (int x = 0; x < b->Width(); ++x)
                    if (b->Pixels().At(x, y) == key) b->Pixels().Set(x, y, window);
        }
        if ((width > 0 && width != b->Width()) || (height > 0 && height != b->Height())) {
            HBITMAP scaled = CopyBitmap(bmp, width, height);
            DeleteObject(bmp);
            bmp = scaled;
        }
        if (flags & LR_MONOCHROME) {
            BitmapObject* src = FindBitmap(bmp);
            HBITMAP mono = CreateBitmap(src->Width(), src->Height(), 1, 1, nullptr);
            BitmapObject* m = FindBitmap(mono);
            for (int y = 0; y < src->Height(); ++y) {
                for (int x = 0; x < src->Width(); ++x) {
                    Pixel p = src->Pixels().At(x, y);
                    int sum = static_cast<int>((p >> 16) & 0xFF) + static_cast<int>((p >> 8) & 0xFF) +
                              static_cast<int>(p & 0xFF);
                    m->Pixels().Set(x, y, sum > 382 ? 0x00FFFFFF : 0);
                }
            }
            DeleteObject(bmp);
            bmp = mono;
        }
        return bmp;
    }
    if (type == IMAGE_ICON || type == IMAGE_CURSOR) {
        if (flags & LR_DEFAULTSIZE) {
            if (width == 0) width = 32;
            if (height == 0) height = 32;
        }
        // Shared icons are made once per name and size.
        static std::map<std::tuple<std::string, int, int, bool, bool>, HICON> sharedIcons;
        auto key = std::make_tuple(ResourceName(name), width, height, instance != nullptr, type == IMAGE_ICON);
        if (flags & LR_SHARED) {
            auto it = sharedIcons.find(key);
            if (it != sharedIcons.end() && FindIcon(it->second)) return it->second;
        }
        const TextPicture* p = instance ? FindPicture(PictureKind::Icon, name) : nullptr;
        if (!p) p = SystemIconPicture(name);
        if (!p && !instance) p = FindPicture(PictureKind::Icon, name);
        if (!p) return nullptr;
        HICON icon = IconFromPicture(*p, width, height);
        if (IconObject* i = FindIcon(icon)) {
            i->isIcon = type == IMAGE_ICON;
            i->shared = (flags & LR_SHARED) != 0;
            if (i->shared) sharedIcons[key] = icon;
        }
        return icon;
    }
    return nullptr;
}

}  // namespace win32
