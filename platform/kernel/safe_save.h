// Saving a file so that the old content survives any failure: the new
// content goes to a temporary file in the same folder, is flushed to disk,
// and only then renamed over the target. A symbolic link is followed to its
// target (the link stays a link) and the target's permissions are kept.
//
//     kernel::SafeFileWriter writer;
//     SaveStatus s = writer.Open(path);
//     if (s.ok()) s = writer.Write(bytes.data(), bytes.size());
//     if (s.ok()) s = writer.Commit();
//     if (!s.ok()) ... s.failure says which message the user should see
//
// Until Commit succeeds the target is untouched; a writer destroyed without
// a successful Commit removes its temporary file.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace win32::kernel {

enum class SaveFailure {
    None,
    CannotCreate,  // the file (or its replacement) could not be created
    WriteFailed,   // writing or flushing the content failed (disk full, I/O error)
};

struct SaveStatus {
    SaveFailure failure = SaveFailure::None;
    int osError = 0;  // the host's errno, for diagnostics
    bool ok() const { return failure == SaveFailure::None; }
};

class SafeFileWriter {
public:
    SafeFileWriter() = default;
    ~SafeFileWriter();
    SafeFileWriter(const SafeFileWriter&) = delete;
    SafeFileWriter& operator=(const SafeFileWriter&) = delete;

    // Resolves the target and creates the temporary file. Fails with
    // CannotCreate when the target is a folder, is not writable, or its
    // folder does not accept a new file.
    SaveStatus Open(const std::string& path);
    // Appends bytes. After a failure every later call reports it again.
    SaveStatus Write(const void* data, std::size_t size);
    // Flushes, closes and renames over the target.
    SaveStatus Commit();
    // Drops the temporary file; the target stays as it was.
    void Abandon();

    // The file that is replaced (the end of any chain of symbolic links).
    const std::string& TargetPath() const { return target_; }

private:
    SaveStatus Fail(SaveFailure failure, int error);

    std::string target_;
    std::string temporary_;
    int fd_ = -1;
    SaveStatus status_;
};

// Writes `bytes` as the whole new content of `path`.
SaveStatus SaveFileSafely(const std::string& path, std::string_view bytes);

}  // namespace win32::kernel
