#pragma once
// The few file operations the data files need, with paths as ANSI strings
// (the Windows build calls the ...A functions, so paths and their bytes pass
// through unchanged). Every failure throws StorageError naming the file.
#include <cstddef>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace zandrel::file_ops {

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
// Moves `from` over `to` in one step, replacing `to` if it exists.
void Replace(const std::string& from, const std::string& to);
// Copies `from` to the new file `to`; fails if `to` exists.
void CopyNew(const std::string& from, const std::string& to);
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

// The folder part of a path, with its trailing separator ("" for a bare name).
std::string FolderOf(const std::string& path);

} // namespace zandrel::file_ops
