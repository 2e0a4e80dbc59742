// The enhanced-metafile functions: recording contexts, the table of closed
// metafiles, replay, copies and the byte form.
#include <fstream>
#include <iterator>
#include <memory>

#include "platform/gdi/metafile_dc.h"
#include "platform/gdi/metafile_format.h"
#include "platform/gdi/metafile_player.h"
#include "platform/handle_table.h"

namespace win32 {
namespace {

struct MetafileObject {
    gdi::emf::Metafile data;
};

HandleTable<MetafileObject>& Metafiles() {
    static HandleTable<MetafileObject> table(HandleKind::Metafile);
    return table;
}

MetafileObject* FindMetafile(HENHMETAFILE h) { return Metafiles().Get(h); }

HENHMETAFILE AddMetafile(gdi::emf::Metafile data) {
    auto object = std::make_unique<MetafileObject>();
    object->data = std::move(data);
    return ToHandle<HENHMETAFILE>(Metafiles().Add(std::move(object)));
}

bool WriteFile(const char* fileName, const std::vector<std::uint8_t>& bytes) {
    std::ofstream out(fileName, std::ios::binary | std::ios::trunc);
    if (!out) return false;
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    return static_cast<bool>(out.flush());
}

// The application and title parts of a description ("app\0title\0\0").
std::string Description(LPCSTR d) {
    std::string out;
    if (!d) return out;
    for (int parts = 0; parts < 2 && *d; ++parts) {
        std::string part(d);
        out += part;
        out.push_back('\0');
        d += part.size() + 1;
    }
    return out;
}

}  // namespace

HDC CreateEnhMetaFileA(HDC reference, LPCSTR fileName, const RECT* frame, LPCSTR description) {
    HDC temporary = nullptr;
    if (!reference) {
        // No reference: the screen, which every memory DC describes.
        temporary = CreateCompatibleDC(nullptr);
        reference = temporary;
    }
    gdi::DeviceContext* ref = gdi::FindDC(reference);
    if (!ref) return nullptr;
    std::array<int, gdi::MetafileDC::kCapsCount> caps{};
    for (int i = 0; i < gdi::MetafileDC::kCapsCount; ++i) caps[static_cast<std::size_t>(i)] = ref->DeviceCaps(i);
    if (temporary) DeleteDC(temporary);
    std::optional<RECT> f;
    if (frame) f = *frame;
    return gdi::RegisterDC(
        std::make_unique<gdi::MetafileDC>(caps, f, Description(description), fileName ? fileName : ""));
}

HENHMETAFILE CloseEnhMetaFile(HDC dc) {
    gdi::MetafileDC* m = gdi::FindMetafileDC(dc);
    if (!m) return nullptr;
    gdi::emf::Metafile data = m->Finish();
    const std::string fileName = m->FileName();
    gdi::DestroyDC(dc);
    if (!fileName.empty() && !WriteFile(fileName.c_str(), gdi::emf::Serialize(data))) return nullptr;
    return AddMetafile(std::move(data));
}

BOOL PlayEnhMetaFile(HDC dc, HENHMETAFILE metafile, const RECT* rect) {
    gdi::DeviceContext* d = gdi::FindDC(dc);
    MetafileObject* m = FindMetafile(metafile);
    if (!d || !m || !rect) return FALSE;
    return gdi::PlayMetafile(m->data, *d, *rect) ? TRUE : FALSE;
}

UINT GetEnhMetaFileHeader(HENHMETAFILE metafile, UINT size, ENHMETAHEADER* header) {
    MetafileObject* m = FindMetafile(metafile);
    if (!m) return 0;
    if (!header) return sizeof(ENHMETAHEADER);
    if (size < sizeof(ENHMETAHEADER)) return 0;
    const gdi::emf::Header& h = m->data.header;
    ENHMETAHEADER e{};
    e.iType = EMR_HEADER;
    e.nSize = sizeof(ENHMETAHEADER);
    e.rclBounds = RECTL{h.bounds.left, h.bounds.top, h.bounds.right, h.bounds.bottom};
    e.rclFrame = RECTL{h.frame.left, h.frame.top, h.frame.right, h.frame.bottom};
    e.dSignature = ENHMETA_SIGNATURE;
    e.nVersion = 0x10000;
    e.nBytes = static_cast<DWORD>(gdi::emf::Serialize(m->data).size());
    e.nRecords = static_cast<DWORD>(m->data.records.size() + 2);
    e.nHandles = 1;
    e.nDescription = static_cast<DWORD>(h.description.size());
    e.szlDevice = SIZEL{h.devicePixels.cx, h.devicePixels.cy};
    e.szlMillimeters = SIZEL{h.deviceMillimeters.cx, h.deviceMillimeters.cy};
    e.szlMicrometers = SIZEL{h.deviceMillimeters.cx * 1000, h.deviceMillimeters.cy * 1000};
    *header = e;
    return sizeof(ENHMETAHEADER);
}

HENHMETAFILE CopyEnhMetaFileA(HENHMETAFILE metafile, LPCSTR fileName) {
    MetafileObject* m = FindMetafile(metafile);
    if (!m) return nullptr;
    if (fileName && !WriteFile(fileName, gdi::emf::Serialize(m->data))) return nullptr;
    return AddMetafile(m->data);
}

BOOL DeleteEnhMetaFile(HENHMETAFILE metafile) { return Metafiles().Remove(metafile) ? TRUE : FALSE; }

UINT GetEnhMetaFileBits(HENHMETAFILE metafile, UINT size, LPBYTE data) {
    MetafileObject* m = FindMetafile(metafile);
    if (!m) return 0;
    std::vector<std::uint8_t> bytes = gdi::emf::Serialize(m->data);
    if (!data) return static_cast<UINT>(bytes.size());
    if (size < bytes.size()) return 0;
    std::copy(bytes.begin(), bytes.end(), data);
    return static_cast<UINT>(bytes.size());
}

HENHMETAFILE SetEnhMetaFileBits(UINT size, const BYTE* data) {
    std::optional<gdi::emf::Metafile> parsed = gdi::emf::Parse(data, size);
    if (!parsed) return nullptr;
    return AddMetafile(std::move(*parsed));
}

HENHMETAFILE GetEnhMetaFileA(LPCSTR fileName) {
    if (!fileName) return nullptr;
    std::ifstream in(fileName, std::ios::binary);
    if (!in) return nullptr;
    std::vector<std::uint8_t> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    return SetEnhMetaFileBits(static_cast<UINT>(bytes.size()), bytes.data());
}

}  // namespace win32
