#include "storage/core/file_ops.h"

#include "storage/core/storage_error.h"

#include <algorithm>
#include <cstdio>
#include <ctime>
#include <utility>

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

#ifdef _WIN32

// The system's text for `code`, in UTF-8.
std::string SystemReason(DWORD code) {
    wchar_t* text = nullptr;
    const DWORD length = FormatMessageW(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
        nullptr, code, 0, reinterpret_cast<wchar_t*>(&text), 0, nullptr);
    std::string reason;
    if (length > 0) {
        const int size =
            WideCharToMultiByte(CP_UTF8, 0, text, int(length), nullptr, 0, nullptr, nullptr);
        reason.resize(std::size_t(size));
        WideCharToMultiByte(CP_UTF8, 0, text, int(length), reason.data(), size, nullptr, nullptr);
    }
    LocalFree(text);
    while (!reason.empty() && (reason.back() == '\n' || reason.back() == '\r' ||
                               reason.back() == ' ' || reason.back() == '.'))
        reason.pop_back();
    return reason.empty() ? "error " + std::to_string(code) : reason;
}

[[noreturn]] void Fail(const std::string& what, const std::string& path) {
    const std::string reason = SystemReason(GetLastError());
    throw StorageError(what + " \"" + path + "\": " + reason, reason);
}

void SetSystemError(int code) {
    SetLastError(DWORD(code));
}

#else

[[noreturn]] void Fail(const std::string& what, const std::string& path) {
    const std::string reason = std::strerror(errno);
    throw StorageError(what + " \"" + path + "\": " + reason, reason);
}

void SetSystemError(int code) {
    errno = code;
}

#endif

WriteFaults& Faults() {
    static WriteFaults faults;
    return faults;
}

// The write's fault, failing at once as `making` when it is one of making
// the file or folder.
std::optional<WriteFault> FaultOf(const std::string& path,
                                  const char* making = "Cannot create file") {
    const std::optional<WriteFault> fault = Faults() ? Faults()(path) : std::nullopt;
    if (fault && fault->AtCreate) {
        SetSystemError(fault->SystemError);
        Fail(making, path);
    }
    return fault;
}

[[noreturn]] void FailWrite(const WriteFault& fault, const std::string& path) {
    SetSystemError(fault.SystemError);
    Fail("Cannot write file", path);
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

HeldFile::HeldFile(HeldFile&& other) noexcept
    : path_(std::move(other.path_)), handle_(std::exchange(other.handle_, -1)) {}

void SetWriteFaults(WriteFaults faults) {
    Faults() = std::move(faults);
}

#ifdef _WIN32

std::wstring Wide(const std::string& utf8) {
    std::wstring wide;
    if (utf8.empty())
        return wide;
    const int size = MultiByteToWideChar(CP_UTF8, 0, utf8.data(), int(utf8.size()), nullptr, 0);
    wide.resize(std::size_t(size));
    MultiByteToWideChar(CP_UTF8, 0, utf8.data(), int(utf8.size()), wide.data(), size);
    return wide;
}

std::string FromWide(const std::wstring& wide) {
    std::string utf8;
    if (wide.empty())
        return utf8;
    const int size = WideCharToMultiByte(CP_UTF8, 0, wide.data(), int(wide.size()), nullptr, 0,
                                         nullptr, nullptr);
    utf8.resize(std::size_t(size));
    WideCharToMultiByte(CP_UTF8, 0, wide.data(), int(wide.size()), utf8.data(), size, nullptr,
                        nullptr);
    return utf8;
}

// Past the classic limit (248 characters for a folder, which must leave room
// for a file name), the absolute path behind \\?\ (\\?\UNC\ for a share),
// where '/' no longer separates folders.
std::wstring SystemPath(const std::string& path) {
    std::wstring wide = Wide(path);
    if (wide.size() < 248 || wide.starts_with(L"\\\\?\\"))
        return wide;
    std::wstring full(wide.size() + 16, L'\0');
    for (;;) {
        const DWORD length =
            GetFullPathNameW(wide.c_str(), DWORD(full.size()), full.data(), nullptr);
        if (length == 0)
            return wide;
        if (length < full.size()) {
            full.resize(length);
            break;
        }
        full.resize(length + 1);
    }
    std::replace(full.begin(), full.end(), L'/', L'\\');
    if (full.starts_with(L"\\\\"))
        return L"\\\\?\\UNC\\" + full.substr(2);
    return L"\\\\?\\" + full;
}

namespace {

// One ReadFile; 0 at the end of the file.
std::size_t ReadSome(Handle& file, const std::string& path, char* into, std::size_t count) {
    DWORD got = 0;
    if (count > 0 && !ReadFile(file.get(), into, static_cast<DWORD>(count), &got, nullptr))
        Fail("Cannot read file", path);
    return got;
}

bool NotFound(DWORD error) {
    return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND;
}

} // namespace

FileStamp StampOf(const std::string& path) {
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!GetFileAttributesExW(SystemPath(path).c_str(), GetFileExInfoStandard, &data)) {
        if (NotFound(GetLastError()))
            return {};
        Fail("Cannot look at file", path);
    }
    if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
        return {};
    return {true, (std::uint64_t(data.nFileSizeHigh) << 32) | data.nFileSizeLow,
            std::int64_t((std::uint64_t(data.ftLastWriteTime.dwHighDateTime) << 32) |
                         data.ftLastWriteTime.dwLowDateTime)};
}

