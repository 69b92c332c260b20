#include "platform/posix/MountInfoParser.h"

#include <charconv>

namespace platform::posix {
namespace {

// Fields are separated by single spaces; an empty source name gives an
// empty field, so runs of spaces are not merged.
std::vector<std::string_view> SplitFields(std::string_view line) {
  std::vector<std::string_view> fields;
  if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
  std::size_t pos = 0;
  while (pos <= line.size() && !line.empty()) {
    std::size_t end = line.find(' ', pos);
    if (end == std::string_view::npos) end = line.size();
    fields.push_back(line.substr(pos, end - pos));
    pos = end + 1;
  }
  return fields;
}

bool ParseDevice(std::string_view text, unsigned& major, unsigned& minor) {
  const std::size_t colon = text.find(':');
  if (colon == std::string_view::npos) return false;
  const char* end = text.data() + text.size();
  auto r1 = std::from_chars(text.data(), text.data() + colon, major);
  auto r2 = std::from_chars(text.data() + colon + 1, end, minor);
  return r1.ec == std::errc() && r2.ec == std::errc() && r2.ptr == end;
}

bool IsOctal(char c) { return c >= '0' && c <= '7'; }

}  // namespace

std::string MountInfoParser::DecodeEscapes(std::string_view field) {
  std::string out;
  out.reserve(field.size());
  for (std::size_t i = 0; i < field.size(); ++i) {
    if (field[i] == '\\' && i + 3 < field.size() && IsOctal(field[i + 1]) &&
        IsOctal(field[i + 2]) && IsOctal(field[i + 3])) {
      const int value = (field[i + 1] - '0') * 64 + (field[i + 2] - '0') * 8 + (field[i + 3] - '0');
      out += static_cast<char>(static_cast<unsigned char>(value & 0xFF));
      i += 3;
    } else {
      out += field[i];
    }
  }
  return out;
}

bool MountInfoParser::HasOption(std::string_view options, std::string_view name) {
  std::size_t pos = 0;
  while (pos <= options.size()) {
    std::size_t end = options.find(',', pos);
    if (end == std::string_view::npos) end = options.size();
    std::string_view option = options.substr(pos, end - pos);
    option = option.substr(0, option.find('='));
    if (option == name) return true;
    pos = end + 1;
  }
  return false;
}

bool MountInfoParser::ParseLine(std::string_view line, MountEntry& out) {
  const std::vector<std::string_view> f = SplitFields(line);
  // id parent maj:min root mountpoint options [optional...] - type source superoptions
  if (f.size() < 9) return false;
  std::size_t dash = 6;
  while (dash < f.size() && f[dash] != "-") ++dash;
  if (dash + 2 >= f.size()) return false;
  if (!ParseDevice(f[2], out.major, out.minor)) return false;
  out.root = DecodeEscapes(f[3]);
  out.mountPoint = DecodeEscapes(f[4]);
  out.mountOptions = std::string(f[5]);
  out.fsType = DecodeEscapes(f[dash + 1]);
  out.source = DecodeEscapes(f[dash + 2]);
  out.superOptions = dash + 3 < f.size() ? std::string(f[dash + 3]) : std::string();
  return true;
}

std::vector<MountEntry> MountInfoParser::Parse(std::string_view text) {
  std::vector<MountEntry> entries;
  std::size_t pos = 0;
  while (pos < text.size()) {
    std::size_t end = text.find('\n', pos);
    if (end == std::string_view::npos) end = text.size();
    MountEntry entry;
    if (ParseLine(text.substr(pos, end - pos), entry)) entries.push_back(std::move(entry));
    pos = end + 1;
  }
  return entries;
}

}  // namespace platform::posix
