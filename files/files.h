// The game's one way to the disk: every file it reads or writes goes through here.
//
// Paths are ANSI text in the user's code page, exactly as Windows hands them to
// the program (its own path, the file dialog), and stay so down to the system's
// ANSI file calls: a folder whose name has letters outside ASCII works like any
// other. Readers share the file with other readers, writers and deleters, and a reader
// says how large a file it is prepared to take. A file with the read-only attribute
// is never written over, replaced or copied onto, as on Windows.
#pragma once

#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <string>
#include <vector>

enum class FileStatus {
    Ok,
    Missing,     // no such file (or folder on the way)
    Unreadable,  // there, but cannot be opened or read (a folder, locked, no rights)
    TooLarge,    // larger than the reader takes
};

// A file open for reading until this goes away.
class InputFile {
public:
    explicit InputFile(const std::string& path);
    ~InputFile();
    InputFile(const InputFile&) = delete;
    InputFile& operator=(const InputFile&) = delete;

    // Ok once open.
    FileStatus status() const { return status_; }
    std::uint64_t size() const { return size_; }
    // Exactly length bytes from offset; false when the file holds fewer.
    bool read_at(std::uint64_t offset, void* into, std::size_t length);

private:
    FileStatus status_ = FileStatus::Unreadable;
    std::uint64_t size_ = 0;
    void* handle_ = nullptr;
};

// The whole file, when it holds at most max_bytes (an empty file is Ok).
FileStatus read_file(const std::string& path, std::uint64_t max_bytes, std::vector<std::uint8_t>& bytes);

// Up to max_bytes from the start of the file, however long it is.
FileStatus read_file_start(const std::string& path, std::size_t max_bytes, std::string& bytes);

// A run of bytes to write.
struct Bytes {
    const void* data;
    std::size_t size;
};

// Creates or truncates path and writes the parts one after another; false when
// any of that fails (a part may then be on disk).
bool write_file(const std::string& path, std::initializer_list<Bytes> parts);

// Whether a new file can be made in folder (a path ending in a backslash, or
// empty for the current folder), tried with a file that is gone again at once.
bool can_create_files_in(const std::string& folder);

// Makes the folder unless it is there; false when it is not there afterwards.
bool make_folder(const std::string& folder);

// Copies the file from over the file to, which is replaced when it exists. The
// copy is left writable: a read-only attribute the source carries (files from a
// CD, from some archivers) does not come with it.
bool copy_file(const std::string& from, const std::string& to);

// The temporary file beside path that replace_file writes first: a name of this
// process's own, so that two copies of the game saving at once never write into
// one file.
std::string temporary_path(const std::string& path);

// Puts content in path's place so that a crash or power cut at any moment
// leaves either the old file or the whole new one: written to a temporary file
// beside it and flushed to the disk first, then moved over the old one with
// the move itself written through. False, with path untouched and no temporary
// file left, when that fails - also when path has the read-only attribute.
bool replace_file(const std::string& path, const std::string& content);

// What tells one version of a file from the next without reading it.
struct FileStamp {
    std::uint64_t size = 0;
    std::uint64_t written = 0;  // when it was last written, in the system's own units
    friend bool operator==(const FileStamp& a, const FileStamp& b) { return a.size == b.size && a.written == b.written; }
    friend bool operator!=(const FileStamp& a, const FileStamp& b) { return !(a == b); }
};

// The stamp of the file at path; false when there is no such file.
bool file_stamp(const std::string& path, FileStamp& stamp);