std::optional<HeldFile> HeldFile::CreateNew(const std::string& path) {
    FaultOf(path);
    const HANDLE file = CreateFileW(SystemPath(path).c_str(), GENERIC_WRITE | DELETE,
                                    FILE_SHARE_READ | FILE_SHARE_DELETE, nullptr, CREATE_NEW,
                                    FILE_ATTRIBUTE_NORMAL | FILE_FLAG_DELETE_ON_CLOSE, nullptr);
    if (file != INVALID_HANDLE_VALUE)
        return HeldFile(path, reinterpret_cast<std::intptr_t>(file));
    // A file that is being deleted refuses access.
    const DWORD error = GetLastError();
    if (error == ERROR_FILE_EXISTS || (error == ERROR_ACCESS_DENIED && Exists(path)))
        return std::nullopt;
    SetLastError(error);
    Fail("Cannot create file", path);
}

HeldFile::~HeldFile() {
    if (handle_ != -1)
        CloseHandle(reinterpret_cast<HANDLE>(handle_)); // deletes it
}

std::optional<double> SecondsSinceWrite(const std::string& path) {
    const FileStamp stamp = StampOf(path);
    if (!stamp.Exists)
        return std::nullopt;
    FILETIME now;
    GetSystemTimeAsFileTime(&now);
    const std::int64_t ticks =
        std::int64_t((std::uint64_t(now.dwHighDateTime) << 32) | now.dwLowDateTime);
    return double(ticks - stamp.WriteTime) / 1e7;
}

