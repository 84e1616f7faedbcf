#pragma once
// The file operations: each opens, works and closes within the call; none reports an error
// beyond its result.
#include "storage/text.h"

// True when the path names an existing file or folder.
bool PathExists(const Text& path);

// Creates the path's last component as a folder; true only when this call created it.
bool CreateFolder(const Text& path);

// The whole file, read with one call while others may read but not write it. A missing,
// unreadable or empty file, or one too large for memory, gives no bytes.
Bytes ReadWholeFile(const Text& path);

// Replaces the file with exactly the given bytes, or leaves it exactly as it was. The bytes go
// to a new file beside the target first, which is flushed and then put in the target's place in
// one step, so a full disk, a write error or a killed process never leaves a partial file. A
// read-only target, a target another process holds open, or an empty path gives false.
bool WriteWholeFile(const Text& path, std::initializer_list<const Bytes*> data);

// The same for the bytes of one text, without its terminating zero, written from the text
// itself: a note of several MiB is not copied on its way to the file.
bool WriteWholeFile(const Text& path, std::string_view bytes);
