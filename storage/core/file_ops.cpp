#include "storage/core/file_ops.h"

#include "storage/core/storage_error.h"

#include <algorithm>

#ifdef _WIN32
#include <windows.h>
#else
#include <cerrno>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace zandrel::file_ops {
namespace {

[[noreturn]] void Fail(const std::string& what, const std::string& path) {
    throw StorageError(what + " \"" + path + "\"");
}

#ifdef _WIN32

class Handle {
public:
    explicit Handle(HANDLE handle) : handle_(handle) {}
    Handle(const Handle&) = delete;
    Handle& operator=(const Handle&) = delete;
    ~Handle() {
        if (handle_ != INVALID_HANDLE_VALUE)
            CloseHandle(handle_);
    }
    HANDLE get() const { return handle_; }
    bool valid() const { return handle_ != INVALID_HANDLE_VALUE; }
    // Closes now, reporting whether the system took the file's last data.
    bool close() {
        const BOOL ok = CloseHandle(handle_);
        handle_ = INVALID_HANDLE_VALUE;
        return ok != 0;
    }

private:
    HANDLE handle_;
};

#else

class Handle {
public:
    explicit Handle(int fd) : fd_(fd) {}
    Handle(const Handle&) = delete;
    Handle& operator=(const Handle&) = delete;
    ~Handle() {
        if (fd_ >= 0)
            ::close(fd_);
    }
    int get() const { return fd_; }
    bool valid() const { return fd_ >= 0; }
    bool close() {
        const int result = ::close(fd_);
        fd_ = -1;
        return result == 0;
    }

private:
    int fd_;
};

#endif

} // namespace

#ifdef _WIN32

namespace {

// One ReadFile; 0 at the end of the file.
std::size_t ReadSome(Handle& file, const std::string& path, char* into, std::size_t count) {
    DWORD got = 0;
    if (count > 0 && !ReadFile(file.get(), into, static_cast<DWORD>(count), &got, nullptr))
        Fail("Cannot read file", path);
    return got;
}

} // namespace

