#include "platform/Files.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <string>

#include "platform/AppError.h"

namespace quorvane {

const std::string_view kLineEnd = "\n";

namespace {

const char* DescriptionOf(int error_number) {
  switch (error_number) {
    case ENOENT:
    case ENOTDIR:
      return error_text::kPathNotFound;
    case EACCES:
    case EPERM:
    case EROFS:
    case ETXTBSY:
      return error_text::kPermissionDenied;
    case ENOSPC:
    case EFBIG:
    case EDQUOT:
      return error_text::kDiskFull;
    case EIO:
      return error_text::kDeviceIo;
    default:
      return error_text::kPathFileAccess;
  }
}

[[noreturn]] void ThrowFor(int error_number) { throw AppError(DescriptionOf(error_number)); }

class Descriptor {
 public:
  explicit Descriptor(int fd) : fd_(fd) {}
  ~Descriptor() {
    if (fd_ >= 0) ::close(fd_);
  }
  Descriptor(const Descriptor&) = delete;
  Descriptor& operator=(const Descriptor&) = delete;
  int get() const { return fd_; }
  // Closes now so that a failing close is seen; write errors on NFS appear here.
  int Close() {
    const int result = ::close(fd_);
    fd_ = -1;
    return result;
  }

 private:
  int fd_;
};

// Writes all of `bytes`; false with errno set when the system refuses part of it.
bool WriteAll(int fd, std::string_view bytes) {
  while (!bytes.empty()) {
    const ssize_t written = ::write(fd, bytes.data(), bytes.size());
    if (written < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    if (written == 0) {
      errno = ENOSPC;
      return false;
    }
    bytes.remove_prefix(static_cast<std::size_t>(written));
  }
  return true;
}

// Opened for reading too, to look at the last byte; a log its owner may write but
// not read is still appended to.
int OpenForAppending(const std::filesystem::path& file) {
  constexpr int kFlags = O_APPEND | O_CREAT | O_CLOEXEC;
  const int fd = ::open(file.c_str(), O_RDWR | kFlags, 0600);
  if (fd >= 0 || errno != EACCES) return fd;
  return ::open(file.c_str(), O_WRONLY | kFlags, 0600);
}

// True when the file's last line lacks its end, as a crash, a full disk or
// another program may leave it. A byte that cannot be read counts as a line end.
bool EndsInACutLine(int fd, const struct stat& info) {
  if (!S_ISREG(info.st_mode) || info.st_size == 0) return false;
  char last = '\n';
  return ::pread(fd, &last, 1, info.st_size - 1) == 1 && last != '\n';
}

}  // namespace

namespace {

// One write: the end of a cut last line, the header of an empty file, the line.
void Append(const std::filesystem::path& file, std::string_view header, std::string_view line) {
  Descriptor fd(OpenForAppending(file));
  if (fd.get() < 0) ThrowFor(errno);
  struct stat before {};
  if (::fstat(fd.get(), &before) != 0) ThrowFor(errno);
  if (S_ISDIR(before.st_mode)) ThrowFor(EISDIR);

  // The cut line is ended in the same write as the new line, so the new one is
  // readable and a failed write takes both back.
  const bool cut = EndsInACutLine(fd.get(), before);
  const bool with_header = !header.empty() && S_ISREG(before.st_mode) && before.st_size == 0;
  std::string record;
  record.reserve(header.size() + line.size() + 3 * kLineEnd.size());
  if (cut) record.append(kLineEnd);
  if (with_header) record.append(header).append(kLineEnd);
  record.append(line).append(kLineEnd);
  if (!WriteAll(fd.get(), record)) {
    const int error_number = errno;
    // Take back a partly written line, so the next one starts on a line of its own.
    if (S_ISREG(before.st_mode) && ::ftruncate(fd.get(), before.st_size) != 0) {
      // Nothing more can be done; the error below is what the user needs to know.
    }
    ThrowFor(error_number);
  }
  if (fd.Close() != 0) ThrowFor(errno);
}

}  // namespace

void AppendLine(const std::filesystem::path& file, std::string_view line) {
  Append(file, {}, line);
}

void AppendRecord(const std::filesystem::path& file, std::string_view header,
                  std::string_view record, WhileHeld /*while_held*/) {
  // Linux has no sharing modes: another program's open file never refuses the append.
  Append(file, header, record);
}

void ReplaceFileContents(const std::filesystem::path& file, std::string_view bytes) {
  // Write a new file beside it and rename it into place: rename replaces whatever
  // stands at the path (a symbolic link included) without following it.
  std::string temporary = (file.parent_path() / ("." + file.filename().string() + ".XXXXXX"));
  Descriptor fd(::mkostemp(temporary.data(), O_CLOEXEC));  // created 0600
  if (fd.get() < 0) ThrowFor(errno);
  const bool written = WriteAll(fd.get(), bytes);
  const int write_error = errno;
  const bool closed = fd.Close() == 0;
  if (!written || !closed) {
    const int error_number = written ? errno : write_error;
    ::unlink(temporary.c_str());
    ThrowFor(error_number);
  }
  if (::rename(temporary.c_str(), file.c_str()) != 0) {
    const int error_number = errno;
    ::unlink(temporary.c_str());
    ThrowFor(error_number);
  }
}

void PublishFile(const std::filesystem::path& file, std::string_view bytes) {
  std::filesystem::path temporary = file;
  temporary += ".tmp";
  // A fresh file, so that a link planted under the temporary name is replaced,
  // not written through.
  if (::unlink(temporary.c_str()) != 0 && errno != ENOENT) ThrowFor(errno);
  Descriptor fd(::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644));
  if (fd.get() < 0) ThrowFor(errno);
  // Readable by the collector's own account whatever the user's umask. No fsync:
  // after a crash an empty file is as good as a stale one, and a sample a second
  // would keep a laptop's disk awake.
  const bool written = ::fchmod(fd.get(), 0644) == 0 && WriteAll(fd.get(), bytes);
  const int write_error = errno;
  const bool closed = fd.Close() == 0;
  if (!written || !closed || ::rename(temporary.c_str(), file.c_str()) != 0) {
    const int error_number = !written ? write_error : errno;
    ::unlink(temporary.c_str());
    ThrowFor(error_number);
  }
}

}  // namespace quorvane
