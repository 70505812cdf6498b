#include "logdata/AtomicFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <filesystem>
#include <ostream>
#include <random>
#include <streambuf>
#include <system_error>
#include <vector>

namespace {

constexpr int kSuffixLength = 6;
constexpr int kNameAttempts = 100;
constexpr std::size_t kBufferSize = 64 * 1024;

// A file nobody else uses, "<folder>/.<name>.<random>", removed again when it
// goes out of scope unless it was renamed into place. Hidden and without the
// log extension, so neither the file list nor a user mistakes it for a log.
class TemporaryFile {
public:
    // Leaves fd() negative with errno set when no file could be made.
    explicit TemporaryFile(const std::string& target) {
        static const char kChars[] =
            "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";
        thread_local std::mt19937 random{std::random_device{}()};
        std::uniform_int_distribution<std::size_t> pick(0, sizeof kChars - 2);
        const auto slash = target.rfind('/');
        const std::string prefix =
            target.substr(0, slash + 1) + "." + target.substr(slash + 1) + ".";
        for (int attempt = 0; attempt < kNameAttempts; ++attempt) {
            std::string path = prefix;
            for (int i = 0; i < kSuffixLength; ++i) path += kChars[pick(random)];
            // 0666 lets the umask decide, as for any other file the user makes.
            fd_ = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
            if (fd_ >= 0) {
                path_ = std::move(path);
                return;
            }
            if (errno != EEXIST) return;
        }
    }
    ~TemporaryFile() {
        if (fd_ >= 0) ::close(fd_);
        if (!path_.empty()) ::unlink(path_.c_str());
    }
    TemporaryFile(const TemporaryFile&) = delete;
    TemporaryFile& operator=(const TemporaryFile&) = delete;

    int fd() const { return fd_; }

    // Flushes the content to the disk and closes the file; 0 or the errno.
    int sync() {
        int error = ::fsync(fd_) == 0 ? 0 : errno;
        if (::close(fd_) != 0 && error == 0) error = errno;
        fd_ = -1;
        return error;
    }

    // 0 or the errno; after success the file is the target's and stays.
    int renameTo(const std::string& target) {
        if (::rename(path_.c_str(), target.c_str()) != 0) return errno;
        path_.clear();
        return 0;
    }

private:
    int fd_ = -1;
    std::string path_;
};

// An output buffer onto a file descriptor that keeps the first error.
class DescriptorBuffer : public std::streambuf {
public:
    explicit DescriptorBuffer(int fd) : fd_(fd), buffer_(kBufferSize) {
        setp(buffer_.data(), buffer_.data() + buffer_.size());
    }
    int error() const { return error_; }

protected:
    int_type overflow(int_type ch) override {
        if (!drain()) return traits_type::eof();
        if (!traits_type::eq_int_type(ch, traits_type::eof())) {
            *pptr() = traits_type::to_char_type(ch);
            pbump(1);
        }
        return traits_type::not_eof(ch);
    }
    int sync() override { return drain() ? 0 : -1; }

private:
    bool drain() {
        if (error_ != 0) return false;
        const char* next = pbase();
        while (next < pptr()) {
            const ssize_t done = ::write(fd_, next, static_cast<std::size_t>(pptr() - next));
            if (done < 0 && errno == EINTR) continue;
            if (done <= 0) {
                error_ = done < 0 ? errno : EIO;
                return false;
            }
            next += done;
        }
        setp(buffer_.data(), buffer_.data() + buffer_.size());
        return true;
    }

    int fd_;
    int error_ = 0;
    std::vector<char> buffer_;
};

// Runs the writer onto the open file; 0 or the error that stopped it.
int fill(int fd, const FileWriter& write) {
    DescriptorBuffer buffer(fd);
    std::ostream out(&buffer);
    const bool written = write(out);
    out.flush();
    if (buffer.error() != 0) return buffer.error();
    return written && out ? 0 : ECANCELED;
}

// Saving through a symbolic link replaces the file it points to, not the link.
std::string resolvedTarget(const std::string& path) {
    std::error_code ec;
    if (!std::filesystem::is_symlink(path, ec)) return path;
    const std::filesystem::path target = std::filesystem::canonical(path, ec);
    return ec ? path : target.string();
}

void keepPermissions(const std::string& target, int fd) {
    struct stat old {};
    // Should this fail, the file gets the mode of any new file, which does no harm.
    if (::stat(target.c_str(), &old) == 0 && S_ISREG(old.st_mode))
        ::fchmod(fd, old.st_mode & 07777);
}

// Makes the rename itself last through a power cut. The new file is in place
// already, so a failure here changes nothing the caller could act on.
void syncFolder(const std::string& target) {
    const std::string folder = std::filesystem::path(target).parent_path().string();
    const int fd =
        ::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return;
    ::fsync(fd);
    ::close(fd);
}

}  // namespace

int writeFileAtomically(const std::string& path, const FileWriter& write) {
    const std::string target = resolvedTarget(path);
    TemporaryFile file(target);
    if (file.fd() < 0) return errno;
    keepPermissions(target, file.fd());
    int error = fill(file.fd(), write);
    if (error == 0) error = file.sync();
    if (error == 0) error = file.renameTo(target);
    if (error == 0) syncFolder(target);
    return error;
}

int folderWriteError(const std::string& folder) {
    const std::string probe = folder.empty() || folder.back() == '/' ? folder : folder + "/";
    TemporaryFile file(probe + "probe");
    return file.fd() < 0 ? errno : 0;
}
