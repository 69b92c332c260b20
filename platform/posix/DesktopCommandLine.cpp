// Command lines of desktop entries: the value escapes of the file, then the
// quoting of the command line, then the field codes (%f, %u, %i, %c, %k).
#include <string>
#include <string_view>
#include <vector>

#include "platform/DesktopPrograms.h"

namespace platform {

namespace {

// \s \n \t \r \\ of desktop entry values; other escapes are kept as written.
std::string UnescapeValue(std::string_view value) {
  std::string out;
  for (std::size_t i = 0; i < value.size(); ++i) {
    if (value[i] != '\\' || i + 1 == value.size()) {
      out += value[i];
      continue;
    }
    const char c = value[++i];
    const char plain = c == 's' ? ' ' : c == 'n' ? '\n' : c == 't' ? '\t' : c == 'r' ? '\r' : c;
    if (plain == c && c != '\\') out += '\\';
    out += plain;
  }
  return out;
}

// Splits at blanks outside quotes. Inside double quotes a backslash escapes
// " ` $ and \; single quotes take everything literally. False on an
// unclosed quote.
bool SplitWords(std::string_view line, std::vector<std::string>& words) {
  std::string word;
  bool inWord = false;
  for (std::size_t i = 0; i < line.size(); ++i) {
    const char c = line[i];
    if (c == ' ' || c == '\t' || c == '\n') {
      if (inWord) words.push_back(std::move(word));
      word.clear();
      inWord = false;
      continue;
    }
    inWord = true;
    if (c == '"' || c == '\'') {
      for (++i; i < line.size() && line[i] != c; ++i) {
        if (c == '"' && line[i] == '\\' && i + 1 < line.size() &&
            std::string_view("\"`$\\").find(line[i + 1]) != std::string_view::npos) {
          ++i;
        }
        word += line[i];
      }
      if (i == line.size()) return false;
    } else if (c == '\\' && i + 1 < line.size()) {
      word += line[++i];
    } else {
      word += c;
    }
  }
  if (inWord) words.push_back(std::move(word));
  return true;
}

std::string FileUrl(const std::string& path) {
  static constexpr char kHex[] = "0123456789ABCDEF";
  std::string url = "file://";
  for (const char c : path) {
    const auto byte = static_cast<unsigned char>(c);
    const bool plain = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') ||
                       std::string_view("/-._~").find(c) != std::string_view::npos;
    if (plain) {
      url += c;
    } else {
      url += '%';
      url += kHex[byte >> 4];
      url += kHex[byte & 0xF];
    }
  }
  return url;
}

bool IsFileCode(char c) { return c == 'f' || c == 'F' || c == 'u' || c == 'U'; }

}  // namespace

std::vector<std::string> CommandLineFor(const DesktopProgram& program,
                                        const std::vector<std::string>& beforeFile,
                                        const std::string& file) {
  std::vector<std::string> words;
  if (!SplitWords(UnescapeValue(program.command), words) || words.empty()) return {};
  std::vector<std::string> argv;
  bool fileGiven = false;
  const auto fileText = [&](char code) { return code == 'u' || code == 'U' ? FileUrl(file) : file; };
  for (const std::string& word : words) {
    if (word == "%i") {
      if (!program.icon.empty()) argv.insert(argv.end(), {"--icon", program.icon});
      continue;
    }
    std::string arg;
    bool hadFile = false;
    for (std::size_t i = 0; i < word.size(); ++i) {
      if (word[i] != '%' || i + 1 == word.size()) {
        arg += word[i];
        continue;
      }
      const char code = word[++i];
      if (code == '%') arg += '%';
      else if (code == 'c') arg += program.name;
      else if (code == 'k') arg += program.path;
      else if (IsFileCode(code) && !fileGiven && !hadFile) {
        arg += fileText(code);
        hadFile = true;
      }
      // Every other code is dropped, as the format asks.
    }
    if (hadFile) {
      // Flatpak's file forwarding wraps the file in "@@u ... @@" or
      // "@@ ... @@"; arguments that are no files go before the wrapper.
      const bool wrapped = !argv.empty() && (argv.back() == "@@u" || argv.back() == "@@");
      argv.insert(argv.end() - (wrapped ? 1 : 0), beforeFile.begin(), beforeFile.end());
      fileGiven = true;
    }
    if (!arg.empty() || hadFile || word.size() < 2 || word[0] != '%') argv.push_back(std::move(arg));
  }
  if (!fileGiven) {
    argv.insert(argv.end(), beforeFile.begin(), beforeFile.end());
    argv.push_back(file);
  }
  return argv.front().empty() ? std::vector<std::string>{} : argv;
}

}  // namespace platform
