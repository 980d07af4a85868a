#include "savegame/readfile.h"

#include <algorithm>
#include <fstream>
#include <system_error>

namespace vantirelle {

FileBytes readRegularFile(const std::filesystem::path& path, std::size_t limit)
{
    namespace fs = std::filesystem;
    FileBytes result;
    std::error_code error;
    const fs::file_status status = fs::status(path, error);
    if (error) {
        result.error = error.message() + ".";
        return result;
    }
    if (status.type() != fs::file_type::regular) {
        result.error = "It is " + describeNonRegular(status.type())
                       + ", not a saved game file; only regular files are opened.";
        return result;
    }
    const auto sizeBefore = fs::file_size(path, error);
    const auto timeBefore = fs::last_write_time(path, error);
    if (error) {
        result.error = error.message() + ".";
        return result;
    }

    // Read twice: a file rewritten while it is read shows as two readings that differ,
    // even where its time stamp is too coarse to tell.
    const std::size_t wanted = sizeBefore < limit ? static_cast<std::size_t>(sizeBefore) : limit;
    auto readOnce = [&](std::vector<std::uint8_t>& bytes) {
        std::ifstream file(path, std::ios::binary);
        bytes.resize(wanted);
        file.read(reinterpret_cast<char*>(bytes.data()), static_cast<std::streamsize>(wanted));
        bytes.resize(file ? wanted : static_cast<std::size_t>(std::max<std::streamsize>(0, file.gcount())));
        return file.good() || file.eof();
    };
    std::vector<std::uint8_t> again;
    if (!readOnce(result.bytes) || !readOnce(again)) {
        result.bytes.clear();
        result.error = "The file cannot be read.";
        return result;
    }
    const std::size_t got = result.bytes == again ? result.bytes.size() : wanted + 1;

    const auto sizeAfter = fs::file_size(path, error);
    const auto timeAfter = fs::last_write_time(path, error);
    if (error || got != wanted || sizeAfter != sizeBefore || timeAfter != timeBefore) {
        result.bytes.clear();
        result.error = "The file changed while it was being read; nothing was opened. Try again once it has "
                       "stopped changing.";
    }
    return result;
}

} // namespace vantirelle