bool Exists(const std::string& path) {
    const DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool ReadThrough(const std::string& path,
                 const std::function<void(std::size_t size, const ByteSource& source)>& read) {
    Handle file(CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                            FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.valid()) {
        const DWORD error = GetLastError();
        if (error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND)
            return false;
        Fail("Cannot open file", path);
    }
    LARGE_INTEGER size;
    if (!GetFileSizeEx(file.get(), &size) || size.QuadPart > 0x7FFFFFFF)
        Fail("Cannot read file", path);
    const auto total = static_cast<std::size_t>(size.QuadPart);
    std::size_t done = 0;
    read(total, [&](char* into, std::size_t count) {
        const std::size_t got = ReadSome(file, path, into, std::min(count, total - done));
        done += got;
        return got;
    });
    return true;
}

void WriteFlushed(const std::string& path,
                  const std::function<void(const ByteSink& write)>& produce) {
    Handle file(CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                            FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.valid())
        Fail("Cannot create file", path);
    produce([&](std::string_view bytes) {
        std::size_t done = 0;
        while (done < bytes.size()) {
            const std::size_t chunk = std::min<std::size_t>(bytes.size() - done, 1u << 30);
            DWORD written = 0;
            if (!WriteFile(file.get(), bytes.data() + done, static_cast<DWORD>(chunk), &written,
                           nullptr) ||
                written == 0)
                Fail("Cannot write file", path);
            done += written;
        }
    });
    if (!FlushFileBuffers(file.get()) || !file.close())
        Fail("Cannot write file", path);
}

void Replace(const std::string& from, const std::string& to) {
    if (!MoveFileExA(from.c_str(), to.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
        Fail("Cannot replace file", to);
}

void CopyNew(const std::string& from, const std::string& to) {
    if (!CopyFileA(from.c_str(), to.c_str(), TRUE))
        Fail("Cannot create file", to);
}

void RemoveQuietly(const std::string& path) noexcept {
    DeleteFileA(path.c_str());
}

void SyncFolder(const std::string&) noexcept {
    // MOVEFILE_WRITE_THROUGH already waited for the rename to reach the disk.
}

bool FolderExists(const std::string& path) {
    const DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

void MakeFolder(const std::string& path) {
    if (!CreateDirectoryA(path.c_str(), nullptr) && !FolderExists(path))
        Fail("Cannot create folder", path);
}

void RemoveFolder(const std::string& path) {
    if (!RemoveDirectoryA(path.c_str()) && FolderExists(path))
        Fail("Cannot remove folder", path);
}

std::vector<std::string> FolderNames(const std::string& path) {
    std::vector<std::string> names;
    WIN32_FIND_DATAA found;
    const HANDLE search = FindFirstFileA((path + "\\*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE)
        return names;
    do {
        const std::string name = found.cFileName;
        if ((found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) && name != "." && name != "..")
            names.push_back(name);
    } while (FindNextFileA(search, &found));
    FindClose(search);
    return names;
}

#else

namespace {

// One read, repeated when a signal interrupts it; 0 at the end of the file.
std::size_t ReadSome(Handle& file, const std::string& path, char* into, std::size_t count) {
    for (;;) {
        const ssize_t got = count > 0 ? ::read(file.get(), into, count) : 0;
        if (got >= 0)
            return static_cast<std::size_t>(got);
        if (errno != EINTR)
            Fail("Cannot read file", path);
    }
}

} // namespace

bool Exists(const std::string& path) {
    struct stat info;
    return ::stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode);
}

bool ReadThrough(const std::string& path,
                 const std::function<void(std::size_t size, const ByteSource& source)>& read) {
    Handle file(::open(path.c_str(), O_RDONLY | O_CLOEXEC));
    if (!file.valid()) {
        if (errno == ENOENT)
            return false;
        Fail("Cannot open file", path);
    }
    struct stat info;
    if (::fstat(file.get(), &info) != 0 || !S_ISREG(info.st_mode))
        Fail("Cannot read file", path);
    const auto total = static_cast<std::size_t>(info.st_size);
    std::size_t done = 0;
    read(total, [&](char* into, std::size_t count) {
        const std::size_t got = ReadSome(file, path, into, std::min(count, total - done));
        done += got;
        return got;
    });
    return true;
}

void WriteFlushed(const std::string& path,
                  const std::function<void(const ByteSink& write)>& produce) {
    Handle file(::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644));
    if (!file.valid())
        Fail("Cannot create file", path);
    produce([&](std::string_view bytes) {
        std::size_t done = 0;
        while (done < bytes.size()) {
            const ssize_t written = ::write(file.get(), bytes.data() + done, bytes.size() - done);
            if (written < 0 && errno == EINTR)
                continue;
            if (written <= 0)
                Fail("Cannot write file", path);
            done += static_cast<std::size_t>(written);
        }
    });
    if (::fsync(file.get()) != 0 || !file.close())
        Fail("Cannot write file", path);
}

void Replace(const std::string& from, const std::string& to) {
    if (::rename(from.c_str(), to.c_str()) != 0)
        Fail("Cannot replace file", to);
}

void CopyNew(const std::string& from, const std::string& to) {
    const std::optional<FileBytes> bytes = ReadAll(from);
    if (!bytes)
        Fail("Cannot open file", from);
    Handle probe(::open(to.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644));
    if (!probe.valid())
        Fail("Cannot create file", to);
    probe.close();
    WriteFlushed(to, bytes->view());
}

void RemoveQuietly(const std::string& path) noexcept {
    ::unlink(path.c_str());
}

void SyncFolder(const std::string& folder) noexcept {
    Handle dir(::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (dir.valid())
        ::fsync(dir.get());
}

bool FolderExists(const std::string& path) {
    struct stat info;
    return ::stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

void MakeFolder(const std::string& path) {
    if (::mkdir(path.c_str(), 0755) != 0 && !FolderExists(path))
        Fail("Cannot create folder", path);
}

void RemoveFolder(const std::string& path) {
    if (::rmdir(path.c_str()) != 0 && FolderExists(path))
        Fail("Cannot remove folder", path);
}

std::vector<std::string> FolderNames(const std::string& path) {
    std::vector<std::string> names;
    const std::unique_ptr<DIR, int (*)(DIR*)> dir(::opendir(path.c_str()), ::closedir);
    if (!dir)
        return names;
    while (const dirent* entry = ::readdir(dir.get())) {
        const std::string name = entry->d_name;
        if (name != "." && name != ".." && FolderExists(path + "/" + name))
            names.push_back(name);
    }
    return names;
}

#endif

std::optional<FileBytes> ReadAll(const std::string& path) {
    std::optional<FileBytes> bytes;
    const bool exists = ReadThrough(path, [&bytes](std::size_t size, const ByteSource& source) {
        FileBytes& buffer = bytes.emplace(size);
        std::size_t done = 0;
        while (done < size) {
            const std::size_t got = source(buffer.data() + done, size - done);
            if (got == 0)
                break; // the file shrank while being read
            done += got;
        }
        buffer.SetSize(done);
    });
    if (!exists)
        return std::nullopt;
    return bytes;
}

void WriteFlushed(const std::string& path, std::string_view bytes) {
    WriteFlushed(path, [bytes](const ByteSink& write) { write(bytes); });
}

std::string FolderOf(const std::string& path) {
#ifdef _WIN32
    const std::size_t end = path.find_last_of("/\\:");
#else
    const std::size_t end = path.find_last_of('/');
#endif
    return end == std::string::npos ? std::string() : path.substr(0, end + 1);
}

} // namespace zandrel::file_ops
