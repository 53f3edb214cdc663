#include "files/ProfileText.h"

namespace korvalinx {
namespace {

bool IsBlank(char c) {
  return c == ' ' || c == '\t';
}

std::string_view Trim(std::string_view s) {
  while (!s.empty() && IsBlank(s.front())) s.remove_prefix(1);
  while (!s.empty() && IsBlank(s.back())) s.remove_suffix(1);
  return s;
}

char LowerAscii(char c) {
  return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

bool SameName(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    if (LowerAscii(a[i]) != LowerAscii(b[i])) return false;
  }
  return true;
}

enum class LineKind { Blank, Section, Key, Other };

struct Line {
  size_t begin = 0;       // first byte of the line
  size_t contentEnd = 0;  // where its line end (LF or CR LF) starts
  size_t end = 0;         // first byte after its line end
  LineKind kind = LineKind::Other;
  std::string_view name;   // section name or key name
  std::string_view value;  // key value
};

Line ParseLine(std::string_view text, size_t begin) {
  Line line;
  line.begin = begin;
  const size_t lf = text.find('\n', begin);
  line.end = lf == std::string_view::npos ? text.size() : lf + 1;
  line.contentEnd = lf == std::string_view::npos ? text.size() : lf;
  if (line.contentEnd > begin && text[line.contentEnd - 1] == '\r') --line.contentEnd;

  const std::string_view content = Trim(text.substr(begin, line.contentEnd - begin));
  if (content.empty()) {
    line.kind = LineKind::Blank;
  } else if (content.front() == '[') {
    const size_t close = content.find(']');
    if (close != std::string_view::npos) {
      line.kind = LineKind::Section;
      line.name = Trim(content.substr(1, close - 1));
    }
  } else if (content.front() != ';') {
    const size_t equals = content.find('=');
    if (equals != std::string_view::npos) {
      line.name = Trim(content.substr(0, equals));
      line.value = Trim(content.substr(equals + 1));
      if (!line.name.empty()) line.kind = LineKind::Key;
    }
  }
  return line;
}

std::string_view LineEndOf(std::string_view text) {
  const size_t lf = text.find('\n');
  if (lf != std::string_view::npos && lf > 0 && text[lf - 1] == '\r') return "\r\n";
  return "\n";
}

// Ends the text's last line before something is appended. A last line that
// already ends in CR only needs the LF, or the CR would become part of it.
void EndLastLine(std::string& text, std::string_view eol) {
  if (text.empty() || text.back() == '\n') return;
  if (text.back() == '\r') {
    text += '\n';
  } else {
    text += eol;
  }
}

bool HasLineBreak(std::string_view s) {
  return s.find_first_of("\r\n") != std::string_view::npos;
}

}  // namespace

std::optional<std::string_view> FindProfileValue(std::string_view text, std::string_view section,
                                                 std::string_view key) {
  bool inSection = false;
  for (size_t pos = 0; pos < text.size();) {
    const Line line = ParseLine(text, pos);
    pos = line.end;
    if (line.kind == LineKind::Section) {
      if (inSection) return std::nullopt;
      inSection = SameName(line.name, section);
    } else if (inSection && line.kind == LineKind::Key && SameName(line.name, key)) {
      return line.value;
    }
  }
  return std::nullopt;
}

bool IsWritableProfileEntry(std::string_view section, std::string_view key,
                            std::string_view value) {
  if (HasLineBreak(section) || HasLineBreak(key) || HasLineBreak(value)) return false;
  if (section.find(']') != std::string_view::npos) return false;
  if (key.empty() || key.find('=') != std::string_view::npos || Trim(key) != key) return false;
  return key.front() != '[' && key.front() != ';';
}

std::string SetProfileValue(std::string_view text, std::string_view section, std::string_view key,
                            std::string_view value) {
  const std::string_view eol = LineEndOf(text);
  std::string entry;
  entry.append(key).append("=").append(value);

  bool inSection = false;
  size_t insertAt = std::string_view::npos;  // end of the section's last non-blank line
  for (size_t pos = 0; pos < text.size();) {
    const Line line = ParseLine(text, pos);
    pos = line.end;
    if (line.kind == LineKind::Section) {
      if (inSection) break;
      inSection = SameName(line.name, section);
      if (inSection) insertAt = line.end;
    } else if (inSection) {
      if (line.kind == LineKind::Key && SameName(line.name, key)) {
        std::string result(text.substr(0, line.begin));
        result += entry;
        result.append(text.substr(line.contentEnd));
        return result;
      }
      if (line.kind != LineKind::Blank) insertAt = line.end;
    }
  }

  std::string result;
  if (insertAt == std::string_view::npos) {
    // A new section at the end of the text.
    result.assign(text);
    EndLastLine(result, eol);
    result.append("[").append(section).append("]").append(eol);
    result.append(entry).append(eol);
    return result;
  }
  // A new key after the last non-blank line of its section.
  result.assign(text.substr(0, insertAt));
  EndLastLine(result, eol);
  result.append(entry).append(eol);
  result.append(text.substr(insertAt));
  return result;
}

}  // namespace korvalinx
