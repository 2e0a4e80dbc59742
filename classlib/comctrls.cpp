#include "classlib/comctrls.h"

#include <algorithm>
#include <vector>

#include "classlib/forms.h"
#include "classlib/messages.h"
#include "platform/comctl/commctrl.h"

namespace classlib {

using namespace win32;

void TStatusPanel::SetText(const std::string& text) {
    if (text == text_) return;
    text_ = text;
    Changed(false);
}

void TStatusPanel::SetWidth(int width) {
    if (width == width_) return;
    width_ = width;
    Changed(true);
}

void TStatusPanel::SetAlignment(TAlignment alignment) {
    alignment_ = alignment;
    Changed(false);
}

void TStatusPanel::SetBevel(TStatusPanelBevel bevel) {
    bevel_ = bevel;
    Changed(false);
}

void TStatusPanel::SetStyle(TStatusPanelStyle style) {
    style_ = style;
    Changed(false);
}

void TStatusPanel::Assign(const TPersistent* source) {
    if (const auto* p = dynamic_cast<const TStatusPanel*>(source)) {
        text_ = p->text_;
        width_ = p->width_;
        alignment_ = p->alignment_;
        bevel_ = p->bevel_;
        style_ = p->style_;
        Changed(true);
        return;
    }
    TCollectionItem::Assign(source);
}

TStatusPanels::TStatusPanels(TStatusBar* bar) : TCollectionOf<TStatusPanel>(bar), bar_(bar) {}

void TStatusPanels::Update(TCollectionItem* item) {
    if (item == nullptr) bar_->UpdatePanels();
    else bar_->UpdatePanel(item->Index());
}

// TStatusBar

namespace {

// The window class takes the alignment from the text: a tab before it
// centres it, two put it at the right.
std::string AlignedText(const TStatusPanel& panel) {
    switch (panel.Alignment()) {
        case taCenter: return "\t" + panel.Text();
        case taRightJustify: return "\t\t" + panel.Text();
        default: return panel.Text();
    }
}

UINT PanelFlags(const TStatusPanel& panel) {
    UINT flags = 0;
    if (panel.Bevel() == pbNone) flags |= SBT_NOBORDERS;
    if (panel.Bevel() == pbRaised) flags |= SBT_POPOUT;
    if (panel.Style() == psOwnerDraw) flags |= SBT_OWNERDRAW;
    return flags;
}

// Puts the canvas back to no device context however the drawing ends.
struct CanvasBinding {
    CanvasBinding(TCanvas* canvas, HDC dc) : canvas(canvas) { canvas->SetHandle(dc); }
    ~CanvasBinding() { canvas->SetHandle(nullptr); }
    CanvasBinding(const CanvasBinding&) = delete;
    CanvasBinding& operator=(const CanvasBinding&) = delete;
    TCanvas* canvas;
};

}  // namespace

TStatusBar::TStatusBar(TComponent* owner)
    : TWinControl(owner), panels_(std::make_unique<TStatusPanels>(this)), canvas_(std::make_unique<TCanvas>()) {
    SetControlStyle({csCaptureMouse, csClickEvents, csDoubleClicks, csOpaque});
    SetColor(clBtnFace);
    SetBounds(0, 0, 0, 19);
    SetAlign(alBottom);
}

TStatusBar::~TStatusBar() = default;

bool TStatusBar::GripWanted() const {
    auto* form = dynamic_cast<TCustomForm*>(Parent());
    return sizeGrip_ && form != nullptr && (form->BorderStyle() == bsSizeable || form->BorderStyle() == bsSizeToolWin);
}

void TStatusBar::CreateParams(TCreateParams& p) {
    TWinControl::CreateParams(p);
    CreateSubClass(p, STATUSCLASSNAMEA);
    // Align places the bar, not the window class.
    p.Style |= CCS_NORESIZE | CCS_NOPARENTALIGN;
    if (GripWanted()) p.Style |= SBARS_SIZEGRIP;
}

void TStatusBar::InitializeWindow() {
    UpdatePanels();
    SendMessageA(Handle(), SB_SETTEXTA, SB_SIMPLEID, reinterpret_cast<LPARAM>(simpleText_.c_str()));
    SendMessageA(Handle(), SB_SIMPLE, simplePanel_ ? TRUE : FALSE, 0);
}

void TStatusBar::SetParent(TWinControl* parent) {
    TWinControl::SetParent(parent);
    if (HandleAllocated() && ((GetWindowLongA(Handle(), GWL_STYLE) & SBARS_SIZEGRIP) != 0) != GripWanted()) {
        RecreateWnd();
    }
}

void TStatusBar::UpdatePanels() {
    if (!HandleAllocated() || ComponentState().Contains(csDestroying)) return;
    // Each part is given by its right edge, the last by -1 for the end of
    // the bar; a bar without panels has one empty part.
    int count = panels_->Count();
    std::vector<int> edges;
    int x = 0;
    for (int i = 0; i + 1 < count; ++i) {
        x += panels_->Items(i)->Width();
        edges.push_back(x);
    }
    edges.push_back(-1);
    SendMessageA(Handle(), SB_SETPARTS, edges.size(), reinterpret_cast<LPARAM>(edges.data()));
    if (count == 0) SendMessageA(Handle(), SB_SETTEXTA, 0, reinterpret_cast<LPARAM>(""));
    for (int i = 0; i < count; ++i) UpdatePanel(i);
}

void TStatusBar::UpdatePanel(int index) {
    if (!HandleAllocated() || ComponentState().Contains(csDestroying)) return;
    if (index < 0 || index >= panels_->Count()) return;
    const TStatusPanel& panel = *panels_->Items(index);
    UINT flags = PanelFlags(panel);
    std::string text = AlignedText(panel);
    // An owner-drawn part carries its panel's index instead of text.
    LPARAM data = (flags & SBT_OWNERDRAW) ? index : reinterpret_cast<LPARAM>(text.c_str());
    SendMessageA(Handle(), SB_SETTEXTA, static_cast<WPARAM>(index) | flags, data);
}

void TStatusBar::SetSimplePanel(bool simple) {
    if (simple == simplePanel_) return;
    simplePanel_ = simple;
    if (HandleAllocated()) SendMessageA(Handle(), SB_SIMPLE, simple ? TRUE : FALSE, 0);
}

void TStatusBar::SetSimpleText(const std::string& text) {
    if (text == simpleText_) return;
    simpleText_ = text;
    if (HandleAllocated()) SendMessageA(Handle(), SB_SETTEXTA, SB_SIMPLEID, reinterpret_cast<LPARAM>(simpleText_.c_str()));
}

void TStatusBar::SetSizeGrip(bool grip) {
    if (grip == sizeGrip_) return;
    sizeGrip_ = grip;
    RecreateWnd();
}

TRect TStatusBar::PanelRect(int index) {
    if (index < 0 || index >= panels_->Count()) return Rect(0, 0, 0, 0);
    RECT r{};
    if (HandleAllocated() && !simplePanel_ &&
        SendMessageA(Handle(), SB_GETRECT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&r))) {
        return r;
    }
    // Without a window, as the window class would lay the parts out.
    int left = 0;
    for (int i = 0; i < index; ++i) left += panels_->Items(i)->Width();
    int right = index + 1 == panels_->Count() ? ClientWidth() : left + panels_->Items(index)->Width();
    return Rect(index == 0 ? 0 : left + 2, 2, right, ClientHeight());
}

