// The folder that keeps exported workbooks for the program that shows them.
#pragma once

#include <filesystem>
#include <system_error>

namespace output {

// "kolbrin" in the user's cache folder, made (for this user only) when it
// is missing; workbooks of earlier exports older than a day are removed
// from it. Sets error and returns an empty path when it cannot be made.
std::filesystem::path PrepareWorkbookFolder(std::error_code& error);

}  // namespace output
