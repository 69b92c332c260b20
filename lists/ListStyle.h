// The styles of a list pane, valued as the style bits of a list control.
#pragma once

namespace lists {

enum class ListStyle : int { kIcon = 0, kReport = 1, kSmallIcon = 2, kList = 3 };

}  // namespace lists
