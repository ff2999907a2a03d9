// The file helper on the build machine (POSIX), where the native tests and the
// fuzzers run the game's file code.
#include "files/files.h"

#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

int fd_of(void* handle) { return static_cast<int>(reinterpret_cast<std::intptr_t>(handle)) - 1; }
void* handle_of(int fd) { return reinterpret_cast<void*>(static_cast<std::intptr_t>(fd) + 1); }

bool write_all(int fd, const void* data, std::size_t size) {
    const auto* at = static_cast<const char*>(data);
    while (size > 0) {
        const ssize_t done = ::write(fd, at, size);
        if (done < 0 && errno == EINTR) continue;
        if (done <= 0) return false;
        at += done;
        size -= static_cast<std::size_t>(done);
    }
    return true;
}

// What Windows refuses to write, as the tests meet it here, where they run as
// root, who writes anything: a file or folder without its owner's write
// permission stands for a read-only file, or a folder the player may not write.
bool read_only(const std::string& path) {
    struct stat info {};
    return ::stat(path.empty() ? "." : path.c_str(), &info) == 0 && !(info.st_mode & S_IWUSR);
}

}  // namespace

InputFile::InputFile(const std::string& path) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        status_ = errno == ENOENT || errno == ENOTDIR ? FileStatus::Missing : FileStatus::Unreadable;
        return;
    }
    handle_ = handle_of(fd);
    struct stat info {};
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) return;  // a folder is no file to read
    size_ = static_cast<std::uint64_t>(info.st_size);
    status_ = FileStatus::Ok;
}

InputFile::~InputFile() {
    if (handle_) ::close(fd_of(handle_));
}

bool InputFile::read_at(std::uint64_t offset, void* into, std::size_t length) {
    if (status_ != FileStatus::Ok) return false;
    auto* at = static_cast<char*>(into);
    while (length > 0) {
        const ssize_t got = ::pread(fd_of(handle_), at, length, static_cast<off_t>(offset));
        if (got < 0 && errno == EINTR) continue;
        if (got <= 0) return false;
        at += got;
        offset += static_cast<std::uint64_t>(got);
        length -= static_cast<std::size_t>(got);
    }
    return true;
}

bool write_file(const std::string& path, std::initializer_list<Bytes> parts) {
    if (read_only(path)) return false;
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
    if (fd < 0) return false;
    bool written = true;
    for (const Bytes& part : parts) written = written && write_all(fd, part.data, part.size);
    return ::close(fd) == 0 && written;
}

bool can_create_files_in(const std::string& folder) {
    if (read_only(folder)) return false;
    const std::string probe = folder + ".tessary-" + std::to_string(::getpid()) + ".tmp";
    const int fd = ::open(probe.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
    if (fd < 0) return false;
    ::close(fd);
    ::unlink(probe.c_str());
    return true;
}

bool make_folder(const std::string& folder) {
    ::mkdir(folder.c_str(), 0777);
    struct stat info {};
    return ::stat(folder.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

bool copy_file(const std::string& from, const std::string& to) {
    std::vector<std::uint8_t> bytes;
    return read_file(from, UINT64_MAX, bytes) == FileStatus::Ok && write_file(to, {{bytes.data(), bytes.size()}});
}

std::string temporary_path(const std::string& path) { return path + "." + std::to_string(::getpid()) + ".tmp"; }

bool replace_file(const std::string& path, const std::string& content) {
    if (read_only(path)) return false;
    const std::string temporary = temporary_path(path);
    const int fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
    if (fd < 0) return false;
    const bool flushed = write_all(fd, content.data(), content.size()) && ::fsync(fd) == 0;
    if (::close(fd) == 0 && flushed && std::rename(temporary.c_str(), path.c_str()) == 0) return true;
    std::remove(temporary.c_str());
    return false;
}

bool file_stamp(const std::string& path, FileStamp& stamp) {
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0 || !S_ISREG(info.st_mode)) return false;
    stamp.size = static_cast<std::uint64_t>(info.st_size);
    stamp.written = static_cast<std::uint64_t>(info.st_mtim.tv_sec) * 1000000000u + static_cast<std::uint64_t>(info.st_mtim.tv_nsec);
    return true;
}
