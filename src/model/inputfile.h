#pragma once

#include <cstddef>
#include <string>

namespace kinetra {

/// A file open for reading. Failures throw RuntimeError: 53 file not found, 70 permission
/// denied, 57 device I/O error, 75 otherwise.
class InputFile
{
public:
    /// Opens `path` for reading.
    explicit InputFile(const std::string &path);
    ~InputFile();
    InputFile(const InputFile &) = delete;
    InputFile &operator=(const InputFile &) = delete;

    /// Reads up to `capacity` bytes into `data`; returns how many, 0 at the end of the file.
    size_t read(char *data, size_t capacity);

private:
    int m_fd = -1;
};

/// The contents of the file at `path`, at most `limit` bytes; failures as InputFile's.
std::string readFileBytes(const std::string &path, size_t limit = std::string::npos);

} // namespace kinetra
