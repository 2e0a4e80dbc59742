#include "classlib/metafile.h"

#include <algorithm>
#include <vector>

#include "classlib/consts.h"
#include "classlib/streams.h"

namespace classlib {

using namespace win32;

TMetafile::~TMetafile() { Clear(); }

void TMetafile::Clear() {
    if (handle_ != nullptr) DeleteEnhMetaFile(handle_);
    handle_ = nullptr;
}

void TMetafile::SetWidth(int width) {
    if (width == width_) return;
    width_ = width;
    Changed();
}

void TMetafile::SetHeight(int height) {
    if (height == height_) return;
    height_ = height;
    Changed();
}

int TMetafile::MMWidth() const {
    ENHMETAHEADER h{};
    if (handle_ == nullptr || GetEnhMetaFileHeader(handle_, sizeof(h), &h) == 0) return 0;
    return h.rclFrame.right - h.rclFrame.left;
}

int TMetafile::MMHeight() const {
    ENHMETAHEADER h{};
    if (handle_ == nullptr || GetEnhMetaFileHeader(handle_, sizeof(h), &h) == 0) return 0;
    return h.rclFrame.bottom - h.rclFrame.top;
}

void TMetafile::SetHandle(HENHMETAFILE metafile) {
    if (metafile == handle_) return;
    Clear();
    handle_ = metafile;
    ENHMETAHEADER h{};
    if (handle_ != nullptr && (width_ == 0 || height_ == 0) && GetEnhMetaFileHeader(handle_, sizeof(h), &h) != 0) {
        width_ = h.rclBounds.right - h.rclBounds.left + 1;
        height_ = h.rclBounds.bottom - h.rclBounds.top + 1;
    }
    Changed();
}

HENHMETAFILE TMetafile::ReleaseHandle() {
    HENHMETAFILE h = handle_;
    handle_ = nullptr;
    return h;
}

void TMetafile::Draw(TCanvas* canvas, const TRect& r) {
    if (handle_ == nullptr) return;
    PlayEnhMetaFile(canvas->Handle(), handle_, &r);
}

void TMetafile::LoadFromStream(TStream* stream) {
    std::int64_t size = stream->Size() - stream->Position();
    if (size <= 0 || size > (std::int64_t{1} << 31)) throw EInvalidGraphic(SInvalidMetafile);
    std::vector<BYTE> bytes(static_cast<std::size_t>(size));
    stream->ReadBuffer(bytes.data(), size);
    HENHMETAFILE h = SetEnhMetaFileBits(static_cast<UINT>(bytes.size()), bytes.data());
    if (h == nullptr) throw EInvalidGraphic(SInvalidMetafile);
    width_ = height_ = 0;
    SetHandle(h);
}

void TMetafile::SaveToStream(TStream* stream) {
    if (handle_ == nullptr) return;
    UINT size = GetEnhMetaFileBits(handle_, 0, nullptr);
    std::vector<BYTE> bytes(size);
    GetEnhMetaFileBits(handle_, size, bytes.data());
    stream->WriteBuffer(bytes.data(), size);
}

void TMetafile::Assign(const TPersistent* source) {
    if (source == nullptr) {
        Clear();
        width_ = height_ = 0;
        Changed();
        return;
    }
    const auto* other = dynamic_cast<const TMetafile*>(source);
    if (other == nullptr) {
        TGraphic::Assign(source);
        return;
    }
    if (other == this) return;
    Clear();
    width_ = other->width_;
    height_ = other->height_;
    handle_ = other->handle_ != nullptr ? CopyEnhMetaFileA(other->handle_, nullptr) : nullptr;
    Changed();
}

TMetafileCanvas::TMetafileCanvas(TMetafile* metafile, HDC referenceDevice) : metafile_(metafile) {
    Open(referenceDevice, nullptr);
}

TMetafileCanvas::TMetafileCanvas(TMetafile* metafile, HDC referenceDevice, const std::string& createdBy,
                                 const std::string& description)
    : metafile_(metafile) {
    // The description is two strings each ended by NUL, the whole by two.
    std::string text = createdBy;
    text.push_back('\0');
    text += description;
    text.push_back('\0');
    text.push_back('\0');
    Open(referenceDevice, text.c_str());
}

void TMetafileCanvas::Open(HDC referenceDevice, const char* description) {
    HDC ref = referenceDevice;
    HDC screen = nullptr;
    if (ref == nullptr) ref = screen = CreateCompatibleDC(nullptr);
    RECT frame{0, 0, 0, 0};
    int w = metafile_->width_, h = metafile_->height_;
    if (w == 0 || h == 0) {
        w = GetDeviceCaps(ref, HORZRES);
        h = GetDeviceCaps(ref, VERTRES);
    }
    // The frame is in 0.01 mm of the reference device.
    frame.right = MulDiv(w, GetDeviceCaps(ref, HORZSIZE) * 100, std::max(GetDeviceCaps(ref, HORZRES), 1));
    frame.bottom = MulDiv(h, GetDeviceCaps(ref, VERTSIZE) * 100, std::max(GetDeviceCaps(ref, VERTRES), 1));
    recordDc_ = CreateEnhMetaFileA(referenceDevice, nullptr, &frame, description);
    if (screen != nullptr) DeleteDC(screen);
    if (recordDc_ == nullptr) throw EOutOfResources(SOutOfResources);
    SetHandle(recordDc_);
}

TMetafileCanvas::~TMetafileCanvas() {
    SetHandle(nullptr);
    HENHMETAFILE recorded = CloseEnhMetaFile(recordDc_);
    int w = metafile_->width_, h = metafile_->height_;
    metafile_->SetHandle(recorded);
    if (w != 0 && h != 0) {
        metafile_->width_ = w;
        metafile_->height_ = h;
    }
}

}  // namespace classlib
