#pragma once
// The few file operations the data files need. Paths are UTF-8; the Windows
// build hands them to the wide calls, as \\?\ paths when they are longer
// than the classic limit, so any folder name of any length works. Every
// failure throws StorageError naming the file and the system's reason.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace zandrel::file_ops {

#ifdef _WIN32
inline constexpr char kPathSeparator = '\\';
#else
inline constexpr char kPathSeparator = '/';
#endif

// A whole file's bytes. The buffer is not cleared before the read fills it:
// a load would otherwise spend a good part of its time writing zeros that
// the read overwrites at once.
class FileBytes {
public:
    explicit FileBytes(std::size_t capacity) : bytes_(new char[capacity]) {}
    char* data() { return bytes_.get(); }
    void SetSize(std::size_t size) { size_ = size; }
    std::string_view view() const { return {bytes_.get(), size_}; }

private:
    std::unique_ptr<char[]> bytes_;
    std::size_t size_ = 0;
};

// Fills up to `count` bytes at `into` with the next bytes of a file and
// returns how many it gave, 0 at the end.
using ByteSource = std::function<std::size_t(char* into, std::size_t count)>;

// What a file looks like from outside, read without opening it.
struct FileStamp {
    bool Exists = false;
    std::uint64_t Size = 0;
    std::int64_t WriteTime = 0; // in the system's own units
    bool operator==(const FileStamp&) const = default;
};
// The stamp of `path`; Exists false when there is no such file. Throws when
// the system cannot tell.
FileStamp StampOf(const std::string& path);

// True for a file, false for nothing or a folder.
bool Exists(const std::string& path);
// The whole file; nullopt when it does not exist.
std::optional<FileBytes> ReadAll(const std::string& path);
// Opens the file and calls `read` with its size and a source of its bytes,
// which reads no further than that size; false when it does not exist. For
// a large file whose bytes go elsewhere: no buffer holds the whole file.
bool ReadThrough(const std::string& path,
                 const std::function<void(std::size_t size, const ByteSource& source)>& read);
// Writes the next bytes of a file.
using ByteSink = std::function<void(std::string_view bytes)>;
// Creates or truncates `path`, writes `bytes` and flushes them to the disk.
void WriteFlushed(const std::string& path, std::string_view bytes);
// The same with the bytes handed to a sink piece by piece: no buffer need
// hold the whole file.
void WriteFlushed(const std::string& path,
                  const std::function<void(const ByteSink& write)>& produce);
// Stands in for the disk in tests: a folder that takes no new file, a disk
// that fills up. Asked before each file is written; a fault fails the write
// with its system error code as the system would, when the file is made or
// when its bytes go out.
struct WriteFault {
    bool AtCreate = false;
    int SystemError = 0;
};
using WriteFaults = std::function<std::optional<WriteFault>(const std::string& path)>;
// Empty: the disk as it is.
void SetWriteFaults(WriteFaults faults);
// Throws as Replace would when another program holds `path` so that it
// cannot be replaced (Windows: open without sharing it); nothing, when there
// is no such file.
void CheckReplaceable(const std::string& path);
// Moves `from` over `to` in one step, replacing `to` if it exists.
void Replace(const std::string& from, const std::string& to);
// Copies `from` to the new file `to`; fails if `to` exists.
void CopyNew(const std::string& from, const std::string& to);
// A file that exists only while its holder keeps it: made only when no file
// of its name exists, removed when the holder lets it go (on Windows also
// when its process ends).
class HeldFile {
public:
    // Empty when a file of that name exists already.
    static std::optional<HeldFile> CreateNew(const std::string& path);
    HeldFile(HeldFile&& other) noexcept;
    HeldFile& operator=(HeldFile&&) = delete;
    ~HeldFile();

private:
    HeldFile(std::string path, std::intptr_t handle) : path_(std::move(path)), handle_(handle) {}
    std::string path_;
    std::intptr_t handle_; // none: -1
};
// Seconds since `path` was last written; nullopt when there is no such file.
std::optional<double> SecondsSinceWrite(const std::string& path);
// The C library's fopen for a UTF-8 path (null on failure): for a file kept
// open and written in place.
std::FILE* OpenCFile(const std::string& path, const char* mode);
// Removes `path` if it exists; never throws.
void RemoveQuietly(const std::string& path) noexcept;
// Makes the renames of a folder durable where the system needs it.
void SyncFolder(const std::string& folder) noexcept;

// True for a folder.
bool FolderExists(const std::string& path);
// Makes the folder `path` (its parent must exist); done when it exists already.
void MakeFolder(const std::string& path);
// Removes the empty folder `path`; done when it does not exist.
void RemoveFolder(const std::string& path);
// The names of the folders in `path`; none when it does not exist.
std::vector<std::string> FolderNames(const std::string& path);

// The names of the files in `path` that begin with `prefix`.
std::vector<std::string> FileNames(const std::string& path, const std::string& prefix);

// What names the folder itself, however a path spells it (another drive
// letter, a share, a link): its volume and its number on that volume.
// Nullopt when the folder cannot be opened.
std::optional<std::string> FolderIdentity(const std::string& path);

#ifdef _WIN32
// What the wide calls take for a UTF-8 path: past the classic limit, the
// absolute path behind \\?\.
std::wstring SystemPath(const std::string& path);
// UTF-8 to the system's wide text and back.
std::wstring Wide(const std::string& text);
std::string FromWide(const std::wstring& text);
#endif

// The folder part of a path, with its trailing separator ("" for a bare name).
std::string FolderOf(const std::string& path);

} // namespace zandrel::file_ops
