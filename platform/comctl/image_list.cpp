// Image lists: equal-sized pictures kept side by side in one colour strip,
// with a monochrome mask strip when the list was made with ILC_MASK (1 in
// the mask = transparent). The colour strip is kept black under the mask,
// so a transparent draw is the mask with SRCAND, then the picture with
// SRCPAINT, and every draw is made of ordinary blits (which a metafile can
// record).
#include <algorithm>
#include <memory>

#include "platform/comctl/commctrl.h"
#include "platform/gdi/dc.h"
#include "platform/gdi/icon.h"
#include "platform/gdi/wingdi.h"
#include "platform/handle_table.h"

namespace win32 {

namespace {

using gdi::BitmapObject;
using gdi::FindBitmap;

class ImageList {
public:
    ImageList(int cx, int cy, bool masked) : cx_(cx), cy_(cy), masked_(masked) { Reallocate(0); }
    ~ImageList() {
        DeleteObject(image_);
        DeleteObject(mask_);
    }
    ImageList(const ImageList&) = delete;
    ImageList& operator=(const ImageList&) = delete;

    int Count() const { return count_; }
    int Width() const { return cx_; }
    int Height() const { return cy_; }
    bool Masked() const { return masked_; }
    HBITMAP Image() const { return image_; }
    HBITMAP Mask() const { return mask_; }
    COLORREF bk = CLR_NONE;

    Surface& Pixels() { return FindBitmap(image_)->Pixels(); }
    Surface& MaskPixels() { return FindBitmap(mask_)->Pixels(); }

    // Grows or shrinks to n images; new ones are black and opaque.
    void Resize(int n) {
        if (n == count_) return;
        Reallocate(n);
    }

    void Clear(int cx, int cy) {
        cx_ = cx;
        cy_ = cy;
        count_ = -1;
        Reallocate(0);
    }

    // Copies cell `index` from pixel and mask readers.
    template <class PixelAt, class MaskAt>
    void Store(int index, PixelAt pixel, MaskAt transparent) {
        Surface& img = Pixels();
        Surface& msk = MaskPixels();
        for (int y = 0; y < cy_; ++y) {
            for (int x = 0; x < cx_; ++x) {
                bool clear = masked_ && transparent(x, y);
                img.Set(index * cx_ + x, y, clear ? 0 : pixel(x, y));
                msk.Set(index * cx_ + x, y, clear ? 0x00FFFFFF : 0);
            }
        }
    }

    void RemoveAt(int index) {
        Surface& img = Pixels();
        Surface& msk = MaskPixels();
        for (int i = index; i + 1 < count_; ++i) {
            for (int y = 0; y < cy_; ++y) {
                for (int x = 0; x < cx_; ++x) {
                    img.Set(i * cx_ + x, y, img.At((i + 1) * cx_ + x, y));
                    msk.Set(i * cx_ + x, y, msk.At((i + 1) * cx_ + x, y));
                }
            }
        }
        Reallocate(count_ - 1);
    }

private:
    void Reallocate(int n) {
        // Strips are at least one cell wide so their bitmaps always exist.
        int w = std::max(1, n) * cx_;
        HBITMAP img = CreateBitmap(w, cy_, 1, 32, nullptr);
        HBITMAP msk = CreateBitmap(w, cy_, 1, 1, nullptr);
        if (image_ && count_ > 0) {
            const Surface& oi = FindBitmap(image_)->Pixels();
            const Surface& om = FindBitmap(mask_)->Pixels();
            Surface& ni = FindBitmap(img)->Pixels();
            Surface& nm = FindBitmap(msk)->Pixels();
            int keep = std::min(n, count_) * cx_;
            for (int y = 0; y < cy_; ++y) {
                for (int x = 0; x < keep; ++x) {
                    ni.Set(x, y, oi.At(x, y));
                    nm.Set(x, y, om.At(x, y));
                }
            }
        }
        if (image_) DeleteObject(image_);
        if (mask_) DeleteObject(mask_);
        image_ = img;
        mask_ = msk;
        count_ = n;
    }