void TStatusBar::DrawPanel(TStatusPanel* panel, const TRect& rect) {
    if (OnDrawPanel) {
        OnDrawPanel(this, panel, rect);
        return;
    }
    canvas_->FillRect(rect);
    static constexpr UINT kAlign[] = {DT_LEFT, DT_RIGHT, DT_CENTER};
    TRect t = rect;
    ::win32::InflateRect(&t, -1, 0);
    HDC dc = canvas_->PrepareText();
    DrawTextA(dc, panel->Text().c_str(), -1, &t, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | kAlign[panel->Alignment()]);
}

void TStatusBar::CNDrawItem(TMessage& m) {
    auto* s = reinterpret_cast<DRAWITEMSTRUCT*>(m.LParam);
    m.Result = TRUE;
    int index = static_cast<int>(s->itemID);
    if (index < 0 || index >= panels_->Count()) return;
    CanvasBinding binding(canvas_.get(), s->hDC);
    canvas_->SetFont(Font());
    canvas_->SetBrush(Brush());
    canvas_->Brush()->SetColor(Color());
    DrawPanel(panels_->Items(index), s->rcItem);
}

void TStatusBar::Dispatch(TMessage& m) {
    switch (m.Msg) {
        case WM_PAINT:
        case WM_ERASEBKGND:
            // The window class paints the bar.
            return DefaultHandler(m);
        case CN_DRAWITEM: return CNDrawItem(m);
        default: TWinControl::Dispatch(m);
    }
}

