// The file helper on Windows: the ANSI file calls, so paths reach the system
// exactly as it handed them to the program.
#include "files/files.h"

#include <windows.h>

namespace {

// ReadFile and WriteFile take at most a DWORD at a time; a gigabyte a call is plenty.
constexpr std::size_t CHUNK = 1u << 30;

HANDLE file_of(void* handle) { return static_cast<HANDLE>(handle); }

bool write_all(HANDLE file, const void* data, std::size_t size) {
    const auto* at = static_cast<const char*>(data);
    while (size > 0) {
        const DWORD length = static_cast<DWORD>(size < CHUNK ? size : CHUNK);
        DWORD written = 0;
        if (!WriteFile(file, at, length, &written, nullptr) || written != length) return false;
        at += written;
        size -= written;
    }
    return true;
}

bool has_read_only_attribute(const std::string& path) {
    const DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY);
}

HANDLE create_for_writing(const std::string& path) {
    return CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
}

}  // namespace

InputFile::InputFile(const std::string& path) {
    // A file being read can still be deleted or replaced by the player or another program.
    HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                              nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        const DWORD error = GetLastError();
        status_ = error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND ? FileStatus::Missing
                                                                                 : FileStatus::Unreadable;
        return;
    }
    handle_ = file;
    LARGE_INTEGER size{};
    if (!GetFileSizeEx(file, &size) || size.QuadPart < 0) return;
    size_ = static_cast<std::uint64_t>(size.QuadPart);
    status_ = FileStatus::Ok;
}

InputFile::~InputFile() {
    if (handle_) CloseHandle(file_of(handle_));
}

bool InputFile::read_at(std::uint64_t offset, void* into, std::size_t length) {
    if (status_ != FileStatus::Ok) return false;
    auto* at = static_cast<char*>(into);
    while (length > 0) {
        OVERLAPPED from{};
        from.Offset = static_cast<DWORD>(offset);
        from.OffsetHigh = static_cast<DWORD>(offset >> 32);
        const DWORD wanted = static_cast<DWORD>(length < CHUNK ? length : CHUNK);
        DWORD got = 0;
        if (!ReadFile(file_of(handle_), at, wanted, &got, &from) || got == 0) return false;
        at += got;
        offset += got;
        length -= got;
    }
    return true;
}

bool write_file(const std::string& path, std::initializer_list<Bytes> parts) {
    HANDLE file = create_for_writing(path);
    if (file == INVALID_HANDLE_VALUE) return false;
    bool written = true;
    for (const Bytes& part : parts) written = written && write_all(file, part.data, part.size);
    return CloseHandle(file) && written;
}

bool can_create_files_in(const std::string& folder) {
    const std::string probe = folder + "~tessary-" + std::to_string(GetCurrentProcessId()) + ".tmp";
    HANDLE file = CreateFileA(probe.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                              FILE_ATTRIBUTE_TEMPORARY | FILE_ATTRIBUTE_HIDDEN | FILE_FLAG_DELETE_ON_CLOSE, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    CloseHandle(file);
    return true;
}

bool make_folder(const std::string& folder) {
    CreateDirectoryA(folder.c_str(), nullptr);
    const DWORD attributes = GetFileAttributesA(folder.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool copy_file(const std::string& from, const std::string& to) {
    if (!CopyFileA(from.c_str(), to.c_str(), FALSE)) return false;
    // CopyFile carries the source's attributes over, the read-only one too.
    const DWORD attributes = GetFileAttributesA(to.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES &&
           (!(attributes & FILE_ATTRIBUTE_READONLY) ||
            SetFileAttributesA(to.c_str(), attributes & ~FILE_ATTRIBUTE_READONLY));
}

std::string temporary_path(const std::string& path) {
    return path + "." + std::to_string(GetCurrentProcessId()) + ".tmp";
}

bool replace_file(const std::string& path, const std::string& content) {
    // Windows refuses to move a file over a read-only one; Wine 8 does not.
    if (has_read_only_attribute(path)) return false;
    const std::string temporary = temporary_path(path);
    HANDLE file = create_for_writing(temporary);
    if (file == INVALID_HANDLE_VALUE) return false;
    // On the disk before it takes the old file's place, and the move written through.
    const bool flushed = write_all(file, content.data(), content.size()) && FlushFileBuffers(file);
    if (CloseHandle(file) && flushed &&
        MoveFileExA(temporary.c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
        return true;
    DeleteFileA(temporary.c_str());
    return false;
}

bool file_stamp(const std::string& path, FileStamp& stamp) {
    WIN32_FILE_ATTRIBUTE_DATA data{};
    if (!GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data) ||
        (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
        return false;
    stamp.size = (std::uint64_t{data.nFileSizeHigh} << 32) | data.nFileSizeLow;
    stamp.written = (std::uint64_t{data.ftLastWriteTime.dwHighDateTime} << 32) | data.ftLastWriteTime.dwLowDateTime;
    return true;
}
