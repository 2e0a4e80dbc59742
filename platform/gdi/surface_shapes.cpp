// Lines and filled shapes on a surface DC. Lines leave out their last
// pixel, so a polyline's joints are drawn once (an XOR pen draws a closed
// figure without gaps). Fills sample at pixel centres, which makes a
// polygon around (0,0)-(10,10) fill columns and rows 0 to 9.
#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "platform/gdi/raster_ops.h"
#include "platform/gdi/surface_device.h"

namespace win32::gdi {

namespace {

struct PenInfo {
    bool none = true;
    Pixel color = 0;
    int style = PS_SOLID;
    int width = 1;  // device pixels
};

// On and off lengths of the cosmetic dash styles.
const std::vector<int>& DashPattern(int style) {
    static const std::vector<int> solid{};
    static const std::vector<int> dash{18, 6};
    static const std::vector<int> dot{3, 3};
    static const std::vector<int> dashDot{9, 6, 3, 6};
    static const std::vector<int> dashDotDot{9, 3, 3, 3, 3, 3};
    switch (style) {
    case PS_DASH: return dash;
    case PS_DOT: return dot;
    case PS_DASHDOT: return dashDot;
    case PS_DASHDOTDOT: return dashDotDot;
    default: return solid;
    }
}

bool DashOn(const std::vector<int>& pattern, long long pos) {
    if (pattern.empty()) return true;
    int total = 0;
    for (int v : pattern) total += v;
    int p = static_cast<int>(pos % total);
    for (std::size_t i = 0; i < pattern.size(); ++i) {
        if (p < pattern[i]) return (i % 2) == 0;
        p -= pattern[i];
    }
    return true;
}

// Collects pixels into spans, joining horizontal neighbours.
class SpanCollector {
public:
    void Add(int x, int y) {
        if (!spans_.empty()) {
            Span& last = spans_.back();
            if (last.y == y && last.x1 == x) {
                ++last.x1;
                return;
            }
            if (last.y == y && last.x0 == x + 1) {
                --last.x0;
                return;
            }
        }
        spans_.push_back(Span{y, x, x + 1});
    }
    std::vector<Span>& Spans() { return spans_; }

private:
    std::vector<Span> spans_;
};

// Visits the pixels of the line a -> b without its last pixel, restricted
// to `bounds` (so huge coordinates cost nothing). `visit(x, y, step)`.
template <class F>
void WalkLine(POINT a, POINT b, const RECT& bounds, F&& visit) {
    long long dx = static_cast<long long>(b.x) - a.x, dy = static_cast<long long>(b.y) - a.y;
    long long adx = std::llabs(dx), ady = std::llabs(dy);
    int sx = dx < 0 ? -1 : 1, sy = dy < 0 ? -1 : 1;
    bool xMajor = adx >= ady;
    long long major = xMajor ? adx : ady, minor = xMajor ? ady : adx;
    if (major == 0) return;
    // Steps whose major coordinate lies inside the bounds.
    long long lo = 0, hi = major;
    long long start = xMajor ? a.x : a.y;
    int s = xMajor ? sx : sy;
    long long bmin = xMajor ? bounds.left : bounds.top, bmax = xMajor ? bounds.right : bounds.bottom;
    if (s > 0) {
        lo = std::max(lo, bmin - start);
        hi = std::min(hi, bmax - start);
    } else {
        lo = std::max(lo, start - bmax + 1);
        hi = std::min(hi, start - bmin + 1);
    }
    for (long long i = lo; i < hi; ++i) {
        long long m = (2 * i * minor + major) / (2 * major);
        long long x = xMajor ? a.x + sx * i : a.x + sx * m;
        long long y = xMajor ? a.y + sy * m : a.y + sy * i;
        if (x < bounds.left || x >= bounds.right || y < bounds.top || y >= bounds.bottom) continue;
        visit(static_cast<int>(x), static_cast<int>(y), i);
    }
}

struct Edge {
    double x0, y0, x1, y1;
    int dir;
};

// Spans of the polygons' interior for the given fill mode, rows limited to
// [rowLo, rowHi).
std::vector<Span> FillSpans(const std::vector<std::vector<POINT>>& polys, int fillMode, int rowLo, int rowHi,
                            int colLo, int colHi) {
    std::vector<Edge> edges;
    double ymin = 1e300, ymax = -1e300;
    for (const auto& poly : polys) {
        std::size_t n = poly.size();
        for (std::size_t i = 0; i < n; ++i) {
            POINT p = poly[i], q = poly[(i + 1) % n];
            if (p.y == q.y) continue;
            Edge e{static_cast<double>(p.x), static_cast<double>(p.y), static_cast<double>(q.x),
                   static_cast<double>(q.y), 1};
            if (e.y0 > e.y1) {
                std::swap(e.x0, e.x1);
                std::swap(e.y0, e.y1);
                e.dir = -1;
            }
            ymin = std::min(ymin, e.y0);
            ymax = std::max(ymax, e.y1);
            edges.push_back(e);
        }
    }
    std::vector<Span> spans;
    if (edges.empty()) return spans;
    int y0 = std::max(rowLo, static_cast<int>(std::floor(ymin)));
    int y1 = std::min(rowHi, static_cast<int>(std::ceil(ymax)) + 1);
    std::vector<std::pair<double, int>> xs;
    for (int y = y0; y < y1; ++y) {
        double sy = y + 0.5;
        xs.clear();
        for (const Edge& e : edges) {
            if (sy < e.y0 || sy >= e.y1) continue;
            double x = e.x0 + (sy - e.y0) * (e.x1 - e.x0) / (e.y1 - e.y0);
            xs.emplace_back(x, e.dir);
        }
        std::sort(xs.begin(), xs.end());
        int winding = 0;
        for (std::size_t i = 0; i < xs.size(); ++i) {
            bool inside;
            if (fillMode == WINDING) {
                winding += xs[i].second;
                inside = winding != 0;
            } else {
                inside = (i % 2) == 0;
            }
            if (!inside || i + 1 >= xs.size()) continue;
            double xl = xs[i].first, xr = xs[i + 1].first;
            double a = std::ceil(xl - 0.5), b = std::ceil(xr - 0.5);
            a = std::max(a, static_cast<double>(colLo));
            b = std::min(b, static_cast<double>(colHi));
            if (b > a) spans.push_back(Span{y, static_cast<int>(a), static_cast<int>(b)});
        }
    }
    return spans;
}

}  // namespace

namespace {

PenInfo ResolvePen(const SurfaceDC& dc) {
    PenInfo info;
    PenObject* pen = FindPen(dc.State().pen);
    if (!pen || pen->Style() == PS_NULL) return info;
    info.none = false;
    COLORREF c = pen->FollowsDcColor() ? dc.State().dcPenColor : pen->Pen().lopnColor;
    info.color = dc.TargetPixel(c);
    info.style = pen->Style();
    // Width 0 is one pixel whatever the mapping; other widths are logical
    // units, so a scaled page (a printer) gets lines of the same size.
    int w = pen->Width();
    info.width = w == 0 ? 1 : std::max(1, dc.ScaleWidth(w));
    if (info.width > 1) info.style = info.style == PS_INSIDEFRAME ? PS_INSIDEFRAME : PS_SOLID;
    return info;
}

// The device rectangle that can receive pixels, from the surface clip.
RECT DeviceBounds(SurfaceDC& dc) {
    RECT b = dc.SurfaceClip().Bounds();
    POINT o = dc.SurfaceOrigin();
    return RECT{b.left - o.x, b.top - o.y, b.right - o.x, b.bottom - o.y};
}

}  // namespace

namespace {

// Pens wider than this are filled as capsules rather than stamped.
constexpr int kMaxStampedPen = 64;

// Marks the pixels whose centres lie within `radius` of the segment a-b.
// Each row of a capsule is one interval (the shape is convex): the union of
// the row's intervals through the end discs and through the band between.
void MarkCapsule(std::vector<std::uint8_t>& mask, const RECT& area, POINT a, POINT b, double radius) {
    int aw = area.right - area.left;
    double ax = a.x, ay = a.y, bx = b.x, by = b.y;
    double dx = bx - ax, dy = by - ay, len = std::sqrt(dx * dx + dy * dy);
    for (int y = area.top; y < area.bottom; ++y) {
        double lo = 1e300, hi = -1e300;
        auto disc = [&](double cx, double cy) {
            double d = radius * radius - (y - cy) * (y - cy);
            if (d < 0) return;
            double h = std::sqrt(d);
            lo = std::min(lo, cx - h);
            hi = std::max(hi, cx + h);
        };
        disc(ax, ay);
        disc(bx, by);
        if (len > 0) {
            // Points (x, y) with |cross| <= radius * len and 0 <= dot <= len * len,
            // both linear in x.
            double ux = dx, uy = dy;
            double band0 = -1e300, band1 = 1e300;
            auto clampLinear = [&](double coef, double constant, double min, double max) {
                // min <= coef * x + constant <= max
                if (coef == 0) {
                    if (constant < min || constant > max) band0 = 1e300;
                    return;
                }
                double x0 = (min - constant) / coef, x1 = (max - constant) / coef;
                if (x0 > x1) std::swap(x0, x1);
                band0 = std::max(band0, x0);
                band1 = std::min(band1, x1);
            };
            // cross = ux * (y - ay) - uy * (x - ax)
            clampLinear(-uy, ux * (y - ay) + uy * ax, -radius * len, radius * len);
            // dot = ux * (x - ax) + uy * (y - ay)
            clampLinear(ux, uy * (y - ay) - ux * ax, 0, len * len);
            if (band0 <= band1) {
                lo = std::min(lo, band0);
                hi = std::max(hi, band1);
            }
        }
        if (lo > hi) continue;
        double first = std::max<double>(lo, area.left), last = std::min<double>(hi, area.right - 1);
        int x0 = static_cast<int>(std::ceil(first)), x1 = static_cast<int>(std::floor(last));
        if (x1 < x0) continue;
        std::uint8_t* row = mask.data() + static_cast<std::size_t>(y - area.top) * aw;
        std::fill(row + (x0 - area.left), row + (x1 - area.left) + 1, std::uint8_t{1});
    }
}

}  // namespace

void SurfaceDC::StrokePolyline(const POINT* pts, int count, bool closed) {
    PenInfo pen = ResolvePen(*this);
    if (pen.none || count < 2 || !surface_) return;
    std::uint8_t rop = Rop3FromRop2(State().rop2);
    Ink ink = Ink::Solid(pen.color);
    RECT bounds = DeviceBounds(*this);
    if (IsRectEmptyValue(bounds)) return;
    int segments = closed ? count : count - 1;
    if (pen.width == 1) {
        SpanCollector spans;
        const std::vector<int>& dash = DashPattern(pen.style);
        std::vector<Span> gaps;
        SpanCollector gapSpans;
        bool opaqueGaps = !dash.empty() && State().bkMode == OPAQUE;
        long long styleBase = 0;
        for (int i = 0; i < segments; ++i) {
            POINT a = pts[i], b = pts[(i + 1) % count];
            WalkLine(a, b, bounds, [&](int x, int y, long long step) {
                if (DashOn(dash, styleBase + step)) spans.Add(x, y);
                else if (opaqueGaps) gapSpans.Add(x, y);
            });
            styleBase += std::max(std::llabs(static_cast<long long>(b.x) - a.x),
                                  std::llabs(static_cast<long long>(b.y) - a.y));
        }
        if (opaqueGaps) PaintSpans(gapSpans.Spans(), Ink::Solid(TargetPixel(State().bkColor)), rop);
        PaintSpans(spans.Spans(), ink, rop);
        return;
    }
    // Wide pen: stamp a round pen tip along the path into a mask, so every
    // pixel is painted once whatever the raster operation.
    int w = pen.width;
    long long minX = static_cast<long long>(bounds.right) + w, minY = static_cast<long long>(bounds.bottom) + w;
    long long maxX = static_cast<long long>(bounds.left) - w, maxY = static_cast<long long>(bounds.top) - w;
    for (int i = 0; i < count; ++i) {
        minX = std::min<long long>(minX, static_cast<long long>(pts[i].x) - w);
        minY = std::min<long long>(minY, static_cast<long long>(pts[i].y) - w);
        maxX = std::max<long long>(maxX, static_cast<long long>(pts[i].x) + w + 1);
        maxY = std::max<long long>(maxY, static_cast<long long>(pts[i].y) + w + 1);
    }
    RECT area{static_cast<LONG>(std::max<long long>(minX, bounds.left)),
              static_cast<LONG>(std::max<long long>(minY, bounds.top)),
              static_cast<LONG>(std::min<long long>(maxX, bounds.right)),
              static_cast<LONG>(std::min<long long>(maxY, bounds.bottom))};
    if (IsRectEmptyValue(area)) return;
    int aw = area.right - area.left, ah = area.bottom - area.top;
    std::vector<std::uint8_t> mask(static_cast<std::size_t>(aw) * static_cast<std::size_t>(ah), 0);
    int lo = -(w / 2), hi = lo + w - 1;
    double c = (lo + hi) / 2.0, r2 = (w / 2.0) * (w / 2.0) + 0.25;
    // Only the rows and columns of the tip that fall inside the mask are
    // visited, and each row of the tip is one run, so a pen far wider than
    // the drawing area costs no more than the area itself.
    auto stamp = [&](int x, int y) {
        int oyLo = std::max(lo, area.top - y), oyHi = std::min(hi, area.top + ah - 1 - y);
        for (int oy = oyLo; oy <= oyHi; ++oy) {
            double d = r2 - (oy - c) * (oy - c);
            if (d < 0) continue;
            double half = std::sqrt(d);
            int ox0 = std::max(lo, static_cast<int>(std::ceil(c - half)));
            int ox1 = std::min(hi, static_cast<int>(std::floor(c + half)));
            int xx0 = std::max(0, x + ox0 - area.left), xx1 = std::min(aw - 1, x + ox1 - area.left);
            if (xx1 < xx0) continue;
            std::uint8_t* row = mask.data() + static_cast<std::size_t>(y + oy - area.top) * aw;
            std::fill(row + xx0, row + xx1 + 1, std::uint8_t{1});
        }
    };
    if (w <= kMaxStampedPen) {
        RECT walkBounds{area.left - w, area.top - w, area.right + w, area.bottom + w};
        for (int i = 0; i < segments; ++i) {
            POINT a = pts[i], b = pts[(i + 1) % count];
            WalkLine(a, b, walkBounds, [&](int x, int y, long long) { stamp(x, y); });
            if (i == segments - 1 && !closed) stamp(b.x, b.y);
        }
    } else {
        // Stamping a very wide tip at every step would walk far outside the
        // area; the covered pixels of each row are found directly instead.
        for (int i = 0; i < segments; ++i) {
            MarkCapsule(mask, area, pts[i], pts[(i + 1) % count], w / 2.0);
        }
    }
    std::vector<Span> spans;
    for (int y = 0; y < ah; ++y) {
        int x = 0;
        while (x < aw) {
            while (x < aw && !mask[static_cast<std::size_t>(y) * aw + x]) ++x;
            int s = x;
            while (x < aw && mask[static_cast<std::size_t>(y) * aw + x]) ++x;
            if (x > s) spans.push_back(Span{y + area.top, s + area.left, x + area.left});
        }
    }
    PaintSpans(spans, ink, rop);
}

BOOL SurfaceDC::Polyline(const POINT* points, int count) {
    if (!points || count < 2) return FALSE;
    std::vector<POINT> dev(static_cast<std::size_t>(count));
    for (int i = 0; i < count; ++i) dev[static_cast<std::size_t>(i)] = ToDevice(points[i]);
    StrokePolyline(dev.data(), count, false);
    return TRUE;
}

BOOL SurfaceDC::PolyPolygon(const POINT* points, const INT* counts, int polygons) {
    if (!points || !counts || polygons <= 0) return FALSE;
    std::vector<std::vector<POINT>> polys;
    const POINT* p = points;
    for (int i = 0; i < polygons; ++i) {
        if (counts[i] < 2) return FALSE;
        std::vector<POINT> dev;
        for (int k = 0; k < counts[i]; ++k) dev.push_back(ToDevice(p[k]));
        p += counts[i];
        polys.push_back(std::move(dev));
    }
    if (!surface_) return TRUE;
    RECT bounds = DeviceBounds(*this);
    Ink ink = BrushInk(State().brush);
    if (!ink.none && !IsRectEmptyValue(bounds)) {
        std::vector<Span> spans =
            FillSpans(polys, State().polyFillMode, bounds.top, bounds.bottom, bounds.left, bounds.right);
        PaintSpans(spans, ink, Rop3FromRop2(State().rop2));
    }
    for (const auto& poly : polys) StrokePolyline(poly.data(), static_cast<int>(poly.size()), true);
    return TRUE;
}

BOOL SurfaceDC::Rectangle(const RECT& logical) {
    RECT r = ToDeviceRect(logical);
    if (!surface_) return TRUE;
    PenInfo pen = ResolvePen(*this);
    Ink ink = BrushInk(State().brush);
    std::uint8_t rop = Rop3FromRop2(State().rop2);
    if (pen.none) {
        // Without a pen the filled area loses its right and bottom line.
        PaintRect(RECT{r.left, r.top, r.right - 1, r.bottom - 1}, ink, rop);
        return TRUE;
    }
    if (r.right - r.left < 1 || r.bottom - r.top < 1) return TRUE;
    RECT path{r.left, r.top, r.right - 1, r.bottom - 1};
    if (pen.style == PS_INSIDEFRAME && pen.width > 1) {
        int h = pen.width / 2;
        path = RECT{r.left + h, r.top + h, r.right - 1 - (pen.width - 1 - h), r.bottom - 1 - (pen.width - 1 - h)};
        if (path.right < path.left) path.right = path.left;
        if (path.bottom < path.top) path.bottom = path.top;
    }
    PaintRect(RECT{r.left + 1, r.top + 1, r.right - 1, r.bottom - 1}, ink, rop);
    if (path.right == path.left || path.bottom == path.top) {
        // A frame one pixel wide or high is a single line, end included.
        POINT line[2] = {{path.left, path.top}, {path.right, path.bottom}};
        if (path.bottom == path.top) line[1].x += 1;
        else line[1].y += 1;
        StrokePolyline(line, 2, false);
        return TRUE;
    }
    POINT corners[4] = {{path.left, path.top}, {path.right, path.top}, {path.right, path.bottom}, {path.left, path.bottom}};
    StrokePolyline(corners, 4, true);
    return TRUE;
}

BOOL SurfaceDC::Ellipse(const RECT& logical) {
    RECT r = ToDeviceRect(logical);
    if (!surface_) return TRUE;
    if (r.right - r.left < 1 || r.bottom - r.top < 1) return TRUE;
    PenInfo pen = ResolvePen(*this);
    Ink ink = BrushInk(State().brush);
    std::uint8_t rop = Rop3FromRop2(State().rop2);
    int right = pen.none ? r.right - 1 : r.right;
    int bottom = pen.none ? r.bottom - 1 : r.bottom;
    double cx = (r.left + right - 1) / 2.0, cy = (r.top + bottom - 1) / 2.0;
    double rx = (right - r.left) / 2.0, ry = (bottom - r.top) / 2.0;
    int rows = bottom - r.top;
    if (rows <= 0 || rx <= 0) return TRUE;
    // Rows outside the drawing area are never computed, so a huge ellipse
    // costs only the rows that can show (one more on each side decides the
    // outline of the edge rows).
    RECT bounds = DeviceBounds(*this);
    if (IsRectEmptyValue(bounds)) return TRUE;
    int first = static_cast<int>(std::max<long long>(0, static_cast<long long>(bounds.top) - r.top - 1));
    int last = static_cast<int>(std::min<long long>(rows, static_cast<long long>(bounds.bottom) - r.top + 1));
    if (first >= last) return TRUE;
    auto rowSpan = [&](int i) {
        double dy = (r.top + i - cy) / ry;
        double half = dy * dy <= 1 ? rx * std::sqrt(1 - dy * dy) : 0;
        double lo = std::max(cx - half, static_cast<double>(bounds.left) - 2);
        double hi = std::min(cx + half, static_cast<double>(bounds.right) + 2);
        int x0 = static_cast<int>(std::ceil(lo - 1e-9));
        int x1 = static_cast<int>(std::floor(hi + 1e-9)) + 1;
        if (x1 <= x0) {
            x0 = static_cast<int>(std::lround(std::clamp(cx, lo, hi)));
            x1 = x0 + 1;
        }
        return std::pair<int, int>{x0, x1};
    };
    std::vector<Span> inner, outline;
    for (int i = first; i < last; ++i) {
        auto [x0, x1] = rowSpan(i);
        int y = r.top + i;
        if (pen.none) {
            inner.push_back(Span{y, x0, x1});
            continue;
        }
        if (i == 0 || i == rows - 1) {
            outline.push_back(Span{y, x0, x1});
            continue;
        }
        auto [a0, a1] = rowSpan(i - 1);
        auto [b0, b1] = rowSpan(i + 1);
        int in0 = std::max({x0 + 1, a0, b0}), in1 = std::min({x1 - 1, a1, b1});
        if (in1 <= in0) {
            outline.push_back(Span{y, x0, x1});
        } else {
            outline.push_back(Span{y, x0, in0});
            inner.push_back(Span{y, in0, in1});
            outline.push_back(Span{y, in1, x1});
        }
    }
    if (!ink.none) PaintSpans(inner, ink, rop);
    if (!pen.none) PaintSpans(outline, Ink::Solid(pen.color), rop);
    return TRUE;
}

}  // namespace win32::gdi
