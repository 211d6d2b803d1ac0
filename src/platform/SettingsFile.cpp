#include "platform/SettingsFile.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace trvx {
namespace fs = std::filesystem;

namespace {

std::string Failure(const std::string& what, const fs::path& path, int err) {
    return what + " " + path.string() + ": " + std::strerror(err);
}

// The file a link leads to; the path itself when it is no link.
fs::path Target(const fs::path& path) {
    std::error_code ec;
    fs::path target = path;
    for (int hops = 0; hops < 16 && fs::is_symlink(target, ec); ++hops) {
        const fs::path next = fs::read_symlink(target, ec);
        if (ec)
            break;
        target = next.is_absolute() ? next : target.parent_path() / next;
    }
    return target;
}

bool WriteAll(int fd, const std::string& text) {
    std::size_t done = 0;
    while (done < text.size()) {
        const ssize_t n = write(fd, text.data() + done, text.size() - done);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        done += static_cast<std::size_t>(n);
    }
    return true;
}

} // namespace

std::optional<SettingsFileText> ReadSettingsFile(const fs::path& path, std::string& error) {
    SettingsFileText file;
    const int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        if (errno == ENOENT)
            return file;
        error = Failure("cannot read", path, errno);
        return std::nullopt;
    }
    file.exists = true;
    char buffer[8192];
    for (;;) {
        const ssize_t n = read(fd, buffer, sizeof buffer);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0) {
            error = Failure("cannot read", path, errno);
            close(fd);
            return std::nullopt;
        }
        if (n == 0)
            break;
        file.text.append(buffer, static_cast<std::size_t>(n));
    }
    close(fd);
    return file;
}

bool WriteSettingsFile(const fs::path& path, const std::string& text, std::string& error) {
    const fs::path target = Target(path);
    const fs::path folder = target.parent_path().empty() ? fs::path(".") : target.parent_path();
    std::error_code ec;
    fs::create_directories(folder, ec);
    if (ec) {
        error = Failure("cannot make the folder", folder, ec.value());
        return false;
    }
    mode_t mode = S_IRUSR | S_IWUSR;
    struct stat old {};
    if (stat(target.c_str(), &old) == 0) {
        if (!S_ISREG(old.st_mode)) {
            error = Failure("cannot replace", target, EISDIR);
            return false;
        }
        mode = old.st_mode & 07777;
    }
    std::string temp = (folder / ("." + target.filename().string() + ".XXXXXX")).string();
    const int fd = mkostemp(temp.data(), O_CLOEXEC);
    if (fd < 0) {
        error = Failure("cannot write beside", target, errno);
        return false;
    }
    bool ok = fchmod(fd, mode) == 0 && WriteAll(fd, text) && fsync(fd) == 0;
    int err = errno;
    if (close(fd) != 0 && ok) {
        ok = false;
        err = errno;
    }
    if (ok && rename(temp.c_str(), target.c_str()) != 0) {
        ok = false;
        err = errno;
    }
    if (!ok) {
        unlink(temp.c_str());
        error = Failure("cannot write", target, err);
        return false;
    }
    // The rename itself reaches the disk with the folder.
    const int dir = open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dir >= 0) {
        fsync(dir);
        close(dir);
    }
    return true;
}

} // namespace trvx
