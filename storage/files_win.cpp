#include "storage/files.h"

#include <windows.h>

#include <cstdio>
#include <new>
#include <vector>

#include "storage/allocation.h"
#include "storage/paths.h"
#include "storage/run_directory.h"

namespace {

// Closes a file handle on every path out of a function.
class FileHandle {
 public:
  explicit FileHandle(HANDLE handle) : handle_(handle) {}
  ~FileHandle() { Close(); }
  FileHandle(const FileHandle&) = delete;
  FileHandle& operator=(const FileHandle&) = delete;
  bool IsOpen() const { return handle_ != INVALID_HANDLE_VALUE; }
  HANDLE Get() const { return handle_; }
  bool Close() {
    if (!IsOpen()) return true;
    const bool closed = CloseHandle(handle_) != FALSE;
    handle_ = INVALID_HANDLE_VALUE;
    return closed;
  }

 private:
  HANDLE handle_;
};

// A name in the target's own folder that no other save uses at the same moment.
Text TemporaryNameFor(const Text& target) {
  static unsigned counter = 0;
  char suffix[48];
  std::snprintf(suffix, sizeof suffix, ".%lx-%u.tmp", GetCurrentProcessId(), ++counter);
  return JoinTexts({target, suffix});
}

// Removes the temporary files an earlier save of the same target left behind when its process
// was killed before the move. One that another save still has open cannot be deleted, since it
// is open without sharing, and stays.
void RemoveLeftTemporaries(const Text& target) {
  const Text folder = DirectoryOfPath(target, IsAnsiLeadByte);
  WIN32_FIND_DATAA found;
  const HANDLE search = FindFirstFileA(JoinTexts({target, ".*-*.tmp"}).c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) return;
  do {
    if ((found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0) continue;
    const Text left = folder.empty() ? Text(found.cFileName) : JoinTexts({folder, "\\", found.cFileName});
    DeleteFileA(left.c_str());
  } while (FindNextFileA(search, &found));
  FindClose(search);
}

bool WriteAll(HANDLE file, std::string_view bytes) {
  if (bytes.empty()) return true;
  DWORD written = 0;
  const DWORD length = static_cast<DWORD>(bytes.size());
  return WriteFile(file, bytes.data(), length, &written, nullptr) != FALSE && written == length;
}

}  // namespace

bool PathExists(const Text& path) {
  if (path.empty()) return false;
  WIN32_FIND_DATAA found;
  const HANDLE search = FindFirstFileA(path.c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) return false;
  FindClose(search);
  return true;
}

bool CreateFolder(const Text& path) {
  return !path.empty() && CreateDirectoryA(path.c_str(), nullptr) != FALSE;
}

Bytes ReadWholeFile(const Text& path) {
  if (path.empty()) return {};
  FileHandle file(CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file.IsOpen()) return {};
  const DWORD start = SetFilePointer(file.Get(), 0, nullptr, FILE_CURRENT);
  const DWORD end = SetFilePointer(file.Get(), 0, nullptr, FILE_END);
  SetFilePointer(file.Get(), static_cast<LONG>(start), nullptr, FILE_BEGIN);
  const LONG length = static_cast<LONG>(end);
  if (end == INVALID_SET_FILE_POINTER || length <= 0) return {};

  Bytes bytes;
  try {
    TolerateAllocationFailure tolerate;
    bytes.resize(static_cast<size_t>(length));
  } catch (const std::bad_alloc&) {
    return {};
  }
  DWORD read = 0;
  if (!ReadFile(file.Get(), bytes.data(), static_cast<DWORD>(length), &read, nullptr)) return {};
  bytes.resize(read);
  return bytes;
}

namespace {

// WriteWholeFile for the pieces one after the other.
bool WritePieces(const Text& path, const std::string_view* pieces, size_t count) {
  if (path.empty()) return false;
  // Windows refuses to replace a read-only file; Wine running as root would not, so the
  // attribute is honoured here. A folder of that name is refused too.
  const DWORD attributes = GetFileAttributesA(path.c_str());
  if (attributes != INVALID_FILE_ATTRIBUTES &&
      (attributes & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_DIRECTORY)) != 0) {
    return false;
  }

  const Text temporary = TemporaryNameFor(path);
  FileHandle file(CreateFileA(temporary.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                              FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file.IsOpen()) return false;
  bool written = true;
  for (size_t i = 0; i < count && written; ++i) written = WriteAll(file.Get(), pieces[i]);
  written = written && FlushFileBuffers(file.Get()) != FALSE;
  written = file.Close() && written;
  if (written &&
      MoveFileExA(temporary.c_str(), path.c_str(),
                  MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != FALSE) {
    RemoveLeftTemporaries(path);
    return true;
  }
  DeleteFileA(temporary.c_str());
  return false;
}

}  // namespace

bool WriteWholeFile(const Text& path, std::initializer_list<const Bytes*> data) {
  std::vector<std::string_view> pieces;
  pieces.reserve(data.size());
  for (const Bytes* bytes : data) {
    pieces.emplace_back(reinterpret_cast<const char*>(bytes->data()), bytes->size());
  }
  return WritePieces(path, pieces.data(), pieces.size());
}

bool WriteWholeFile(const Text& path, std::string_view bytes) { return WritePieces(path, &bytes, 1); }
