// TSpeedButton: a windowless button with a glyph and a caption, flat or
// framed, latching in groups (CM_BUTTONPRESSED to its siblings).
#pragma once

#include <memory>

#include "classlib/bitmap.h"
#include "classlib/button_controls.h"
#include "classlib/graphiccontrol.h"

namespace classlib {

enum TButtonLayout { blGlyphLeft, blGlyphRight, blGlyphTop, blGlyphBottom };
enum TButtonState { bsUp, bsDisabled, bsDown, bsExclusive };

class TSpeedButton : public TGraphicControl {
public:
    explicit TSpeedButton(TComponent* owner);
    ~TSpeedButton() override;

    TBitmap* Glyph() const { return glyph_.get(); }
    void SetGlyph(const TBitmap* glyph);
    // How many images side by side the glyph holds: up, disabled, pressed,
    // down. Set from the glyph's shape when it is assigned.
    int NumGlyphs() const { return numGlyphs_; }
    void SetNumGlyphs(int count);
    bool Flat() const { return flat_; }
    void SetFlat(bool flat);
    int GroupIndex() const { return groupIndex_; }
    void SetGroupIndex(int index);
    bool Down() const { return down_; }
    void SetDown(bool down);
    bool AllowAllUp() const { return allowAllUp_; }
    void SetAllowAllUp(bool allow);
    TButtonLayout Layout() const { return layout_; }
    void SetLayout(TButtonLayout layout);
    int Margin() const { return margin_; }
    void SetMargin(int margin);
    int Spacing() const { return spacing_; }
    void SetSpacing(int spacing);
    bool Transparent() const { return transparent_; }
    void SetTransparent(bool transparent);
    TButtonState State() const { return state_; }
    bool MouseInControl() const { return mouseInControl_; }

    void Click() override;

protected:
    void Paint() override;
    void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
    void MouseMove(TShiftState shift, int x, int y) override;
    void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;
    void Dispatch(TMessage& message) override;
    // Draws glyph image index (clipped from the glyph) at x, y.
    void DrawGlyph(TCanvas* canvas, int x, int y, TButtonState state);

private:
    void GlyphChanged();
    void UpdateExclusive();

    std::unique_ptr<TBitmap> glyph_;
    int numGlyphs_ = 1;
    bool flat_ = false;
    int groupIndex_ = 0;
    bool down_ = false;
    bool allowAllUp_ = false;
    TButtonLayout layout_ = blGlyphLeft;
    int margin_ = -1;
    int spacing_ = 4;
    bool transparent_ = true;
    TButtonState state_ = bsUp;
    bool dragging_ = false;
    bool mouseInControl_ = false;
};

enum TBitBtnKind { bkCustom, bkOK, bkCancel, bkHelp, bkYes, bkNo, bkClose, bkAbort, bkRetry, bkIgnore, bkAll };

// A push button with a glyph beside its caption, an owner-drawn "BUTTON"
// window the library paints. A kind other than bkCustom gives the
// caption, glyph and modal result of that kind (bkOK: "OK", a green check,
// mrOk, the default button).
class TBitBtn : public TButton {
public:
    explicit TBitBtn(TComponent* owner);
    ~TBitBtn() override;
    TBitBtnKind Kind() const { return kind_; }
    void SetKind(TBitBtnKind kind);
    TBitmap* Glyph() const { return glyph_.get(); }
    void SetGlyph(const TBitmap* glyph) { glyph_->Assign(glyph); }
    int NumGlyphs() const { return numGlyphs_; }
    void SetNumGlyphs(int count);
    TButtonLayout Layout() const { return layout_; }
    void SetLayout(TButtonLayout layout);
    int Spacing() const { return spacing_; }
    void SetSpacing(int spacing);

protected:
    void CreateParams(TCreateParams& params) override;
    void Dispatch(TMessage& message) override;
    void SetButtonStyle(bool isDefault) override;
    // Paints the whole button: frame, face, glyph and caption.
    virtual void DrawItem(TCanvas* canvas, TRect rect, bool pushed, bool focused);

private:
    void MakeKindGlyph();
    void DrawFace(TCanvas* canvas, TRect r, bool pushed, bool focused);
    std::unique_ptr<TBitmap> glyph_;
    std::unique_ptr<TCanvas> canvas_;
    TBitBtnKind kind_ = bkCustom;
    int numGlyphs_ = 1;
    TButtonLayout layout_ = blGlyphLeft;
    int spacing_ = 4;
};

}  // namespace classlib
