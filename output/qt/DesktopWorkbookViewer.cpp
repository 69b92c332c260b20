#include "output/qt/DesktopWorkbookViewer.h"

#include <QElapsedTimer>
#include <QSocketNotifier>
#include <algorithm>
#include <cctype>
#include <memory>
#include <system_error>
#include <utility>

#include "framework/MessageBox.h"
#include "platform/ProgramStart.h"
#include "res/resource.h"

namespace output {

namespace fs = std::filesystem;

namespace {

// A program that ends with a failure status within this time after its
// start counts as not started: launchers and wrapper scripts that cannot
// start the real program end that quickly.
constexpr qint64 kStartFailureMs = 10000;

// Watches a started program until it ends, and deletes itself then.
class EndWatch : public QObject {
 public:
  EndWatch(std::unique_ptr<platform::StartedProgram> program, fs::path workbook, QObject* parent)
      : QObject(parent),
        m_program(std::move(program)),
        m_workbook(std::move(workbook)),
        m_notifier(m_program->EndNotifier(), QSocketNotifier::Read, this) {
    m_started.start();
    connect(&m_notifier, &QSocketNotifier::activated, this, &EndWatch::OnEnded);
  }

 private:
  void OnEnded() {
    const std::optional<int> status = m_program->ExitStatus();
    if (!status) return;
    m_notifier.setEnabled(false);
    if (*status != 0 && m_started.elapsed() < kStartFailureMs) {
      std::error_code ignored;
      fs::remove(m_workbook, ignored);
      fw::AfxMessageBox(IDS_EXCEL_FAILED);
    }
    deleteLater();
  }

  std::unique_ptr<platform::StartedProgram> m_program;
  fs::path m_workbook;
  QSocketNotifier m_notifier;
  QElapsedTimer m_started;
};

std::string Lower(std::string text) {
  std::transform(text.begin(), text.end(), text.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return text;
}

bool IsLibreOfficeCalc(const platform::DesktopProgram& program, const std::vector<std::string>& argv) {
  const std::string id = Lower(program.id);
  if (id.find("libreoffice") != std::string::npos && id.find("calc") != std::string::npos) return true;
  const std::string name = argv.empty() ? std::string() : fs::path(argv.front()).filename().string();
  const bool suite = name.rfind("libreoffice", 0) == 0 || name == "soffice";
  return name == "localc" || (suite && std::find(argv.begin(), argv.end(), "--calc") != argv.end());
}

}  // namespace

bool CDesktopWorkbookViewer::Find() {
  m_program = platform::FindDefaultProgram(kWorkbookMimeType);
  return m_program.has_value();
}

std::vector<std::string> CDesktopWorkbookViewer::CommandLine(const platform::DesktopProgram& program,
                                                             const std::string& path) {
  const bool calc = IsLibreOfficeCalc(program, platform::CommandLineFor(program, {}, path));
  return platform::CommandLineFor(program, calc ? std::vector<std::string>{"-n"} : std::vector<std::string>{},
                                  path);
}

bool CDesktopWorkbookViewer::Show(const fs::path& path) {
  if (!m_program) return false;
  int error = 0;
  std::unique_ptr<platform::StartedProgram> program =
      platform::StartProgram(CommandLine(*m_program, path.string()), error);
  if (!program) return false;
  if (program->EndNotifier() >= 0) new EndWatch(std::move(program), path, &m_watches);
  return true;
}

}  // namespace output
