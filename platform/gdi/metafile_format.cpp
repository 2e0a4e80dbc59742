#include "platform/gdi/metafile_format.h"

#include <cstring>

namespace win32::gdi::emf {
namespace {

constexpr std::uint32_t kHeaderType = EMR_HEADER;
constexpr std::uint32_t kEndType = EMR_EOF;
// Drawing and state records are numbered from here in the order of the
// Record variant; the order is part of the format and never changes.
constexpr std::uint32_t kFirstRecordType = 100;
constexpr std::uint32_t kVersion = 0x10000;
constexpr int kMaxBitsSide = 1 << 15;

class Writer {
public:
    explicit Writer(std::vector<std::uint8_t>& out) : out_(out) {}
    void Begin(std::uint32_t type) {
        start_ = out_.size();
        U32(type);
        U32(0);
    }
    void End() {
        while ((out_.size() - start_) % 4) out_.push_back(0);
        const std::uint32_t size = static_cast<std::uint32_t>(out_.size() - start_);
        for (int i = 0; i < 4; ++i) out_[start_ + 4 + i] = static_cast<std::uint8_t>(size >> (8 * i));
    }
    void U32(std::uint32_t v) {
        for (int i = 0; i < 4; ++i) out_.push_back(static_cast<std::uint8_t>(v >> (8 * i)));
    }
    void I32(std::int32_t v) { U32(static_cast<std::uint32_t>(v)); }
    void U8(std::uint8_t v) { out_.push_back(v); }
    void Bool(bool v) { U32(v ? 1 : 0); }
    void Bytes(const void* p, std::size_t n) {
        const auto* b = static_cast<const std::uint8_t*>(p);
        out_.insert(out_.end(), b, b + n);
    }
    void Rect(const RECT& r) {
        I32(r.left);
        I32(r.top);
        I32(r.right);
        I32(r.bottom);
    }
    void Point(const POINT& p) {
        I32(p.x);
        I32(p.y);
    }
    void Blt(const BltRect& b) {
        I32(b.x);
        I32(b.y);
        I32(b.width);
        I32(b.height);
    }
    void String(const std::string& s) {
        U32(static_cast<std::uint32_t>(s.size()));
        Bytes(s.data(), s.size());
    }
    void BitsOf(const Bits& b) {
        I32(b.width);
        I32(b.height);
        Bool(b.monochrome);
        for (Pixel p : b.pixels) U32(p);
    }
    void Rects(const std::vector<RECT>& rects) {
        U32(static_cast<std::uint32_t>(rects.size()));
        for (const RECT& r : rects) Rect(r);
    }
    void Font(const LOGFONTA& lf) {
        I32(lf.lfHeight);
        I32(lf.lfWidth);
        I32(lf.lfEscapement);
        I32(lf.lfOrientation);
        I32(lf.lfWeight);
        U8(lf.lfItalic);
        U8(lf.lfUnderline);
        U8(lf.lfStrikeOut);
        U8(lf.lfCharSet);
        U8(lf.lfOutPrecision);
        U8(lf.lfClipPrecision);
        U8(lf.lfQuality);
        U8(lf.lfPitchAndFamily);
        char face[LF_FACESIZE] = {};
        std::memcpy(face, lf.lfFaceName, strnlen(lf.lfFaceName, LF_FACESIZE - 1));
        Bytes(face, LF_FACESIZE);
    }

private:
    std::vector<std::uint8_t>& out_;
    std::size_t start_ = 0;
};

class Reader {
public:
    Reader(const std::uint8_t* p, std::size_t size) : p_(p), size_(size) {}
    bool Ok() const { return ok_; }
    std::size_t Remaining() const { return ok_ ? size_ - pos_ : 0; }
    bool Need(std::size_t n) {
        if (!ok_ || size_ - pos_ < n) ok_ = false;
        return ok_;
    }
    void Fail() { ok_ = false; }
    std::uint32_t U32() {
        if (!Need(4)) return 0;
        std::uint32_t v = 0;
        for (int i = 0; i < 4; ++i) v |= static_cast<std::uint32_t>(p_[pos_ + i]) << (8 * i);
        pos_ += 4;
        return v;
    }
    std::int32_t I32() { return static_cast<std::int32_t>(U32()); }
    std::uint8_t U8() {
        if (!Need(1)) return 0;
        return p_[pos_++];
    }
    bool Bool() {
        std::uint32_t v = U32();
        if (v > 1) ok_ = false;
        return v == 1;
    }
    void Bytes(void* dst, std::size_t n) {
        if (!Need(n)) return;
        std::memcpy(dst, p_ + pos_, n);
        pos_ += n;
    }
    // A count of elements of `elementSize` bytes each that must fit in what
    // is left, so no allocation exceeds the input.
    std::size_t Count(std::size_t elementSize) {
        std::uint32_t n = U32();
        if (!ok_ || (elementSize > 0 && n > Remaining() / elementSize)) {
            ok_ = false;
            return 0;
        }
        return n;
    }
    RECT Rect() {
        RECT r;
        r.left = I32();
        r.top = I32();
        r.right = I32();
        r.bottom = I32();
        return r;
    }
    POINT Point() {
        POINT p;
        p.x = I32();
        p.y = I32();
        return p;
    }
    BltRect Blt() {
        BltRect b;
        b.x = I32();
        b.y = I32();
        b.width = I32();
        b.height = I32();
        return b;
    }
    std::string String() {
        std::size_t n = Count(1);
        std::string s(n, '\0');
        if (n) Bytes(s.data(), n);
        return s;
    }
    Bits BitsOf() {
        Bits b;
        b.width = I32();
        b.height = I32();
        b.monochrome = Bool();
        if (!ok_ || b.width < 0 || b.height < 0 || b.width > kMaxBitsSide || b.height > kMaxBitsSide) {
            ok_ = false;
            return b;
        }
        const std::size_t n = static_cast<std::size_t>(b.width) * static_cast<std::size_t>(b.height);
        if (n > Remaining() / 4) {
            ok_ = false;
            return b;
        }
        b.pixels.resize(n);
        for (Pixel& p : b.pixels) {
            p = U32();
            // Pixels are 0x00RRGGBB; a monochrome one is black or white.
            if ((p >> 24) != 0 || (b.monochrome && p != 0 && p != 0xFFFFFF)) ok_ = false;
        }
        return b;
    }
    std::vector<RECT> Rects() {
        std::size_t n = Count(16);
        std::vector<RECT> v(n);
        for (RECT& r : v) r = Rect();
        return v;
    }
    LOGFONTA Font() {
        LOGFONTA lf{};
        lf.lfHeight = I32();
        lf.lfWidth = I32();
        lf.lfEscapement = I32();
        lf.lfOrientation = I32();
        lf.lfWeight = I32();
        lf.lfItalic = U8();
        lf.lfUnderline = U8();
        lf.lfStrikeOut = U8();
        lf.lfCharSet = U8();
        lf.lfOutPrecision = U8();
        lf.lfClipPrecision = U8();
        lf.lfQuality = U8();
        lf.lfPitchAndFamily = U8();
        Bytes(lf.lfFaceName, LF_FACESIZE);
        // The name ends with a NUL and nothing follows it.
        std::size_t len = strnlen(lf.lfFaceName, LF_FACESIZE);
        if (len == LF_FACESIZE) ok_ = false;
        for (std::size_t i = len; i < LF_FACESIZE; ++i) {
            if (lf.lfFaceName[i] != 0) ok_ = false;
        }
        return lf;
    }
    // The end of a record: up to three zero bytes of padding, then nothing.
    bool AtPaddedEnd() {
        if (!ok_ || size_ - pos_ > 3) return false;
        for (std::size_t i = pos_; i < size_; ++i) {
            if (p_[i] != 0) return false;
        }
        return true;
    }

private:
    const std::uint8_t* p_;
    std::size_t size_;
    std::size_t pos_ = 0;
    bool ok_ = true;
};

// ---- Writing ---------------------------------------------------------------

struct RecordWriter {
    Writer& w;
    void operator()(const SelectFont& r) { w.Font(r.font); }
    void operator()(const SelectPen& r) {
        w.U32(r.style);
        w.I32(r.width);
        w.U32(r.color);
    }
    void operator()(const SelectBrush& r) {
        w.U32(r.style);
        w.U32(r.color);
        w.I32(r.hatch);
        w.BitsOf(r.pattern);
    }
    void operator()(const SetColors& r) {
        w.U32(r.text);
        w.U32(r.background);
    }
    void operator()(const SetModes& r) {
        w.I32(r.bkMode);
        w.I32(r.rop2);
        w.I32(r.polyFillMode);
        w.I32(r.stretchMode);
    }
    void operator()(const SetBrushOrg& r) { w.Point(r.origin); }
    void operator()(const SetClip& r) {
        w.Bool(r.hasClip);
        w.Rects(r.rects);
    }
    void operator()(const Polyline& r) {
        w.U32(static_cast<std::uint32_t>(r.points.size()));
        for (const POINT& p : r.points) w.Point(p);
    }
    void operator()(const PolyPolygon& r) {
        w.U32(static_cast<std::uint32_t>(r.counts.size()));
        for (INT c : r.counts) w.I32(c);
        w.U32(static_cast<std::uint32_t>(r.points.size()));
        for (const POINT& p : r.points) w.Point(p);
    }
    void operator()(const Rectangle& r) { w.Rect(r.rect); }
    void operator()(const Ellipse& r) { w.Rect(r.rect); }
    void operator()(const PatBlt& r) {
        w.Rect(r.rect);
        w.U32(r.rop);
    }
    void operator()(const FillRegion& r) {
        w.Rects(r.rects);
        w.U32(r.rop);
    }
    void operator()(const StretchBlt& r) {
        w.Blt(r.dst);
        w.Blt(r.src);
        w.U32(r.rop);
        w.Bool(r.hasSource);
        if (r.hasSource) w.BitsOf(r.bits);
    }
    void operator()(const TransparentBlt& r) {
        w.Blt(r.dst);
        w.Blt(r.src);
        w.U32(r.key);
        w.BitsOf(r.bits);
    }
    void operator()(const MaskBlt& r) {
        w.Blt(r.dst);
        w.U32(r.rop4);
        w.Bool(r.hasSource);
        if (r.hasSource) w.BitsOf(r.bits);
        w.Bool(r.hasMask);
        if (r.hasMask) w.BitsOf(r.mask);
    }
    void operator()(const SetPixel& r) {
        w.Point(r.point);
        w.U32(r.color);
    }
    void operator()(const ExtTextOut& r) {
        w.Point(r.origin);
        w.U32(r.options);
        w.Bool(r.hasRect);
        w.Rect(r.hasRect ? r.rect : RECT{0, 0, 0, 0});
        w.String(r.text);
        for (std::size_t i = 0; i < r.text.size(); ++i) w.I32(i < r.dx.size() ? r.dx[i] : 0);
    }
};

// ---- Reading ---------------------------------------------------------------

template <std::size_t I = 0>
bool ReadRecord(std::uint32_t index, Reader& r, Record& out);

Record ReadPayload(SelectFont*, Reader& r) { return SelectFont{r.Font()}; }
Record ReadPayload(SelectPen*, Reader& r) {
    SelectPen p;
    p.style = r.U32();
    p.width = r.I32();
    p.color = r.U32();
    return p;
}
Record ReadPayload(SelectBrush*, Reader& r) {
    SelectBrush b;
    b.style = r.U32();
    b.color = r.U32();
    b.hatch = r.I32();
    b.pattern = r.BitsOf();
    return b;
}
Record ReadPayload(SetColors*, Reader& r) {
    SetColors c;
    c.text = r.U32();
    c.background = r.U32();
    return c;
}
Record ReadPayload(SetModes*, Reader& r) {
    SetModes m;
    m.bkMode = r.I32();
    m.rop2 = r.I32();
    m.polyFillMode = r.I32();
    m.stretchMode = r.I32();
    return m;
}
Record ReadPayload(SetBrushOrg*, Reader& r) { return SetBrushOrg{r.Point()}; }
Record ReadPayload(SetClip*, Reader& r) {
    SetClip c;
    c.hasClip = r.Bool();
    c.rects = r.Rects();
    if (!c.hasClip && !c.rects.empty()) r.Fail();
    return c;
}
Record ReadPayload(Polyline*, Reader& r) {
    Polyline p;
    p.points.resize(r.Count(8));
    for (POINT& pt : p.points) pt = r.Point();
    return p;
}
Record ReadPayload(PolyPolygon*, Reader& r) {
    PolyPolygon p;
    p.counts.resize(r.Count(4));
    long long total = 0;
    for (INT& c : p.counts) {
        c = r.I32();
        if (c < 0) r.Fail();
        total += c;
    }
    p.points.resize(r.Count(8));
    if (total != static_cast<long long>(p.points.size())) r.Fail();
    for (POINT& pt : p.points) pt = r.Point();
    return p;
}
Record ReadPayload(Rectangle*, Reader& r) { return Rectangle{r.Rect()}; }
Record ReadPayload(Ellipse*, Reader& r) { return Ellipse{r.Rect()}; }
Record ReadPayload(PatBlt*, Reader& r) {
    PatBlt p;
    p.rect = r.Rect();
    p.rop = r.U32();
    return p;
}
Record ReadPayload(FillRegion*, Reader& r) {
    FillRegion f;
    f.rects = r.Rects();
    f.rop = r.U32();
    return f;
}
Record ReadPayload(StretchBlt*, Reader& r) {
    StretchBlt s;
    s.dst = r.Blt();
    s.src = r.Blt();
    s.rop = r.U32();
    s.hasSource = r.Bool();
    if (s.hasSource) s.bits = r.BitsOf();
    return s;
}
Record ReadPayload(TransparentBlt*, Reader& r) {
    TransparentBlt t;
    t.dst = r.Blt();
    t.src = r.Blt();
    t.key = r.U32();
    t.bits = r.BitsOf();
    return t;
}
Record ReadPayload(MaskBlt*, Reader& r) {
    MaskBlt m;
    m.dst = r.Blt();
    m.rop4 = r.U32();
    m.hasSource = r.Bool();
    if (m.hasSource) m.bits = r.BitsOf();
    m.hasMask = r.Bool();
    if (m.hasMask) {
        m.mask = r.BitsOf();
        if (!m.mask.monochrome) r.Fail();
    }
    return m;
}
Record ReadPayload(SetPixel*, Reader& r) {
    SetPixel p;
    p.point = r.Point();
    p.color = r.U32();
    return p;
}
Record ReadPayload(ExtTextOut*, Reader& r) {
    ExtTextOut t;
    t.origin = r.Point();
    t.options = r.U32();
    t.hasRect = r.Bool();
    t.rect = r.Rect();
    if (!t.hasRect && !(t.rect == RECT{0, 0, 0, 0})) r.Fail();
    t.text = r.String();
    if (t.text.size() > r.Remaining() / 4) {
        r.Fail();
        return t;
    }
    t.dx.resize(t.text.size());
    for (INT& d : t.dx) d = r.I32();
    return t;
}

template <std::size_t I>
bool ReadRecord(std::uint32_t index, Reader& r, Record& out) {
    if constexpr (I < std::variant_size_v<Record>) {
        if (index == I) {
            out = ReadPayload(static_cast<std::variant_alternative_t<I, Record>*>(nullptr), r);
            return r.Ok();
        }
        return ReadRecord<I + 1>(index, r, out);
    } else {
        return false;
    }
}

void WriteHeader(Writer& w, const Metafile& m) {
    const Header& h = m.header;
    w.Begin(kHeaderType);
    w.U32(ENHMETA_SIGNATURE);
    w.U32(kVersion);
    w.Rect(h.frame);
    w.Rect(h.bounds);
    w.I32(h.devicePixels.cx);
    w.I32(h.devicePixels.cy);
    w.I32(h.deviceMillimeters.cx);
    w.I32(h.deviceMillimeters.cy);
    w.I32(h.dpi.cx);
    w.I32(h.dpi.cy);
    w.U32(static_cast<std::uint32_t>(m.records.size()));
    w.String(h.description);
    w.End();
}

}  // namespace

std::vector<std::uint8_t> Serialize(const Metafile& m) {
    std::vector<std::uint8_t> out;
    Writer w(out);
    WriteHeader(w, m);
    for (const Record& record : m.records) {
        w.Begin(kFirstRecordType + static_cast<std::uint32_t>(record.index()));
        std::visit(RecordWriter{w}, record);
        w.End();
    }
    w.Begin(kEndType);
    w.End();
    return out;
}

std::optional<Metafile> Parse(const std::uint8_t* data, std::size_t size) {
    if (!data || size < 8) return std::nullopt;
    Metafile m;
    std::size_t pos = 0;
    std::uint32_t expectedRecords = 0;
    bool sawHeader = false;
    for (;;) {
        if (size - pos < 8) return std::nullopt;
        Reader head(data + pos, 8);
        const std::uint32_t type = head.U32();
        const std::uint32_t recordSize = head.U32();
        if (recordSize < 8 || recordSize % 4 != 0 || recordSize > size - pos) return std::nullopt;
        Reader r(data + pos + 8, recordSize - 8);
        pos += recordSize;
        if (!sawHeader) {
            if (type != kHeaderType) return std::nullopt;
            sawHeader = true;
            if (r.U32() != ENHMETA_SIGNATURE || r.U32() != kVersion) return std::nullopt;
            Header& h = m.header;
            h.frame = r.Rect();
            h.bounds = r.Rect();
            h.devicePixels.cx = r.I32();
            h.devicePixels.cy = r.I32();
            h.deviceMillimeters.cx = r.I32();
            h.deviceMillimeters.cy = r.I32();
            h.dpi.cx = r.I32();
            h.dpi.cy = r.I32();
            expectedRecords = r.U32();
            h.description = r.String();
            if (!r.AtPaddedEnd() || h.dpi.cx <= 0 || h.dpi.cy <= 0) return std::nullopt;
            // Each record takes at least eight bytes.
            if (expectedRecords > (size - pos) / 8) return std::nullopt;
            m.records.reserve(expectedRecords);
            continue;
        }
        if (type == kEndType) {
            if (recordSize != 8 || pos != size || m.records.size() != expectedRecords) return std::nullopt;
            return m;
        }
        if (type < kFirstRecordType || m.records.size() >= expectedRecords) return std::nullopt;
        Record record;
        if (!ReadRecord(type - kFirstRecordType, r, record) || !r.AtPaddedEnd()) return std::nullopt;
        m.records.push_back(std::move(record));
    }
}

}  // namespace win32::gdi::emf
