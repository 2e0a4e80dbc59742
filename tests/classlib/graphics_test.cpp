#include <gtest/gtest.h>

#include "classlib/bitmap.h"
#include "classlib/canvas.h"
#include "classlib/graphics.h"
#include "classlib/imagelist.h"
#include "classlib/metafile.h"
#include "classlib/picture.h"
#include "classlib/streams.h"

namespace classlib {
namespace {

TEST(Graphics, SystemColoursResolveWhenDrawnAndOthersPassThrough) {
    EXPECT_EQ(ColorToRGB(clRed), 0x0000FFu);
    EXPECT_EQ(ColorToRGB(0x00123456), 0x123456u);
    EXPECT_EQ(ColorToRGB(clBtnFace), win32::GetSysColor(win32::COLOR_BTNFACE));
    EXPECT_EQ(ColorToRGB(clHighlight), win32::GetSysColor(win32::COLOR_HIGHLIGHT));
    EXPECT_TRUE(IsSystemColor(clMenu));
    EXPECT_FALSE(IsSystemColor(clNone));
}

TEST(Graphics, FontSizeFollowsHeightAtTheScreenResolutionAndAssignCopiesAll) {
    TFont font;
    EXPECT_EQ(font.Name(), "ＭＳ Ｐゴシック");
    EXPECT_EQ(font.Size(), 9);
    int changes = 0;
    font.OnChange = [&](TObject*) { ++changes; };
    font.SetSize(10);
    EXPECT_EQ(font.Height(), -13);
    font.SetHeight(-21);
    EXPECT_EQ(font.Size(), 16);
    font.SetStyle({fsBold, fsUnderline});
    font.SetColor(clBlue);
    font.SetColor(clBlue);
    EXPECT_EQ(changes, 4);
    TFont copy;
    copy.Assign(&font);
    EXPECT_EQ(copy.Height(), -21);
    EXPECT_EQ(copy.Style(), (TFontStyles{fsBold, fsUnderline}));
    EXPECT_EQ(copy.Color(), clBlue);
    win32::LOGFONTA lf = copy.LogFont();
    EXPECT_EQ(lf.lfWeight, win32::FW_BOLD);
    EXPECT_EQ(lf.lfCharSet, win32::SHIFTJIS_CHARSET);
    EXPECT_NE(copy.Handle(), nullptr);
    TBrush brush;
    EXPECT_THROW(copy.Assign(&brush), EConvertError);
}

TEST(Graphics, BrushColourMakesAClearBrushSolid) {
    TBrush brush;
    brush.SetStyle(bsClear);
    brush.SetColor(clYellow);
    EXPECT_EQ(brush.Style(), bsSolid);
}

TEST(Canvas, DrawsOnABitmapWithItsTools) {
    TBitmap bmp;
    bmp.SetSize(20, 10);
    TCanvas* c = bmp.Canvas();
    c->Brush()->SetColor(clRed);
    c->FillRect(Rect(0, 0, 20, 10));
    EXPECT_EQ(c->Pixels(5, 5), 0x0000FFu);
    c->Pen()->SetColor(clBlue);
    c->MoveTo(0, 0);
    c->LineTo(10, 0);
    EXPECT_EQ(c->Pixels(9, 0), 0xFF0000u);
    EXPECT_EQ(c->Pixels(10, 0), 0x0000FFu) << "the last pixel of a line is not drawn";
    EXPECT_EQ(c->PenPos().x, 10);
    c->Brush()->SetColor(clLime);  // a new brush after one was selected
    c->FrameRect(Rect(0, 0, 20, 10));
    EXPECT_EQ(c->Pixels(19, 9), 0x00FF00u);
    EXPECT_GT(c->TextWidth("あいう"), c->TextWidth("あ"));
    EXPECT_GT(c->TextHeight("あ"), 8);
}

TEST(Bitmap, TransparentColourIsTheLowerLeftPixelUnlessFixed) {
    TBitmap bmp;
    bmp.SetSize(4, 4);
    bmp.Canvas()->Brush()->SetColor(clOlive);
    bmp.Canvas()->FillRect(Rect(0, 0, 4, 4));
    bmp.Canvas()->SetPixels(0, 3, clFuchsia);
    EXPECT_EQ(bmp.TransparentMode(), tmAuto);
    EXPECT_EQ(bmp.TransparentColor(), clFuchsia);
    bmp.SetTransparentColor(clOlive);
    EXPECT_EQ(bmp.TransparentMode(), tmFixed);
    EXPECT_EQ(bmp.TransparentColor(), clOlive);
}

TEST(Bitmap, ResizeKeepsTheImageAndMonochromeTurnsWhiteWhite) {
    TBitmap bmp;
    bmp.SetSize(4, 4);
    bmp.Canvas()->Brush()->SetColor(clRed);
    bmp.Canvas()->FillRect(Rect(0, 0, 4, 4));
    bmp.SetSize(8, 8);
    EXPECT_EQ(bmp.Canvas()->Pixels(3, 3), 0x0000FFu);
    EXPECT_EQ(bmp.Canvas()->Pixels(6, 6), 0xFFFFFFu);
    bmp.SetMonochrome(true);
    EXPECT_TRUE(bmp.Monochrome());
    EXPECT_EQ(bmp.Canvas()->Pixels(1, 1), 0x000000u);
    EXPECT_EQ(bmp.Canvas()->Pixels(6, 6), 0xFFFFFFu);
}

TEST(Bitmap, AssignCopiesAndNullEmpties) {
    TBitmap a, b;
    a.SetSize(3, 2);
    a.Canvas()->SetPixels(1, 1, clBlue);
    b.Assign(&a);
    EXPECT_EQ(b.Width(), 3);
    EXPECT_EQ(b.Canvas()->Pixels(1, 1), 0xFF0000u);
    a.Canvas()->SetPixels(1, 1, clRed);
    EXPECT_EQ(b.Canvas()->Pixels(1, 1), 0xFF0000u) << "a copy, not a share";
    b.Assign(nullptr);
    EXPECT_TRUE(b.Empty());
    TPicture picture;
    picture.Bitmap()->Assign(&a);
    b.Assign(&picture);
    EXPECT_EQ(b.Width(), 3);
}

TEST(Bitmap, StreamRoundTripInTheFileFormat) {
    TBitmap a;
    a.SetSize(5, 3);
    a.Canvas()->Brush()->SetColor(clTeal);
    a.Canvas()->FillRect(Rect(0, 0, 5, 3));
    a.Canvas()->SetPixels(4, 0, clYellow);
    TMemoryStream s;
    a.SaveToStream(&s);
    s.SetPosition(0);
    TBitmap b;
    b.LoadFromStream(&s);
    EXPECT_EQ(b.Width(), 5);
    EXPECT_EQ(b.Height(), 3);
    EXPECT_EQ(b.Canvas()->Pixels(4, 0), 0x00FFFFu);
    EXPECT_EQ(b.Canvas()->Pixels(0, 2), 0x808000u);
    TStringStream bad("BMnot a bitmap at all");
    EXPECT_THROW(b.LoadFromStream(&bad), Exception);
}

TEST(ImageList, ChangeLinksHearEveryChangeAndOutliveTheList) {
    auto list = std::make_unique<TImageList>(nullptr);
    TChangeLink link;
    int changes = 0;
    link.OnChange = [&](TObject* sender) {
        EXPECT_EQ(sender, list.get());
        ++changes;
    };
    list->RegisterChanges(&link);
    TBitmap glyphs;
    glyphs.SetSize(32, 16);  // two pictures side by side
    glyphs.Canvas()->Brush()->SetColor(clOlive);
    glyphs.Canvas()->FillRect(Rect(0, 0, 32, 16));
    glyphs.Canvas()->Brush()->SetColor(clRed);
    glyphs.Canvas()->FillRect(Rect(20, 4, 28, 12));
    EXPECT_EQ(list->AddMasked(&glyphs, clOlive), 0);
    EXPECT_EQ(list->Count(), 2);
    EXPECT_EQ(changes, 1);
    TBitmap target;
    target.SetSize(16, 16);
    target.Canvas()->Brush()->SetColor(clWhite);
    target.Canvas()->FillRect(Rect(0, 0, 16, 16));
    list->Draw(target.Canvas(), 0, 0, 1);
    EXPECT_EQ(target.Canvas()->Pixels(6, 8), 0x0000FFu);
    EXPECT_EQ(target.Canvas()->Pixels(1, 1), 0xFFFFFFu) << "the mask colour is see-through";
    list->Delete(0);
    EXPECT_EQ(changes, 2);
    list->SetWidth(32);
    EXPECT_EQ(changes, 3);
    EXPECT_EQ(list->Count(), 0);
    list.reset();
    EXPECT_EQ(link.Sender(), nullptr);
}

TEST(Metafile, RecordsAgainstTheScreenAndKeepsItsSize) {
    TMetafile page;
    page.SetWidth(400);
    page.SetHeight(300);
    {
        TMetafileCanvas canvas(&page, nullptr);
        canvas.Brush()->SetColor(clRed);
        canvas.FillRect(Rect(0, 0, 200, 150));
    }
    EXPECT_FALSE(page.Empty());
    EXPECT_EQ(page.Width(), 400);
    EXPECT_EQ(page.Height(), 300);
    TBitmap preview;
    preview.SetSize(40, 30);
    preview.Canvas()->StretchDraw(Rect(0, 0, 40, 30), &page);
    EXPECT_EQ(preview.Canvas()->Pixels(5, 5), 0x0000FFu);
    TMetafile copy;
    copy.Assign(&page);
    EXPECT_EQ(copy.Width(), 400);
    EXPECT_NE(copy.Handle(), page.Handle());
}

}  // namespace
}  // namespace classlib

namespace classlib {
namespace {

TEST(Canvas, BrushCopyReplacesOneColourWithTheBrushAndCopyRectHonoursCopyMode) {
    TBitmap source;
    source.SetSize(4, 4);
    source.Canvas()->Brush()->SetColor(clOlive);
    source.Canvas()->FillRect(Rect(0, 0, 4, 4));
    source.Canvas()->SetPixels(1, 1, clRed);
    TBitmap dest;
    dest.SetSize(4, 4);
    TCanvas* c = dest.Canvas();
    c->Brush()->SetColor(clBlue);
    c->BrushCopy(Rect(0, 0, 4, 4), &source, Rect(0, 0, 4, 4), clOlive);
    EXPECT_EQ(c->Pixels(0, 0), 0xFF0000u) << "olive became the brush";
    EXPECT_EQ(c->Pixels(1, 1), 0x0000FFu) << "other colours stay";
    c->SetCopyMode(cmNotSrcCopy);
    c->CopyRect(Rect(0, 0, 4, 4), source.Canvas(), Rect(0, 0, 4, 4));
    EXPECT_EQ(c->Pixels(1, 1), 0xFFFF00u) << "inverted red";
}

}  // namespace
}  // namespace classlib
