#include "framework/CommandFailure.h"

#include <new>
#include <stdexcept>
#include <string>

#include "framework/MessageBox.h"
#include "framework/StringTable.h"

namespace fw {

void ReportFailure(const std::exception_ptr& failure) {
  std::string what;
  try {
    std::rethrow_exception(failure);
  } catch (const std::bad_alloc&) {
    AfxMessageBox(IDS_OUT_OF_MEMORY);
    return;
  } catch (const std::exception& e) {
    what = e.what();
  } catch (...) {
    what = "?";  // thrown without a description
  }
  std::string text(LoadResString(IDS_INTERNAL_ERROR));
  if (const std::size_t at = text.find("%s"); at != std::string::npos) text.replace(at, 2, what);
  MessageBoxRequest request;
  request.text = std::move(text);
  request.title = std::string(LoadResString(AFX_IDS_APP_TITLE));
  request.icon = MsgIcon::kStop;
  ShowMessageBox(request);
}

bool RunReported(const std::function<void()>& command) {
  try {
    command();
    return true;
  } catch (...) {
    ReportFailure(std::current_exception());
    return false;
  }
}

}  // namespace fw