bool Exists(const std::string& path) {
    const DWORD attributes = GetFileAttributesW(SystemPath(path).c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

// Others may read, write, rename and delete the file meanwhile: a sync
// client or another PC's program putting its new pair in place must not fail
// because this one is reading (what it read is checked afterwards).
bool ReadThrough(const std::string& path,
                 const std::function<void(std::size_t size, const ByteSource& source)>& read) {
    Handle file(CreateFileW(SystemPath(path).c_str(), GENERIC_READ,
                            FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                            OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.valid()) {
        if (NotFound(GetLastError()))
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
    const std::optional<WriteFault> fault = FaultOf(path);
    Handle file(CreateFileW(SystemPath(path).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                            FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.valid())
        Fail("Cannot create file", path);
    produce([&](std::string_view bytes) {
        std::size_t done = 0;
        while (done < bytes.size()) {
            const std::size_t chunk = std::min<std::size_t>(bytes.size() - done, 1u << 30);
            DWORD written = 0;
            if (fault)
                FailWrite(*fault, path);
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

void CheckReplaceable(const std::string& path) {
    Handle file(CreateFileW(SystemPath(path).c_str(), DELETE,
                            FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                            OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.valid() && !NotFound(GetLastError()))
        Fail("Cannot replace file", path);
}

void Replace(const std::string& from, const std::string& to) {
    if (!MoveFileExW(SystemPath(from).c_str(), SystemPath(to).c_str(),
                     MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
        Fail("Cannot replace file", to);
}

void CopyNew(const std::string& from, const std::string& to) {
    if (const std::optional<WriteFault> fault = FaultOf(to))
        FailWrite(*fault, to);
    if (!CopyFileW(SystemPath(from).c_str(), SystemPath(to).c_str(), TRUE))
        Fail("Cannot create file", to);
}

void RemoveQuietly(const std::string& path) noexcept {
    try {
        DeleteFileW(SystemPath(path).c_str());
    } catch (...) {
        // Out of memory for the path: the file stays.
    }
}

std::FILE* OpenCFile(const std::string& path, const char* mode) {
    return _wfopen(SystemPath(path).c_str(), Wide(mode).c_str());
}

void SyncFolder(const std::string&) noexcept {
    // MOVEFILE_WRITE_THROUGH already waited for the rename to reach the disk.
}

bool FolderExists(const std::string& path) {
    const DWORD attributes = GetFileAttributesW(SystemPath(path).c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

void MakeFolder(const std::string& path) {
    FaultOf(path, "Cannot create folder");
    if (!CreateDirectoryW(SystemPath(path).c_str(), nullptr) && !FolderExists(path))
        Fail("Cannot create folder", path);
}

void RemoveFolder(const std::string& path) {
    if (!RemoveDirectoryW(SystemPath(path).c_str()) && FolderExists(path))
        Fail("Cannot remove folder", path);
}

namespace {

// The names in `path` that are folders (or files), and begin with `prefix`.
std::vector<std::string> NamesIn(const std::string& path, bool folders, const std::string& prefix) {
    std::vector<std::string> names;
    WIN32_FIND_DATAW found;
    const HANDLE search = FindFirstFileW(SystemPath(path + "\\*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE)
        return names;
    do {
        const std::string name = FromWide(found.cFileName);
        const bool folder = (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
        if (folder == folders && name != "." && name != ".." && name.starts_with(prefix))
            names.push_back(name);
    } while (FindNextFileW(search, &found));
    FindClose(search);
    return names;
}

} // namespace

std::optional<std::string> FolderIdentity(const std::string& path) {
    Handle folder(CreateFileW(SystemPath(path).c_str(), 0,
                              FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                              OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
    BY_HANDLE_FILE_INFORMATION info;
    if (!folder.valid() || !GetFileInformationByHandle(folder.get(), &info))
        return std::nullopt;
    char text[40];
    std::snprintf(text, sizeof text, "%08lx-%08lx%08lx", info.dwVolumeSerialNumber,
                  info.nFileIndexHigh, info.nFileIndexLow);
    return text;
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

FileStamp StampOf(const std::string& path) {
    struct stat info;
    if (::stat(path.c_str(), &info) != 0) {
        if (errno == ENOENT || errno == ENOTDIR)
            return {};
        Fail("Cannot look at file", path);
    }
    if (!S_ISREG(info.st_mode))
        return {};
    return {true, std::uint64_t(info.st_size),
            std::int64_t(info.st_mtim.tv_sec) * 1000000000 + info.st_mtim.tv_nsec};
}

std::optional<HeldFile> HeldFile::CreateNew(const std::string& path) {
    FaultOf(path);
    const int file = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
    if (file >= 0)
        return HeldFile(path, file);
    if (errno == EEXIST)
        return std::nullopt;
    Fail("Cannot create file", path);
}

HeldFile::~HeldFile() {
    if (handle_ != -1) {
        ::unlink(path_.c_str());
        ::close(int(handle_));
    }
}

std::optional<double> SecondsSinceWrite(const std::string& path) {
    const FileStamp stamp = StampOf(path);
    if (!stamp.Exists)
        return std::nullopt;
    timespec now;
    ::clock_gettime(CLOCK_REALTIME, &now);
    return double(std::int64_t(now.tv_sec) * 1000000000 + now.tv_nsec - stamp.WriteTime) / 1e9;
}

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
    const std::optional<WriteFault> fault = FaultOf(path);
    Handle file(::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644));
    if (!file.valid())
        Fail("Cannot create file", path);
    produce([&](std::string_view bytes) {
        std::size_t done = 0;
        while (done < bytes.size()) {
            if (fault)
                FailWrite(*fault, path);
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

void CheckReplaceable(const std::string&) {
    // A file is never held against a rename here.
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

std::FILE* OpenCFile(const std::string& path, const char* mode) {
    return std::fopen(path.c_str(), mode);
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
    FaultOf(path, "Cannot create folder");
    if (::mkdir(path.c_str(), 0755) != 0 && !FolderExists(path))
        Fail("Cannot create folder", path);
}

void RemoveFolder(const std::string& path) {
    if (::rmdir(path.c_str()) != 0 && FolderExists(path))
        Fail("Cannot remove folder", path);
}

namespace {

std::vector<std::string> NamesIn(const std::string& path, bool folders, const std::string& prefix) {
    std::vector<std::string> names;
    const std::unique_ptr<DIR, int (*)(DIR*)> dir(::opendir(path.c_str()), ::closedir);
    if (!dir)
        return names;
    while (const dirent* entry = ::readdir(dir.get())) {
        const std::string name = entry->d_name;
        if (name == "." || name == ".." || !name.starts_with(prefix))
            continue;
        const std::string full = path + "/" + name;
        if (folders ? FolderExists(full) : Exists(full))
            names.push_back(name);
    }
    return names;
}

} // namespace

std::optional<std::string> FolderIdentity(const std::string& path) {
    struct stat info;
    if (::stat(path.c_str(), &info) != 0 || !S_ISDIR(info.st_mode))
        return std::nullopt;
    return std::to_string(info.st_dev) + "-" + std::to_string(info.st_ino);
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

std::vector<std::string> FolderNames(const std::string& path) {
    return NamesIn(path, true, {});
}

std::vector<std::string> FileNames(const std::string& path, const std::string& prefix) {
    return NamesIn(path, false, prefix);
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
