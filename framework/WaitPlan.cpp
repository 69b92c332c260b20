#include "framework/WaitPlan.h"

#include "framework/StringTable.h"
#include "platform/Job.h"
#include "res/resource.h"

namespace fw {

CWaitPlan::Step CWaitPlan::At(Duration waited) {
  Step step;
  if (!m_cursor && (m_job.HasProgress() || waited >= kCursorAfter)) {
    m_cursor = true;
    step.showCursor = true;
  }
  if (m_job.HasProgress()) {
    if (!m_lastProgress || waited - *m_lastProgress >= kProgressEvery) {
      m_lastProgress = waited;
      step.status = m_job.Progress();
      m_told = true;
    }
  } else if (!m_told && waited >= kSubjectAfter) {
    std::string text(LoadResString(IDS_WAITING_FOR));
    if (const std::size_t at = text.find("%s"); at != std::string::npos) text.replace(at, 2, m_job.LastPath());
    step.status = std::move(text);
    m_told = true;
  }
  return step;
}

}  // namespace fw