// TProgressBar

namespace {

// Where a step from position lands in min..max: past one end it starts
// again from the other, as the window class steps.
int SteppedPosition(int position, int step, int min, int max) {
    long long next = static_cast<long long>(position) + step;
    long long span = static_cast<long long>(max) - min;
    if (span == 0) return min;
    if (next > max) next = min + (next - min) % span;
    else if (next < min) next = max - (min - next) % span;
    return static_cast<int>(next);
}

}  // namespace

TProgressBar::TProgressBar(TComponent* owner) : TWinControl(owner) {
    SetControlStyle({csCaptureMouse, csClickEvents, csOpaque});
    SetBounds(0, 0, 150, 16);
    SetColor(clBtnFace);
}

void TProgressBar::CreateParams(TCreateParams& p) {
    TWinControl::CreateParams(p);
    CreateSubClass(p, PROGRESS_CLASSA);
    if (smooth_) p.Style |= PBS_SMOOTH;
    if (orientation_ == pbVertical) p.Style |= PBS_VERTICAL;
}

void TProgressBar::InitializeWindow() {
    SendMessageA(Handle(), PBM_SETRANGE32, static_cast<WPARAM>(min_), max_);
    SendMessageA(Handle(), PBM_SETSTEP, static_cast<WPARAM>(step_), 0);
    SendMessageA(Handle(), PBM_SETPOS, static_cast<WPARAM>(position_), 0);
}

void TProgressBar::DestroyWnd() {
    if (HandleAllocated()) position_ = Position();
    TWinControl::DestroyWnd();
}

void TProgressBar::SetRange(int min, int max) {
    if (max < min) max = min;
    position_ = std::clamp(Position(), min, max);
    min_ = min;
    max_ = max;
    if (HandleAllocated()) SendMessageA(Handle(), PBM_SETRANGE32, static_cast<WPARAM>(min_), max_);
}

int TProgressBar::Position() {
    if (HandleAllocated()) return static_cast<int>(SendMessageA(Handle(), PBM_GETPOS, 0, 0));
    return position_;
}

void TProgressBar::SetPosition(int position) {
    position_ = std::clamp(position, min_, max_);
    if (HandleAllocated()) SendMessageA(Handle(), PBM_SETPOS, static_cast<WPARAM>(position_), 0);
}

void TProgressBar::SetStep(int step) {
    step_ = step;
    if (HandleAllocated()) SendMessageA(Handle(), PBM_SETSTEP, static_cast<WPARAM>(step_), 0);
}

void TProgressBar::StepIt() {
    if (HandleAllocated()) {
        SendMessageA(Handle(), PBM_STEPIT, 0, 0);
        position_ = Position();
        return;
    }
    position_ = SteppedPosition(position_, step_, min_, max_);
}

void TProgressBar::StepBy(int delta) {
    long long next = static_cast<long long>(Position()) + delta;
    SetPosition(static_cast<int>(std::clamp<long long>(next, min_, max_)));
}

void TProgressBar::SetSmooth(bool smooth) {
    if (smooth == smooth_) return;
    smooth_ = smooth;
    RecreateWnd();
}

void TProgressBar::SetOrientation(TProgressBarOrientation orientation) {
    if (orientation == orientation_) return;
    orientation_ = orientation;
    // A bar turned on its side keeps its size, the other way round.
    if (!ComponentState().Contains(csLoading)) SetBounds(Left(), Top(), Height(), Width());
    RecreateWnd();
}

void TProgressBar::Dispatch(TMessage& m) {
    switch (m.Msg) {
        case WM_PAINT:
        case WM_ERASEBKGND:
            // The window class paints the bar.
            return DefaultHandler(m);
        default: TWinControl::Dispatch(m);
    }
}

}  // namespace classlib
