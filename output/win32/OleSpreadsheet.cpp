#include "output/win32/OleSpreadsheet.h"

#include <utility>

namespace output::win32 {

namespace {

using Object = std::shared_ptr<IDispatchTarget>;

// The object of a call's result; a result without one is a failed call:
// the component did not give what its model promises.
Object ObjectOf(const Variant& result) {
  if (!result.pdispVal) throw AutomationError("no object returned");
  return result.pdispVal;
}

class OleWorkbook : public Workbook {
 public:
  explicit OleWorkbook(Object application) : m_application(std::move(application)) {}

  // Newest first: the sheet, the workbook, the collection, Excel itself.
  ~OleWorkbook() override {
    m_sheet.reset();
    m_book.reset();
    m_books.reset();
    m_application.reset();
  }

  void Open() {
    Call([this] {
      m_application->Invoke(xl::kApplicationVisible, InvokeFlags::kPropertyPut, {Variant::Bool(1)});
      m_books = ObjectOf(m_application->Invoke(xl::kApplicationWorkbooks, xl::kGet, {}));
      m_book = ObjectOf(m_books->Invoke(xl::kWorkbooksAdd, InvokeFlags::kMethod, {Variant::I2(xl::kWBATWorksheet)}));
      m_sheet = ObjectOf(m_book->Invoke(xl::kWorkbookWorksheets, xl::kGet, {Variant::I2(1)}));
    });
  }

  void SetCell(std::uint32_t row, std::uint32_t column, const std::string& text) override {
    Call([&] { Range(row, column)->Invoke(xl::kRangeValue, InvokeFlags::kPropertyPut, {Variant::Str(text)}); });
  }

  void SetColumnWidth(std::uint32_t column, int characters) override {
    Call([&] {
      Range(1, column)->Invoke(xl::kRangeColumnWidth, InvokeFlags::kPropertyPut,
                               {Variant::I2(static_cast<short>(characters))});
    });
  }

  bool Show() override {
    Call([this] { m_book->Invoke(xl::kWorkbookSaved, InvokeFlags::kPropertyPut, {Variant::Bool(1)}); });
    return true;  // Excel shows it already
  }

 private:
  Object Range(std::uint32_t row, std::uint32_t column) const {
    const std::string cell = ColumnLetters(column) + std::to_string(row);
    return ObjectOf(m_sheet->Invoke(xl::kWorksheetRange, xl::kGet, {Variant::Str(cell)}));
  }

  template <class F>
  static void Call(F&& call) {
    try {
      call();
    } catch (const AutomationError& error) {
      throw WorkbookError(error.what(), error.kind() == AutomationError::Kind::kUnavailable
                                            ? WorkbookError::Kind::kUnavailable
                                            : WorkbookError::Kind::kFailed);
    }
  }

  Object m_application, m_books, m_book, m_sheet;
};

}  // namespace

std::unique_ptr<Workbook> OleSpreadsheet::NewWorkbook() {
  Object application = m_server.CreateDispatch(xl::kProgId);
  if (!application) return nullptr;
  auto book = std::make_unique<OleWorkbook>(std::move(application));
  book->Open();
  return book;
}

std::string ColumnLetters(unsigned k) {
  std::string letters;
  while (k > 0) {
    --k;
    letters.insert(letters.begin(), static_cast<char>('A' + k % 26));
    k /= 26;
  }
  return letters;
}

}  // namespace output::win32