    int cx_;
    int cy_;
    bool masked_;
    int count_ = -1;
    HBITMAP image_ = nullptr;
    HBITMAP mask_ = nullptr;
};

HandleTable<ImageList>& Lists() {
    static HandleTable<ImageList> table(HandleKind::ImageList);
    return table;
}

ImageList* Find(HIMAGELIST h) { return Lists().Get(FromHandle(h)); }

bool ValidSize(int cx, int cy) { return cx > 0 && cy > 0 && cx <= 4096 && cy <= 4096; }

// A source bitmap's pixel as colour (monochrome: 0 black, 1 white).
Pixel SourcePixel(const BitmapObject& b, int x, int y) {
    if (!b.Pixels().Contains(x, y)) return 0;
    return b.Pixels().At(x, y) & 0x00FFFFFF;
}

// Adds or replaces the images of a strip bitmap starting at `index`.
int StoreStrip(ImageList& list, int index, HBITMAP image, HBITMAP mask, const COLORREF* maskColor) {
    BitmapObject* img = FindBitmap(image);
    if (!img || img->Width() < list.Width()) return -1;
    BitmapObject* msk = mask ? FindBitmap(mask) : nullptr;
    int n = img->Width() / list.Width();
    int first = index < 0 ? list.Count() : index;
    if (index < 0) list.Resize(list.Count() + n);
    Pixel key = maskColor ? PixelFromColor(*maskColor & 0x00FFFFFF) : 0;
    for (int k = 0; k < n && first + k < list.Count(); ++k) {
        int ox = k * list.Width();
        list.Store(
            first + k, [&](int x, int y) { return SourcePixel(*img, ox + x, y); },
            [&](int x, int y) {
                if (maskColor) return SourcePixel(*img, ox + x, y) == key;
                if (msk) return SourcePixel(*msk, ox + x, y) != 0;
                return false;
            });
    }
    return first;
}

}  // namespace

HIMAGELIST ImageList_Create(int cx, int cy, UINT flags, int, int) {
    if (!ValidSize(cx, cy)) return nullptr;
    return ToHandle<HIMAGELIST>(Lists().Add(std::make_unique<ImageList>(cx, cy, (flags & ILC_MASK) != 0)));
}

BOOL ImageList_Destroy(HIMAGELIST list) { return Lists().Remove(FromHandle(list)) ? TRUE : FALSE; }

int ImageList_GetImageCount(HIMAGELIST list) {
    ImageList* l = Find(list);
    return l ? l->Count() : 0;
}

BOOL ImageList_SetImageCount(HIMAGELIST list, UINT count) {
    ImageList* l = Find(list);
    if (!l || count > 65536) return FALSE;
    l->Resize(static_cast<int>(count));
    return TRUE;
}

int ImageList_Add(HIMAGELIST list, HBITMAP image, HBITMAP mask) {
    ImageList* l = Find(list);
    if (!l) return -1;
    return StoreStrip(*l, -1, image, mask, nullptr);
}

int ImageList_AddMasked(HIMAGELIST list, HBITMAP image, COLORREF mask) {
    ImageList* l = Find(list);
    if (!l) return -1;
    if (!l->Masked()) return StoreStrip(*l, -1, image, nullptr, nullptr);
    return StoreStrip(*l, -1, image, nullptr, &mask);
}

BOOL ImageList_Replace(HIMAGELIST list, int index, HBITMAP image, HBITMAP mask) {
    ImageList* l = Find(list);
    if (!l || index < 0 || index >= l->Count()) return FALSE;
    return StoreStrip(*l, index, image, mask, nullptr) >= 0 ? TRUE : FALSE;
}

int ImageList_ReplaceIcon(HIMAGELIST list, int index, HICON icon) {
    ImageList* l = Find(list);
    gdi::IconObject* i = gdi::FindIcon(icon);
    if (!l || !i || index < -1 || index >= l->Count()) return -1;
    BitmapObject* mask = FindBitmap(i->mask);
    BitmapObject* color = i->color ? FindBitmap(i->color) : nullptr;
    if (!mask) return -1;
    if (index < 0) {
        l->Resize(l->Count() + 1);
        index = l->Count() - 1;
    }
    // The icon is fitted to the cell size.
    auto sx = [&](int x) { return x * i->width / l->Width(); };
    auto sy = [&](int y) { return y * i->height / l->Height(); };
    l->Store(
        index,
        [&](int x, int y) {
            if (color) return SourcePixel(*color, sx(x), sy(y));
            return SourcePixel(*mask, sx(x), sy(y) + i->height);
        },
        [&](int x, int y) { return SourcePixel(*mask, sx(x), sy(y)) != 0; });
    return index;
}

BOOL ImageList_Remove(HIMAGELIST list, int index) {
    ImageList* l = Find(list);
    if (!l) return FALSE;
    if (index == -1) {
        l->Resize(0);
        return TRUE;
    }
    if (index < 0 || index >= l->Count()) return FALSE;
    l->RemoveAt(index);
    return TRUE;
}

COLORREF ImageList_SetBkColor(HIMAGELIST list, COLORREF bk) {
    ImageList* l = Find(list);
    if (!l) return CLR_NONE;
    COLORREF old = l->bk;
    l->bk = bk == CLR_NONE ? CLR_NONE : (bk & 0x00FFFFFF);
    return old;
}

COLORREF ImageList_GetBkColor(HIMAGELIST list) {
    ImageList* l = Find(list);
    return l ? l->bk : CLR_NONE;
}

BOOL ImageList_GetIconSize(HIMAGELIST list, int* cx, int* cy) {
    ImageList* l = Find(list);
    if (!l || !cx || !cy) return FALSE;
    *cx = l->Width();
    *cy = l->Height();
    return TRUE;
}

BOOL ImageList_SetIconSize(HIMAGELIST list, int cx, int cy) {
    ImageList* l = Find(list);
    if (!l || !ValidSize(cx, cy)) return FALSE;
    l->Clear(cx, cy);
    return TRUE;
}

BOOL ImageList_GetImageInfo(HIMAGELIST list, int index, IMAGEINFO* info) {
    ImageList* l = Find(list);
    if (!l || !info || index < 0 || index >= l->Count()) return FALSE;
    info->hbmImage = l->Image();
    info->hbmMask = l->Masked() ? l->Mask() : nullptr;
    info->Unused1 = info->Unused2 = 0;
    info->rcImage = RECT{index * l->Width(), 0, (index + 1) * l->Width(), l->Height()};
    return TRUE;
}

BOOL ImageList_Draw(HIMAGELIST list, int index, HDC dc, int x, int y, UINT style) {
    return ImageList_DrawEx(list, index, dc, x, y, 0, 0, CLR_DEFAULT, CLR_DEFAULT, style);
}

BOOL ImageList_DrawEx(HIMAGELIST list, int index, HDC dc, int x, int y, int dx, int dy, COLORREF bk,
                      COLORREF fg, UINT style) {
    ImageList* l = Find(list);
    if (!l || index < 0 || index >= l->Count() || !gdi::FindDC(dc)) return FALSE;
    int w = dx > 0 ? std::min(dx, l->Width()) : l->Width();
    int h = dy > 0 ? std::min(dy, l->Height()) : l->Height();
    int sx = index * l->Width();
    if (bk == CLR_DEFAULT) bk = l->bk;

    HDC mem = CreateCompatibleDC(dc);
    HBITMAP blended = nullptr;
    HBITMAP picture = l->Image();
    int px = sx;
    if (style & (ILD_BLEND25 | ILD_BLEND50)) {
        // Selected and focused pictures are dithered with the highlight
        // colour: every other pixel for 50 %, every fourth for 25 %.
        COLORREF tint = fg == CLR_DEFAULT || fg == CLR_NONE ? gdi::SystemColor(13) : fg;
        blended = CreateBitmap(w, h, 1, 32, nullptr);
        Surface& b = FindBitmap(blended)->Pixels();
        Surface& src = l->Pixels();
        Surface& msk = l->MaskPixels();
        bool half = (style & ILD_BLEND50) != 0;
        for (int yy = 0; yy < h; ++yy) {
            for (int xx = 0; xx < w; ++xx) {
                Pixel p = src.At(sx + xx, yy);
                bool clear = l->Masked() && msk.At(sx + xx, yy);
                bool dot = half ? ((xx + yy) % 2 == 0) : (xx % 2 == 0 && yy % 2 == 0);
                b.Set(xx, yy, (!clear && dot) ? PixelFromColor(tint & 0x00FFFFFF) : p);
            }
        }
        picture = blended;
        px = 0;
    }

    COLORREF oldText = SetTextColor(dc, 0x000000);
    COLORREF oldBk = SetBkColor(dc, 0xFFFFFF);
    HGDIOBJ old = SelectObject(mem, l->Mask());
    if (style & ILD_MASK) {
        if (l->Masked()) {
            BitBlt(dc, x, y, w, h, mem, sx, 0, SRCCOPY);
        } else {
            PatBlt(dc, x, y, w, h, BLACKNESS);
        }
    } else if (!l->Masked() || (style & ILD_IMAGE)) {
        SelectObject(mem, picture);
        BitBlt(dc, x, y, w, h, mem, px, 0, SRCCOPY);
    } else {
        bool transparent = (style & ILD_TRANSPARENT) || bk == CLR_NONE;
        if (!transparent) {
            HBRUSH b = CreateSolidBrush(bk);
            RECT r{x, y, x + w, y + h};
            FillRect(dc, &r, b);
            DeleteObject(b);
        }
        BitBlt(dc, x, y, w, h, mem, sx, 0, SRCAND);
        SelectObject(mem, picture);
        BitBlt(dc, x, y, w, h, mem, px, 0, SRCPAINT);
    }
    SelectObject(mem, old);
    SetTextColor(dc, oldText);
    SetBkColor(dc, oldBk);
    DeleteDC(mem);
    if (blended) DeleteObject(blended);
    return TRUE;
}

HICON ImageList_GetIcon(HIMAGELIST list, int index, UINT) {
    ImageList* l = Find(list);
    if (!l || index < 0 || index >= l->Count()) return nullptr;
    HBITMAP color = CreateBitmap(l->Width(), l->Height(), 1, 32, nullptr);
    HBITMAP mask = CreateBitmap(l->Width(), l->Height(), 1, 1, nullptr);
    Surface& c = FindBitmap(color)->Pixels();
    Surface& m = FindBitmap(mask)->Pixels();
    for (int y = 0; y < l->Height(); ++y) {
        for (int x = 0; x < l->Width(); ++x) {
            c.Set(x, y, l->Pixels().At(index * l->Width() + x, y));
            m.Set(x, y, l->Masked() ? l->MaskPixels().At(index * l->Width() + x, y) : 0);
        }
    }
    return gdi::MakeIcon(mask, color, true, POINT{l->Width() / 2, l->Height() / 2});
}

}  // namespace win32
