#pragma once
// Where the program keeps its files: everything lies beside the executable.
#include "storage/text.h"

// The folder that holds a path's last component, without the trailing backslash: the path
// before its last separator, walking it character by character so that the second byte of a
// double-byte character is never taken for a backslash. isLeadByte tells the lead bytes of the
// ANSI code page; pass nullptr for a single-byte code page. No separator gives the empty text.
Text DirectoryOfPath(std::string_view path, bool (*isLeadByte)(unsigned char));

// Lead bytes of code page 936 (GBK): 0x81 to 0xFE.
bool IsCodePage936LeadByte(unsigned char byte);

// Fixed once at start-up; every call returns a new copy.
void SetRunDirectory(std::string_view folder);
Text RunDirectory();

Text DataDir();       // RunDirectory + "\Data"
Text NoteFile();      // RunDirectory + "\Data\preserve.txt"
Text SettingsFile();  // RunDirectory + "\config.ini"

// The file an export writes: the name itself when it already ends in ".txt" in any letter case,
// otherwise the name with ".txt" appended.
Text ExportTarget(const Text& fileName);
