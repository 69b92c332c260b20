// Late-bound automation: objects of another component answer calls by
// dispatch id, with tagged values as arguments and result. The workbook of
// Excel (OleSpreadsheet) is driven through it.
#pragma once

#include <cstdint>
#include <memory>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace output {

using DispId = std::int32_t;

// Call kinds, valued as OLE's; a property get is made as method | get.
namespace InvokeFlags {
inline constexpr unsigned short kMethod = 1;
inline constexpr unsigned short kPropertyGet = 2;
inline constexpr unsigned short kPropertyPut = 4;
}  // namespace InvokeFlags

// Value types, valued as OLE's.
enum class VarType : unsigned short {
  kEmpty = 0,
  kI2 = 2,
  kBstr = 8,
  kDispatch = 9,
  kBool = 11,
};

class IDispatchTarget;

// A small tagged value. Strings are UTF-8.
struct Variant {
  VarType vt = VarType::kEmpty;
  short iVal = 0;        // kI2, and kBool (1 for true, as the export passes it)
  std::string bstrVal;   // kBstr
  std::shared_ptr<IDispatchTarget> pdispVal;  // kDispatch

  static Variant Bool(short value) { return {VarType::kBool, value, {}, {}}; }
  static Variant I2(short value) { return {VarType::kI2, value, {}, {}}; }
  static Variant Str(std::string value) { return {VarType::kBstr, 0, std::move(value), {}}; }
  static Variant Dispatch(std::shared_ptr<IDispatchTarget> object) {
    return {VarType::kDispatch, 0, {}, std::move(object)};
  }
};

// A call that failed. The description of kCallFailed is the system's or the
// component's own and is shown to the user; kUnavailable means the component
// cannot do its work at all and is reported like a failed creation (its
// description is only for the developer).
class AutomationError : public std::runtime_error {
 public:
  enum class Kind { kCallFailed, kUnavailable };
  explicit AutomationError(const std::string& description, Kind kind = Kind::kCallFailed)
      : std::runtime_error(description), m_kind(kind) {}
  Kind kind() const { return m_kind; }

 private:
  Kind m_kind;
};

// One automation object. Invoke throws AutomationError when the call fails.
class IDispatchTarget {
 public:
  virtual ~IDispatchTarget() = default;
  virtual Variant Invoke(DispId dispid, unsigned short flags, const std::vector<Variant>& args) = 0;
};

// Creates the application object of a programmatic identifier; null when
// the component cannot be created.
class AutomationServer {
 public:
  virtual ~AutomationServer() = default;
  virtual std::shared_ptr<IDispatchTarget> CreateDispatch(std::string_view progId) = 0;
};

}  // namespace output
