#include "platform/kernel/winbase.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

#include <cstring>
#include <string>
#include <vector>

#include "tests/platform/kernel/temp_dir.h"

namespace win32 {
namespace {

using testing::ReadBytes;
using testing::TempDir;
using testing::WriteBytes;

HANDLE Open(const std::string& path, DWORD access, DWORD disposition) {
    return CreateFileA(path.c_str(), access, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, disposition,
                       FILE_ATTRIBUTE_NORMAL, nullptr);
}

TEST(Files, DispositionsFollowWindows) {
    TempDir dir;
    const std::string path = dir / "a.txt";

    HANDLE h = Open(path, GENERIC_READ, OPEN_EXISTING);
    EXPECT_EQ(h, INVALID_HANDLE_VALUE);
    EXPECT_EQ(GetLastError(), ERROR_FILE_NOT_FOUND);
    EXPECT_EQ(Open(dir / "none/a.txt", GENERIC_READ, OPEN_EXISTING), INVALID_HANDLE_VALUE);
    EXPECT_EQ(GetLastError(), ERROR_PATH_NOT_FOUND);

    h = Open(path, GENERIC_WRITE, CREATE_NEW);
    ASSERT_NE(h, INVALID_HANDLE_VALUE);
    EXPECT_EQ(GetLastError(), ERROR_SUCCESS);
    DWORD written = 0;
    EXPECT_TRUE(WriteFile(h, "hello", 5, &written, nullptr));
    EXPECT_EQ(written, 5u);
    EXPECT_TRUE(CloseHandle(h));

    EXPECT_EQ(Open(path, GENERIC_WRITE, CREATE_NEW), INVALID_HANDLE_VALUE);
    EXPECT_EQ(GetLastError(), ERROR_FILE_EXISTS);

    // OPEN_ALWAYS keeps the content and says the file was there.
    h = Open(path, GENERIC_READ, OPEN_ALWAYS);
    ASSERT_NE(h, INVALID_HANDLE_VALUE);
    EXPECT_EQ(GetLastError(), ERROR_ALREADY_EXISTS);
    EXPECT_EQ(GetFileSize(h, nullptr), 5u);
    CloseHandle(h);

    // CREATE_ALWAYS empties it and says the same.
    h = Open(path, GENERIC_WRITE, CREATE_ALWAYS);
    ASSERT_NE(h, INVALID_HANDLE_VALUE);
    EXPECT_EQ(GetLastError(), ERROR_ALREADY_EXISTS);
    CloseHandle(h);
    EXPECT_EQ(ReadBytes(path), "");

    EXPECT_EQ(Open(path, GENERIC_READ, TRUNCATE_EXISTING), INVALID_HANDLE_VALUE);
    EXPECT_EQ(GetLastError(), ERROR_INVALID_PARAMETER);

    EXPECT_EQ(CreateFileA("", GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr), INVALID_HANDLE_VALUE);
    EXPECT_EQ(CreateFileA(nullptr, GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr), INVALID_HANDLE_VALUE);
}

TEST(Files, ReadSeekAndAccessRights) {
    TempDir dir;
    const std::string path = dir / "data.bin";
    WriteBytes(path, "0123456789");

    HANDLE h = Open(path, GENERIC_READ, OPEN_EXISTING);
    ASSERT_NE(h, INVALID_HANDLE_VALUE);
    char buffer[16] = {};
    DWORD read = 99;
    EXPECT_TRUE(ReadFile(h, buffer, 4, &read, nullptr));
    EXPECT_EQ(read, 4u);
    EXPECT_EQ(std::string(buffer, 4), "0123");

    EXPECT_EQ(SetFilePointer(h, -3, nullptr, FILE_END), 7u);
    EXPECT_TRUE(ReadFile(h, buffer, sizeof buffer, &read, nullptr));
    EXPECT_EQ(std::string(buffer, read), "789");
    // At the end a read succeeds with nothing read.
    EXPECT_TRUE(ReadFile(h, buffer, sizeof buffer, &read, nullptr));
    EXPECT_EQ(read, 0u);

    EXPECT_EQ(SetFilePointer(h, -20, nullptr, FILE_CURRENT), INVALID_SET_FILE_POINTER);
    EXPECT_EQ(GetLastError(), ERROR_NEGATIVE_SEEK);
    LONG high = 0;
    EXPECT_EQ(SetFilePointer(h, 2, &high, FILE_BEGIN), 2u);
    EXPECT_EQ(high, 0);

    DWORD written = 7;
    EXPECT_FALSE(WriteFile(h, "x", 1, &written, nullptr));
    EXPECT_EQ(GetLastError(), ERROR_ACCESS_DENIED);
    EXPECT_EQ(written, 0u);
    CloseHandle(h);

    h = Open(path, GENERIC_WRITE, OPEN_EXISTING);
    EXPECT_FALSE(ReadFile(h, buffer, 1, &read, nullptr));
    EXPECT_EQ(GetLastError(), ERROR_ACCESS_DENIED);
    SetFilePointer(h, 4, nullptr, FILE_BEGIN);
    EXPECT_TRUE(SetEndOfFile(h));
    EXPECT_TRUE(FlushFileBuffers(h));
    CloseHandle(h);
    EXPECT_EQ(ReadBytes(path), "0123");
}

TEST(Files, StaleAndMadeUpHandlesFail) {
    TempDir dir;
    WriteBytes(dir / "f", "x");
    HANDLE h = Open(dir / "f", GENERIC_READ, OPEN_EXISTING);
    ASSERT_TRUE(CloseHandle(h));
    char c;
    DWORD read = 0;
    EXPECT_FALSE(ReadFile(h, &c, 1, &read, nullptr));
    EXPECT_EQ(GetLastError(), ERROR_INVALID_HANDLE);
    EXPECT_FALSE(CloseHandle(h));
    EXPECT_EQ(GetFileSize(h, nullptr), INVALID_FILE_SIZE);
    EXPECT_FALSE(CloseHandle(nullptr));
    EXPECT_FALSE(CloseHandle(INVALID_HANDLE_VALUE));
    EXPECT_FALSE(CloseHandle(reinterpret_cast<HANDLE>(0x1234)));
    EXPECT_FALSE(WriteFile(reinterpret_cast<HANDLE>(0xB0FFFFFF), "x", 1, nullptr, nullptr));
}

TEST(Files, FoldersAreNotOpenedAsFiles) {
    TempDir dir;
    EXPECT_EQ(Open(dir.path(), GENERIC_READ, OPEN_EXISTING), INVALID_HANDLE_VALUE);
    EXPECT_EQ(GetLastError(), ERROR_ACCESS_DENIED);
    EXPECT_FALSE(DeleteFileA(dir.path().c_str()));
    EXPECT_EQ(GetLastError(), ERROR_ACCESS_DENIED);
}

TEST(Files, AttributesAndDeletion) {
    TempDir dir;
    WriteBytes(dir / "plain.txt", "x");
    WriteBytes(dir / ".hidden", "x");
    EXPECT_EQ(GetFileAttributesA((dir / "plain.txt").c_str()), FILE_ATTRIBUTE_NORMAL);
    EXPECT_EQ(GetFileAttributesA((dir / ".hidden").c_str()), FILE_ATTRIBUTE_HIDDEN);
    EXPECT_EQ(GetFileAttributesA(dir.path().c_str()), FILE_ATTRIBUTE_DIRECTORY);
    EXPECT_EQ(GetFileAttributesA((dir.path() + "/").c_str()), FILE_ATTRIBUTE_DIRECTORY);
    EXPECT_EQ(GetFileAttributesA((dir / "missing").c_str()), INVALID_FILE_ATTRIBUTES);
    EXPECT_EQ(GetLastError(), ERROR_FILE_NOT_FOUND);

    EXPECT_TRUE(DeleteFileA((dir / "plain.txt").c_str()));
    EXPECT_FALSE(DeleteFileA((dir / "plain.txt").c_str()));
    EXPECT_EQ(GetLastError(), ERROR_FILE_NOT_FOUND);
}

TEST(Directories, CreateRemoveAndCurrent) {
    TempDir dir;
    const std::string sub = dir / "sub";
    EXPECT_TRUE(CreateDirectoryA(sub.c_str(), nullptr));
    EXPECT_FALSE(CreateDirectoryA(sub.c_str(), nullptr));
    EXPECT_EQ(GetLastError(), ERROR_ALREADY_EXISTS);
    EXPECT_FALSE(CreateDirectoryA((dir / "no/such").c_str(), nullptr));
    EXPECT_EQ(GetLastError(), ERROR_PATH_NOT_FOUND);

    char saved[4096];
    ASSERT_GT(GetCurrentDirectoryA(sizeof saved, saved), 0u);
    ASSERT_TRUE(SetCurrentDirectoryA(sub.c_str()));
    char buffer[4096];
    DWORD n = GetCurrentDirectoryA(sizeof buffer, buffer);
    // The temporary folder may itself sit behind a link, so compare ends.
    ASSERT_GT(n, 4u);
    EXPECT_EQ(std::string(buffer + n - 4), "/sub");
    EXPECT_EQ(GetCurrentDirectoryA(2, buffer), n + 1);
    EXPECT_EQ(GetCurrentDirectoryA(0, nullptr), n + 1);
    ASSERT_TRUE(SetCurrentDirectoryA(saved));

    EXPECT_FALSE(SetCurrentDirectoryA((dir / "missing").c_str()));
    EXPECT_EQ(GetLastError(), ERROR_FILE_NOT_FOUND);

    EXPECT_TRUE(RemoveDirectoryA(sub.c_str()));
    EXPECT_FALSE(RemoveDirectoryA(sub.c_str()));
}

TEST(Directories, FullPathIsLexical) {
    char buffer[512];
    LPSTR part = nullptr;
    DWORD n = GetFullPathNameA("/a/./b//c/../d.txt", sizeof buffer, buffer, &part);
    EXPECT_EQ(std::string(buffer), "/a/b/d.txt");
    EXPECT_EQ(n, 10u);
    ASSERT_NE(part, nullptr);
    EXPECT_STREQ(part, "d.txt");

    GetFullPathNameA("/../../x", sizeof buffer, buffer, &part);
    EXPECT_STREQ(buffer, "/x");
    GetFullPathNameA("/a/b/", sizeof buffer, buffer, &part);
    EXPECT_STREQ(buffer, "/a/b/");
    EXPECT_EQ(part, nullptr);

    char cwd[4096];
    GetCurrentDirectoryA(sizeof cwd, cwd);
    GetFullPathNameA("rel/f", sizeof buffer, buffer, &part);
    EXPECT_EQ(std::string(buffer), std::string(cwd) + "/rel/f");

    EXPECT_EQ(GetFullPathNameA("/abc", 3, buffer, &part), 5u);
    EXPECT_EQ(part, nullptr);
    EXPECT_EQ(GetFullPathNameA("", sizeof buffer, buffer, nullptr), 0u);
}

std::vector<std::string> FindAll(const std::string& pattern, DWORD* error = nullptr) {
    std::vector<std::string> names;
    WIN32_FIND_DATAA data;
    HANDLE h = FindFirstFileA(pattern.c_str(), &data);
    if (h == INVALID_HANDLE_VALUE) {
        if (error) *error = GetLastError();
        return names;
    }
    do {
        names.push_back(data.cFileName);
    } while (FindNextFileA(h, &data));
    EXPECT_EQ(GetLastError(), ERROR_NO_MORE_FILES);
    EXPECT_TRUE(FindClose(h));
    return names;
}

TEST(FindFile, WildcardsCaseAndOrder) {
    TempDir dir;
    for (const char* name : {"b.txt", "A.TXT", "c.rtf", "noext", "日本.txt", "x.txt.bak"}) WriteBytes(dir / name, "12");
    CreateDirectoryA((dir / "sub").c_str(), nullptr);

    using V = std::vector<std::string>;
    EXPECT_EQ(FindAll(dir / "*.txt"), (V{"A.TXT", "b.txt", "日本.txt"}));
    EXPECT_EQ(FindAll(dir / "*.*"), (V{".", "..", "A.TXT", "b.txt", "c.rtf", "noext", "sub", "x.txt.bak", "日本.txt"}));
    EXPECT_EQ(FindAll(dir / "?.txt"), (V{"A.TXT", "b.txt"}));
    EXPECT_EQ(FindAll(dir / "日?.txt"), (V{"日本.txt"}));
    EXPECT_EQ(FindAll(dir / "*."), (V{".", "..", "noext", "sub"}));
    EXPECT_EQ(FindAll(dir / "C.RTF"), (V{"c.rtf"}));

    DWORD error = 0;
    EXPECT_TRUE(FindAll(dir / "*.doc", &error).empty());
    EXPECT_EQ(error, ERROR_FILE_NOT_FOUND);
    EXPECT_TRUE(FindAll(dir / "missing/*", &error).empty());
    EXPECT_EQ(error, ERROR_PATH_NOT_FOUND);
}

TEST(FindFile, DataDescribesTheEntry) {
    TempDir dir;
    WriteBytes(dir / "f.txt", "12345");
    CreateDirectoryA((dir / "d").c_str(), nullptr);
    WIN32_FIND_DATAA data;
    HANDLE h = FindFirstFileA((dir / "f.txt").c_str(), &data);
    ASSERT_NE(h, INVALID_HANDLE_VALUE);
    EXPECT_EQ(data.nFileSizeLow, 5u);
    EXPECT_EQ(data.dwFileAttributes, FILE_ATTRIBUTE_NORMAL);
    SYSTEMTIME st;
    EXPECT_TRUE(FileTimeToSystemTime(&data.ftLastWriteTime, &st));
    EXPECT_GE(st.wYear, 2020);
    // Search handles and file handles are not interchangeable.
    EXPECT_FALSE(CloseHandle(h));
    EXPECT_TRUE(FindClose(h));
    EXPECT_FALSE(FindClose(h));

    h = FindFirstFileA((dir / "d").c_str(), &data);
    EXPECT_EQ(data.dwFileAttributes, FILE_ATTRIBUTE_DIRECTORY);
    FindClose(h);
}

}  // namespace
}  // namespace win32
