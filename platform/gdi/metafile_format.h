// The byte form of a metafile: what GetEnhMetaFileBits hands out, what
// CopyEnhMetaFileA writes to a file and what SetEnhMetaFileBits and
// GetEnhMetaFileA read back.
//
// The stream is a sequence of records, each a 32-bit type, a 32-bit size
// (of the whole record, a multiple of four) and the payload, little-endian,
// padded with zero bytes. The first record is the header, the last the end
// record. Parsing is strict: every size, count and flag must be exactly what
// writing the decoded records would produce, so a stream that is truncated,
// padded, or altered anywhere in its structure is rejected as a whole.
#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "platform/gdi/metafile_records.h"

namespace win32::gdi::emf {

std::vector<std::uint8_t> Serialize(const Metafile& metafile);
std::optional<Metafile> Parse(const std::uint8_t* data, std::size_t size);

}  // namespace win32::gdi::emf
