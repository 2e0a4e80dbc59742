// The status bar and the progress bar, on the window system's
// "msctls_statusbar32" and "msctls_progress32" classes. The controls keep
// their values (panels, texts, range, position) and put them into every
// window they get, so they survive RecreateWnd.
#pragma once

#include <string>

#include "classlib/canvas.h"
#include "classlib/collection.h"
#include "classlib/stdctrls.h"

namespace classlib {

class TStatusBar;

enum TStatusPanelStyle { psText, psOwnerDraw };
enum TStatusPanelBevel { pbNone, pbLowered, pbRaised };

class TStatusPanel : public TCollectionItem {
public:
    explicit TStatusPanel(TCollection* collection) : TCollectionItem(collection) {}
    const std::string& Text() const { return text_; }
    void SetText(const std::string& text);
    int Width() const { return width_; }
    void SetWidth(int width);
    TAlignment Alignment() const { return alignment_; }
    void SetAlignment(TAlignment alignment);
    TStatusPanelBevel Bevel() const { return bevel_; }
    void SetBevel(TStatusPanelBevel bevel);
    TStatusPanelStyle Style() const { return style_; }
    void SetStyle(TStatusPanelStyle style);
    void Assign(const TPersistent* source) override;

private:
    std::string text_;
    int width_ = 50;
    TAlignment alignment_ = taLeftJustify;
    TStatusPanelBevel bevel_ = pbLowered;
    TStatusPanelStyle style_ = psText;
};

class TStatusPanels : public TCollectionOf<TStatusPanel> {
public:
    explicit TStatusPanels(TStatusBar* bar);

protected:
    void Update(TCollectionItem* item) override;

private:
    TStatusBar* bar_;
};

using TDrawPanelEvent = std::function<void(TStatusBar* bar, TStatusPanel* panel, const TRect& rect)>;

// Placed by Align like any control (alBottom at first); the window keeps
// the size and place it is given.
class TStatusBar : public TWinControl {
public:
    explicit TStatusBar(TComponent* owner);
    ~TStatusBar() override;

    // Side by side from the left, each as wide as its Width; the last one
    // reaches the end of the bar.
    TStatusPanels* Panels() const { return panels_.get(); }
    // One panel across the whole bar showing SimpleText instead of Panels.
    bool SimplePanel() const { return simplePanel_; }
    void SetSimplePanel(bool simple);
    const std::string& SimpleText() const { return simpleText_; }
    void SetSimpleText(const std::string& text);
    // The grip shows only where the parent is a sizeable form.
    bool SizeGrip() const { return sizeGrip_; }
    void SetSizeGrip(bool grip);
    // The rectangle of panel index in the bar's client coordinates, inside
    // the bar's top border.
    TRect PanelRect(int index);
    // The drawing surface of an owner-drawn panel while OnDrawPanel runs.
    TCanvas* Canvas() const { return canvas_.get(); }
    void SetParent(TWinControl* parent) override;

    // Draws the panels whose Style is psOwnerDraw; without it they show
    // their text.
    TDrawPanelEvent OnDrawPanel;

    // Puts the panels' edges and texts into the window.
    void UpdatePanels();
    void UpdatePanel(int index);

protected:
    void CreateParams(TCreateParams& params) override;
    void InitializeWindow() override;
    void Dispatch(TMessage& message) override;
    virtual void DrawPanel(TStatusPanel* panel, const TRect& rect);

private:
    bool GripWanted() const;
    void CNDrawItem(TMessage& m);
    std::unique_ptr<TStatusPanels> panels_;
    std::unique_ptr<TCanvas> canvas_;
    bool simplePanel_ = false;
    std::string simpleText_;
    bool sizeGrip_ = true;
};

enum TProgressBarOrientation { pbHorizontal, pbVertical };

class TProgressBar : public TWinControl {
public:
    explicit TProgressBar(TComponent* owner);
    int Min() const { return min_; }
    int Max() const { return max_; }
    void SetMin(int min) { SetRange(min, max_); }
    void SetMax(int max) { SetRange(min_, max); }
    // A Max below Min is taken as Min.
    void SetRange(int min, int max);
    // Kept between Min and Max.
    int Position();
    void SetPosition(int position);
    int Step() const { return step_; }
    void SetStep(int step);
    // Moves by Step; a step past Max starts again from Min (and the other
    // way for a negative step).
    void StepIt();
    // Moves by delta, stopping at Min or Max.
    void StepBy(int delta);
    // One continuous bar instead of blocks.
    bool Smooth() const { return smooth_; }
    void SetSmooth(bool smooth);
    TProgressBarOrientation Orientation() const { return orientation_; }
    void SetOrientation(TProgressBarOrientation orientation);

protected:
    void CreateParams(TCreateParams& params) override;
    void InitializeWindow() override;
    void DestroyWnd() override;
    void Dispatch(TMessage& message) override;

private:
    int min_ = 0;
    int max_ = 100;
    int position_ = 0;
    int step_ = 10;
    bool smooth_ = false;
    TProgressBarOrientation orientation_ = pbHorizontal;
};

}  // namespace classlib
