#include "savegame/readfile.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace vantirelle {

namespace {

std::string systemError(int error)
{
    return std::strerror(error) + std::string(".");
}

std::string notRegular(const std::string& kind)
{
    return "It is " + kind + ", not a saved game file; only regular files are opened.";
}

bool sameFile(const struct stat& a, const struct stat& b)
{
    return a.st_dev == b.st_dev && a.st_ino == b.st_ino && a.st_size == b.st_size
           && a.st_mtim.tv_sec == b.st_mtim.tv_sec && a.st_mtim.tv_nsec == b.st_mtim.tv_nsec;
}

// Reads up to `wanted` bytes from the start of the file; fewer where it ends sooner.
bool readAt(int fd, std::size_t wanted, std::vector<std::uint8_t>& bytes)
{
    bytes.resize(wanted);
    std::size_t got = 0;
    while (got < wanted) {
        const ssize_t n = ::pread(fd, bytes.data() + got, wanted - got, static_cast<off_t>(got));
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            return false;
        if (n == 0)
            break;
        got += static_cast<std::size_t>(n);
    }
    bytes.resize(got);
    return true;
}

class Descriptor {
public:
    explicit Descriptor(int fd) : m_fd(fd) {}
    ~Descriptor()
    {
        if (m_fd >= 0)
            ::close(m_fd);
    }
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
    int get() const { return m_fd; }

private:
    int m_fd;
};

} // namespace

FileBytes readRegularFile(const std::filesystem::path& path, std::size_t limit)
{
    FileBytes result;
    struct stat before {};
    if (::stat(path.c_str(), &before) != 0) {
        result.error = systemError(errno);
        return result;
    }
    if (!S_ISREG(before.st_mode)) {
        result.error = notRegular(describeNonRegular(std::filesystem::status(path).type()));
        return result;
    }

    // Without O_NONBLOCK, a regular file swapped for a named pipe in the meantime would
    // block here until some writer came along.
    const Descriptor file(::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC));
    if (file.get() < 0) {
        result.error = systemError(errno);
        return result;
    }
    struct stat opened {};
    if (::fstat(file.get(), &opened) != 0) {
        result.error = systemError(errno);
        return result;
    }
    if (!S_ISREG(opened.st_mode)) {
        result.error = notRegular("no longer a regular file");
        return result;
    }

    const auto wanted = static_cast<std::size_t>(opened.st_size) < limit ? static_cast<std::size_t>(opened.st_size)
                                                                          : limit;
    // Read twice: a file rewritten while it is read shows as two readings that differ,
    // even where its time stamp is too coarse to tell.
    std::vector<std::uint8_t> again;
    if (!readAt(file.get(), wanted, result.bytes) || !readAt(file.get(), wanted, again)) {
        result.bytes.clear();
        result.error = systemError(errno);
        return result;
    }
    struct stat after {};
    if (::fstat(file.get(), &after) != 0 || result.bytes.size() != wanted || again != result.bytes
        || !sameFile(opened, after)) {
        result.bytes.clear();
        result.error = "The file changed while it was being read; nothing was opened. Try again once it has "
                       "stopped changing.";
    }
    return result;
}

} // namespace vantirelle
