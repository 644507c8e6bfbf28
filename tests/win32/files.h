#pragma once

#include <windows.h>

#include <string>

// Small file helpers for tests on the real file system, in ANSI paths.

inline bool Exists(const std::string& path) {
  return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

inline bool IsFolder(const std::string& path) {
  const DWORD attributes = GetFileAttributesA(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES &&
         (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

inline std::string ReadBytes(const std::string& path) {
  HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ,
                            nullptr, OPEN_EXISTING, 0, nullptr);
  if (file == INVALID_HANDLE_VALUE) return "<unreadable>";
  std::string bytes;
  char chunk[4096];
  DWORD count = 0;
  while (ReadFile(file, chunk, sizeof chunk, &count, nullptr) && count > 0)
    bytes.append(chunk, count);
  CloseHandle(file);
  return bytes;
}

inline bool WriteBytes(const std::string& path, const std::string& bytes) {
  HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr,
                            CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  DWORD written = 0;
  const BOOL ok = WriteFile(
      file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
  return CloseHandle(file) && ok && written == bytes.size();
}

// Removes a file, or a folder with the files in it (one level is enough here).
inline void RemoveTree(const std::string& path) {
  SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
  if (!IsFolder(path)) {
    DeleteFileA(path.c_str());
    return;
  }
  WIN32_FIND_DATAA found;
  HANDLE search = FindFirstFileA((path + "\\*").c_str(), &found);
  if (search != INVALID_HANDLE_VALUE) {
    do {
      const std::string name = found.cFileName;
      if (name == "." || name == "..") continue;
      RemoveTree(path + "\\" + name);
    } while (FindNextFileA(search, &found));
    FindClose(search);
  }
  RemoveDirectoryA(path.c_str());
}

inline std::string CurrentFolder() {
  char folder[MAX_PATH] = "";
  GetCurrentDirectoryA(MAX_PATH, folder);
  return folder;
}

inline std::string ModuleFolder() {
  char path[MAX_PATH] = "";
  GetModuleFileNameA(nullptr, path, MAX_PATH);
  std::string folder = path;
  return folder.substr(0, folder.find_last_of('\\'));
}
