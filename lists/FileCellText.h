// The cell texts of the file list, made when they are drawn, printed or
// exported.
#pragma once

#include <cstdint>
#include <string>

#include "lists/FileRecord.h"

namespace lists {

inline constexpr int kFileColumnCount = 6;

// The letters O C T A S H R, in that order, of the attribute bits that are
// set; nothing for any other bit.
void AttributeLetters(std::uint32_t attributes, std::string& out);

// "dd.mm.yyyy  hh:mm:ss" in local time with the zone offset in force at
// that time; empty for a time that cannot be converted (0 included).
void FileTimeText(platform::FileTime time, std::string& out);

// The text of one column (0-5) of a record; empty for other columns.
void FileCellText(const CFileRecord& record, int column, std::string& out);

}  // namespace lists
