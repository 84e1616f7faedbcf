#include <windows.h>

#include "storage/paths.h"
#include "storage/run_directory.h"

namespace {
UINT startCodePage = CP_ACP;
bool IsStartCodePageLeadByte(unsigned char byte) { return IsDBCSLeadByteEx(startCodePage, byte) != FALSE; }
}  // namespace

void DetermineRunDirectory() {
  char path[MAX_PATH] = {};
  const DWORD length = GetModuleFileNameA(nullptr, path, MAX_PATH);
  startCodePage = GetACP();
  CPINFO info = {};
  const bool doubleByte = GetCPInfo(startCodePage, &info) && info.MaxCharSize > 1;
  SetRunDirectory(DirectoryOfPath(std::string_view(path, length < MAX_PATH ? length : 0),
                                  doubleByte ? IsStartCodePageLeadByte : nullptr));
  // "C:" alone would name the drive's current folder, not its root.
  const Text folder = RunDirectory();
  const Text current = folder.size() == 2 && folder[1] == ':' ? folder + "\\" : folder;
  if (!current.empty()) SetCurrentDirectoryA(current.c_str());
}

bool IsAnsiLeadByte(unsigned char byte) { return IsDBCSLeadByte(byte) != FALSE; }
