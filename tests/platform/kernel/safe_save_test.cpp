#include "platform/kernel/safe_save.h"

#include <gtest/gtest.h>

#include <csignal>
#include <filesystem>
#include <string>

#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include "tests/platform/kernel/temp_dir.h"

namespace win32::kernel {
namespace {

using testing::ReadBytes;
using testing::TempDir;
using testing::WriteBytes;

mode_t ModeOf(const std::string& path) {
    struct stat st{};
    ::stat(path.c_str(), &st);
    return st.st_mode & 07777;
}

// Only the target (and whatever the test put there) may be left in the
// folder: no temporary file survives, whatever happened.
std::size_t EntryCount(const std::string& folder) {
    std::size_t n = 0;
    for ([[maybe_unused]] auto& e : std::filesystem::directory_iterator(folder)) ++n;
    return n;
}

TEST(SafeSave, CreatesAndReplacesKeepingPermissions) {
    TempDir dir;
    const std::string path = dir / "memo.txt";
    ASSERT_TRUE(SaveFileSafely(path, "first").ok());
    EXPECT_EQ(ReadBytes(path), "first");
    mode_t mask = ::umask(0);
    ::umask(mask);
    EXPECT_EQ(ModeOf(path), 0666 & ~mask);

    ::chmod(path.c_str(), 0640);
    ASSERT_TRUE(SaveFileSafely(path, "second, longer").ok());
    EXPECT_EQ(ReadBytes(path), "second, longer");
    EXPECT_EQ(ModeOf(path), 0640u);
    EXPECT_EQ(EntryCount(dir.path()), 1u);

    ASSERT_TRUE(SaveFileSafely(path, "").ok());
    EXPECT_EQ(ReadBytes(path), "");
}

TEST(SafeSave, FollowsSymbolicLinksToTheTarget) {
    TempDir dir;
    std::filesystem::create_directory(dir / "real");
    WriteBytes(dir / "real/target.txt", "old");
    std::filesystem::create_symlink("real/target.txt", dir / "link1");
    std::filesystem::create_symlink(dir / "link1", dir / "link2");

    SafeFileWriter writer;
    ASSERT_TRUE(writer.Open(dir / "link2").ok());
    EXPECT_EQ(writer.TargetPath(), dir / "real/target.txt");
    ASSERT_TRUE(writer.Write("new", 3).ok());
    ASSERT_TRUE(writer.Commit().ok());
    EXPECT_TRUE(std::filesystem::is_symlink(dir / "link2"));
    EXPECT_TRUE(std::filesystem::is_symlink(dir / "link1"));
    EXPECT_EQ(ReadBytes(dir / "real/target.txt"), "new");

    // A link to a file not yet there creates the file it names.
    std::filesystem::create_symlink("later.txt", dir / "dangling");
    ASSERT_TRUE(SaveFileSafely(dir / "dangling", "made").ok());
    EXPECT_TRUE(std::filesystem::is_symlink(dir / "dangling"));
    EXPECT_EQ(ReadBytes(dir / "later.txt"), "made");

    std::filesystem::create_symlink("loop", dir / "loop");
    EXPECT_EQ(SaveFileSafely(dir / "loop", "x").failure, SaveFailure::CannotCreate);
}

TEST(SafeSave, TargetsThatCannotBeCreated) {
    TempDir dir;
    EXPECT_EQ(SaveFileSafely(dir / "no/such/folder.txt", "x").failure, SaveFailure::CannotCreate);
    EXPECT_EQ(SaveFileSafely(dir.path(), "x").failure, SaveFailure::CannotCreate);
    WriteBytes(dir / "file", "keep");
    EXPECT_EQ(SaveFileSafely(dir / "file/child", "x").failure, SaveFailure::CannotCreate);
    EXPECT_EQ(SaveFileSafely("", "x").failure, SaveFailure::CannotCreate);
    EXPECT_EQ(SaveFileSafely("/proc/version", "x").failure, SaveFailure::CannotCreate);
    EXPECT_EQ(ReadBytes(dir / "file"), "keep");
}

// Runs `body` in a child process as an ordinary user, since permissions do
// not bind the superuser; returns the child's exit status.
template <class F>
int AsOrdinaryUser(F body) {
    pid_t child = ::fork();
    if (child == 0) {
        if (::geteuid() == 0 && (::setgid(65534) != 0 || ::setuid(65534) != 0)) ::_exit(77);
        ::_exit(body());
    }
    int result = 0;
    ::waitpid(child, &result, 0);
    return WIFEXITED(result) ? WEXITSTATUS(result) : 100;
}

TEST(SafeSave, UnwritableFolderOrFileIsLeftAlone) {
    TempDir dir;
    std::filesystem::create_directory(dir / "ro");
    WriteBytes(dir / "ro/old.txt", "old");
    WriteBytes(dir / "locked.txt", "old");
    ::chmod(dir.path().c_str(), 0777);
    ::chmod((dir / "ro").c_str(), 0555);
    ::chmod((dir / "ro/old.txt").c_str(), 0666);
    ::chmod((dir / "locked.txt").c_str(), 0444);

    int status = AsOrdinaryUser([&] {
        if (SaveFileSafely(dir / "ro/old.txt", "new").failure != SaveFailure::CannotCreate) return 1;
        if (SaveFileSafely(dir / "ro/fresh.txt", "new").failure != SaveFailure::CannotCreate) return 2;
        if (SaveFileSafely(dir / "locked.txt", "new").failure != SaveFailure::CannotCreate) return 3;
        return 0;
    });
    if (status == 77) GTEST_SKIP() << "no ordinary user to run as";
    EXPECT_EQ(status, 0);
    EXPECT_EQ(ReadBytes(dir / "ro/old.txt"), "old");
    EXPECT_EQ(ReadBytes(dir / "locked.txt"), "old");
    EXPECT_EQ(EntryCount(dir / "ro"), 1u);
}

TEST(SafeSave, FullDiskKeepsTheOldFileExactly) {
    TempDir dir;
    const std::string path = dir / "memo.txt";
    WriteBytes(path, "the old content");
    // A file size limit makes writes fail the way a full disk does; it is
    // set in a child process so nothing else of the test run is affected.
    pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        std::signal(SIGXFSZ, SIG_IGN);
        rlimit limit{4096, 4096};
        ::setrlimit(RLIMIT_FSIZE, &limit);
        SaveStatus status = SaveFileSafely(path, std::string(100000, 'x'));
        ::_exit(status.failure == SaveFailure::WriteFailed ? 0 : 1);
    }
    int result = 0;
    ::waitpid(child, &result, 0);
    ASSERT_TRUE(WIFEXITED(result));
    EXPECT_EQ(WEXITSTATUS(result), 0);
    EXPECT_EQ(ReadBytes(path), "the old content");
    EXPECT_EQ(EntryCount(dir.path()), 1u);
}

TEST(SafeSave, AbandonedWriterChangesNothing) {
    TempDir dir;
    const std::string path = dir / "memo.txt";
    WriteBytes(path, "old");
    {
        SafeFileWriter writer;
        ASSERT_TRUE(writer.Open(path).ok());
        writer.Write("partial", 7);
    }
    EXPECT_EQ(ReadBytes(path), "old");
    EXPECT_EQ(EntryCount(dir.path()), 1u);

    SafeFileWriter writer;
    EXPECT_EQ(writer.Write("x", 1).failure, SaveFailure::CannotCreate);  // never opened
}

}  // namespace
}  // namespace win32::kernel
