#include "classlib/streams.h"

#include <algorithm>
#include <cerrno>
#include <cstring>

#include "classlib/consts.h"

namespace classlib {

std::int64_t TStream::Position() { return Seek(0, soCurrent); }

std::int64_t TStream::Size() {
    std::int64_t pos = Seek(0, soCurrent);
    std::int64_t size = Seek(0, soEnd);
    Seek(pos, soBeginning);
    return size;
}

void TStream::SetSize(std::int64_t) {}

void TStream::ReadBuffer(void* buffer, std::int64_t count) {
    if (count != 0 && Read(buffer, count) != count) throw EReadError(SReadError);
}

void TStream::WriteBuffer(const void* buffer, std::int64_t count) {
    if (count != 0 && Write(buffer, count) != count) throw EWriteError(SWriteError);
}

std::int64_t TStream::CopyFrom(TStream* source, std::int64_t count) {
    if (count == 0) {
        source->SetPosition(0);
        count = source->Size();
    }
    std::int64_t total = count;
    std::vector<unsigned char> buffer(static_cast<std::size_t>(std::min<std::int64_t>(count, 0xF000)) + 1);
    while (count > 0) {
        std::int64_t n = std::min<std::int64_t>(count, static_cast<std::int64_t>(buffer.size()));
        source->ReadBuffer(buffer.data(), n);
        WriteBuffer(buffer.data(), n);
        count -= n;
    }
    return total;
}

TFileStream::TFileStream(const std::string& fileName, unsigned mode) : fileName_(fileName) {
    using namespace win32;
    if (mode == fmCreate) {
        handle_ = CreateFileA(fileName.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
        if (handle_ == INVALID_HANDLE_VALUE) throw EFCreateError(FormatResource(SFCreateError, {fileName}));
        return;
    }
    DWORD access = GENERIC_READ;
    if ((mode & 0x3) == fmOpenWrite) access = GENERIC_WRITE;
    if ((mode & 0x3) == fmOpenReadWrite) access = GENERIC_READ | GENERIC_WRITE;
    DWORD share = FILE_SHARE_READ | FILE_SHARE_WRITE;
    switch (mode & 0xF0) {
        case fmShareExclusive: share = 0; break;
        case fmShareDenyWrite: share = FILE_SHARE_READ; break;
        case fmShareDenyRead: share = FILE_SHARE_WRITE; break;
        default: break;
    }
    handle_ = CreateFileA(fileName.c_str(), access, share, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle_ == INVALID_HANDLE_VALUE) throw EFOpenError(FormatResource(SFOpenError, {fileName}));
}

TFileStream::~TFileStream() {
    if (handle_ != win32::INVALID_HANDLE_VALUE) win32::CloseHandle(handle_);
}

std::int64_t TFileStream::Read(void* buffer, std::int64_t count) {
    std::int64_t done = 0;
    auto* out = static_cast<char*>(buffer);
    while (done < count) {
        win32::DWORD chunk = static_cast<win32::DWORD>(std::min<std::int64_t>(count - done, 1 << 30));
        win32::DWORD got = 0;
        if (!win32::ReadFile(handle_, out + done, chunk, &got, nullptr) || got == 0) break;
        done += got;
    }
    return done;
}

std::int64_t TFileStream::Write(const void* buffer, std::int64_t count) {
    std::int64_t done = 0;
    const auto* in = static_cast<const char*>(buffer);
    while (done < count) {
        win32::DWORD chunk = static_cast<win32::DWORD>(std::min<std::int64_t>(count - done, 1 << 30));
        win32::DWORD put = 0;
        if (!win32::WriteFile(handle_, in + done, chunk, &put, nullptr) || put == 0) break;
        done += put;
    }
    return done;
}

std::int64_t TFileStream::Seek(std::int64_t offset, TSeekOrigin origin) {
    win32::LARGE_INTEGER distance{}, result{};
    distance.QuadPart = offset;
    win32::DWORD method = origin == soBeginning ? win32::FILE_BEGIN
                          : origin == soCurrent ? win32::FILE_CURRENT
                                                : win32::FILE_END;
    if (!win32::SetFilePointerEx(handle_, distance, &result, method)) return -1;
    return result.QuadPart;
}

void TFileStream::SetSize(std::int64_t size) {
    std::int64_t pos = Position();
    Seek(size, soBeginning);
    if (!win32::SetEndOfFile(handle_)) throw EWriteError(SWriteError);
    Seek(std::min(pos, size), soBeginning);
}

std::int64_t TCustomMemoryStream::Read(void* buffer, std::int64_t count) {
    std::int64_t size = static_cast<std::int64_t>(data_.size());
    if (count <= 0 || position_ >= size) return 0;
    std::int64_t n = std::min(count, size - position_);
    std::memcpy(buffer, data_.data() + position_, static_cast<std::size_t>(n));
    position_ += n;
    return n;
}

std::int64_t TCustomMemoryStream::Seek(std::int64_t offset, TSeekOrigin origin) {
    std::int64_t base = origin == soBeginning ? 0 : origin == soCurrent ? position_
                                                                         : static_cast<std::int64_t>(data_.size());
    position_ = std::max<std::int64_t>(0, base + offset);
    return position_;
}

void TCustomMemoryStream::SaveToStream(TStream* stream) {
    stream->WriteBuffer(data_.data(), static_cast<std::int64_t>(data_.size()));
}

void TCustomMemoryStream::SaveToFile(const std::string& fileName) {
    TFileStream file(fileName, fmCreate);
    SaveToStream(&file);
}

std::int64_t TMemoryStream::Write(const void* buffer, std::int64_t count) {
    if (count <= 0) return 0;
    std::int64_t end = position_ + count;
    if (end > static_cast<std::int64_t>(data_.size())) data_.resize(static_cast<std::size_t>(end));
    std::memcpy(data_.data() + position_, buffer, static_cast<std::size_t>(count));
    position_ = end;
    return count;
}

void TMemoryStream::SetSize(std::int64_t size) {
    data_.resize(static_cast<std::size_t>(std::max<std::int64_t>(size, 0)));
    position_ = std::min(position_, size);
}

void TMemoryStream::Clear() {
    data_.clear();
    position_ = 0;
}

void TMemoryStream::LoadFromStream(TStream* stream) {
    stream->SetPosition(0);
    std::int64_t size = stream->Size();
    SetSize(size);
    if (size != 0) stream->ReadBuffer(data_.data(), size);
    position_ = 0;
}

void TMemoryStream::LoadFromFile(const std::string& fileName) {
    TFileStream file(fileName, fmOpenRead | fmShareDenyWrite);
    LoadFromStream(&file);
}

TStringStream::TStringStream(std::string data) : data_(std::move(data)) {}

std::int64_t TStringStream::Read(void* buffer, std::int64_t count) {
    std::int64_t size = static_cast<std::int64_t>(data_.size());
    if (count <= 0 || position_ >= size) return 0;
    std::int64_t n = std::min(count, size - position_);
    std::memcpy(buffer, data_.data() + position_, static_cast<std::size_t>(n));
    position_ += n;
    return n;
}

std::int64_t TStringStream::Write(const void* buffer, std::int64_t count) {
    if (count <= 0) return 0;
    // Writing ends the string where the written data ends, as the library's
    // string stream does.
    data_.resize(static_cast<std::size_t>(position_));
    data_.append(static_cast<const char*>(buffer), static_cast<std::size_t>(count));
    position_ += count;
    return count;
}

std::int64_t TStringStream::Seek(std::int64_t offset, TSeekOrigin origin) {
    std::int64_t base = origin == soBeginning ? 0 : origin == soCurrent ? position_
                                                                         : static_cast<std::int64_t>(data_.size());
    position_ = std::clamp<std::int64_t>(base + offset, 0, static_cast<std::int64_t>(data_.size()));
    return position_;
}

void TStringStream::SetSize(std::int64_t size) {
    data_.resize(static_cast<std::size_t>(std::max<std::int64_t>(size, 0)));
    position_ = std::min(position_, static_cast<std::int64_t>(data_.size()));
}

std::string TStringStream::ReadString(std::int64_t count) {
    std::int64_t n = std::min(count, static_cast<std::int64_t>(data_.size()) - position_);
    if (n <= 0) return std::string();
    std::string out = data_.substr(static_cast<std::size_t>(position_), static_cast<std::size_t>(n));
    position_ += n;
    return out;
}

void TStringStream::WriteString(const std::string& text) {
    Write(text.data(), static_cast<std::int64_t>(text.size()));
}

}  // namespace classlib
