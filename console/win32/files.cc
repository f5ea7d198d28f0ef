#include "console/files.h"

#include <string_view>

#include "console/line_reader.h"
#include "console/win32/platform.h"

namespace korvante {

namespace {

// A handle kept in TextFile's int: Windows' handles keep their value when
// cut to 32 bits and sign-extended back, and -1 stays INVALID_HANDLE_VALUE.
HANDLE handle_of(const TextFile& file) { return LongToHandle(file.handle); }

// Whether `path` names a device rather than a file on a disk: CON, NUL,
// COM1, LPT1 with or without an extension (in any folder), or a path in
// the device namespace "\\.\". Opening one can act on it, or wait.
bool names_a_device(const std::wstring& path) {
  if (path.rfind(L"\\\\.\\", 0) == 0) return true;
  const DWORD length = GetFullPathNameW(path.c_str(), 0, nullptr, nullptr);
  if (length == 0) return false;
  std::wstring full(length, L'\0');
  full.resize(GetFullPathNameW(path.c_str(), length, full.data(), nullptr));
  return full.rfind(L"\\\\.\\", 0) == 0;
}

bool missing(DWORD error) { return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND; }

constexpr DWORD share_all = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;

// What a symbolic link or junction leads to, opened only to be asked.
PathKind kind_of_link_target(const std::wstring& path) {
  const HANDLE target =
      CreateFileW(path.c_str(), 0, share_all, nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
  if (target == INVALID_HANDLE_VALUE) return missing(GetLastError()) ? PathKind::broken_link : PathKind::unknown;
  BY_HANDLE_FILE_INFORMATION info{};
  const bool known = GetFileInformationByHandle(target, &info) != 0;
  const DWORD type = GetFileType(target);
  CloseHandle(target);
  if (!known) return PathKind::unknown;
  if (type != FILE_TYPE_DISK) return PathKind::not_a_file;
  return (info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0 ? PathKind::folder : PathKind::readable_file;
}

bool same_ignoring_case(std::wstring_view a, std::wstring_view b) {
  return CompareStringOrdinal(a.data(), static_cast<int>(a.size()), b.data(), static_cast<int>(b.size()), TRUE) ==
         CSTR_EQUAL;
}

}  // namespace

std::optional<TextFile> open_for_reading(const std::string& path) {
  const std::wstring name = platform::wide(path);
  if (names_a_device(name)) return std::nullopt;
  const DWORD attributes = GetFileAttributesW(name.c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0) return std::nullopt;
  const HANDLE file =
      CreateFileW(name.c_str(), GENERIC_READ, share_all, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return std::nullopt;
  if (GetFileType(file) != FILE_TYPE_DISK) {
    CloseHandle(file);
    return std::nullopt;
  }
  return TextFile{HandleToLong(file)};
}

std::optional<std::string> read_first_line(TextFile& file, std::size_t max_chars) {
  char chunk[512];
  DWORD filled = 0;
  DWORD at = 0;
  ByteStream in{[&]() -> int {
    if (at == filled) {
      at = 0;
      if (!ReadFile(handle_of(file), chunk, sizeof chunk, &filled, nullptr) || filled == 0) {
        filled = 0;
        return -1;
      }
    }
    return static_cast<unsigned char>(chunk[at++]);
  }};
  std::string line;
  if (read_text_line(in, line, max_chars, LineRest::leave) == LineRead::ended) return std::nullopt;
  return line;
}

void close_file(TextFile& file) {
  if (file.handle != -1) CloseHandle(handle_of(file));
  file.handle = -1;
}

PathKind examine_path(const std::string& path) {
  const std::wstring name = platform::wide(path);
  // Only a regular file is opened: opening a device can act on it.
  if (names_a_device(name)) return PathKind::not_a_file;
  DWORD attributes = GetFileAttributesW(name.c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES) return missing(GetLastError()) ? PathKind::nothing : PathKind::unknown;
  if ((attributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0) {
    const PathKind target = kind_of_link_target(name);
    if (target != PathKind::readable_file) return target;
  } else if ((attributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
    return PathKind::folder;
  } else if ((attributes & FILE_ATTRIBUTE_DEVICE) != 0) {
    return PathKind::not_a_file;
  }
  std::optional<TextFile> file = open_for_reading(path);
  if (!file) return PathKind::unreadable;
  close_file(*file);
  return PathKind::readable_file;
}

// The disk is asked for the one entry of that name, which it matches
// without regard to case and gives back as it lies there.
std::string find_ignoring_case(const std::string& folder, const std::string& name) {
  if (name.find_first_of("*?") != std::string::npos) return folder + name;
  const std::wstring wanted = platform::wide(name);
  WIN32_FIND_DATAW entry{};
  const HANDLE search = FindFirstFileW(platform::wide(folder + name).c_str(), &entry);
  if (search == INVALID_HANDLE_VALUE) return folder + name;
  FindClose(search);
  // A match through the entry's short 8.3 name is another file.
  if (!same_ignoring_case(entry.cFileName, wanted)) return folder + name;
  return folder + platform::narrow(entry.cFileName);
}

}  // namespace korvante
