// Ordering of the directory list's rows: a sort key made of a column and a
// direction, and the comparison of two records under that key.
#pragma once

#include <cstdint>

#include "lists/DirRecord.h"

namespace lists {

// Column index in the low 16 bits, direction (+1 or -1, signed) in the
// high 16 bits.
std::int32_t DirSortParam(int column, int direction);

// Negative when a goes first. Paths compare as the runtime's case-insensitive
// comparison does (ASCII letters folded, other bytes by value); counts by
// their signed 32-bit difference; sizes are never reported equal: equal
// sizes give -direction. The sort must therefore cope with a comparison that
// is not an ordering (see SortDirRows).
int CompareDirRows(const CDirRecord& a, const CDirRecord& b, std::int32_t sortParam);

// Byte-wise comparison with ASCII letters folded to lower case.
int CompareNoCaseAscii(const char* a, const char* b);

// CompareNoCaseAscii of the two records' full paths, without building
// them: the names below their common ancestor are compared. The sign is
// what counts.
int CompareDirPaths(const CDirRecord& a, const CDirRecord& b);

}  // namespace lists
