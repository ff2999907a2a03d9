// What every platform's file helper shares: whole files and file starts.
#include "files/files.h"

FileStatus read_file(const std::string& path, std::uint64_t max_bytes, std::vector<std::uint8_t>& bytes) {
    bytes.clear();
    InputFile file(path);
    if (file.status() != FileStatus::Ok) return file.status();
    if (file.size() > max_bytes || file.size() > bytes.max_size()) return FileStatus::TooLarge;
    bytes.resize(static_cast<std::size_t>(file.size()));
    if (!file.read_at(0, bytes.data(), bytes.size())) {
        bytes.clear();
        return FileStatus::Unreadable;
    }
    return FileStatus::Ok;
}

FileStatus read_file_start(const std::string& path, std::size_t max_bytes, std::string& bytes) {
    bytes.clear();
    InputFile file(path);
    if (file.status() != FileStatus::Ok) return file.status();
    bytes.resize(file.size() < max_bytes ? static_cast<std::size_t>(file.size()) : max_bytes);
    if (!file.read_at(0, bytes.data(), bytes.size())) {
        bytes.clear();
        return FileStatus::Unreadable;
    }
    return FileStatus::Ok;
}
