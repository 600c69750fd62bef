// Rich Text reading and writing.
#include "kb/rtf.h"

#include <charconv>
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "kb/codepage.h"

namespace veksa {

bool looksLikeRtf(std::string_view bytes) { return bytes.substr(0, 5) == "{\\rtf"; }

namespace {

bool isLetter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }
bool isDigit(char c) { return c >= '0' && c <= '9'; }
int hexValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

// Destinations whose text is not part of the document.
bool isSkippedDestination(std::string_view word) {
  static constexpr std::string_view kSkipped[] = {
      "fonttbl", "colortbl", "stylesheet", "info",     "pict",     "header",   "footer",
      "headerl", "headerr",  "headerf",    "footerl",  "footerr",  "footerf",  "footnote",
      "object",  "objdata",  "themedata",  "datastore", "latentstyles", "listtable",
      "listoverridetable", "rsidtbl", "generator", "xmlnstbl", "mmathPr", "filetbl",
      "revtbl", "pgdsctbl", "fldinst", "bkmkstart", "bkmkend", "field",
  };
  for (auto s : kSkipped) {
    if (s == word) return word != "field";  // a field's result is text; its instruction is not
  }
  return false;
}

struct GroupState {
  bool skip = false;
  int uc = 1;
};

class RtfReader {
 public:
  explicit RtfReader(std::string_view in) : in_(in) {}

  Lines read() {
    states_.push_back(GroupState{});
    while (pos_ < in_.size()) {
      char c = in_[pos_];
      if (c == '{') {
        states_.push_back(states_.back());
        ++pos_;
        pendingSkip_ = 0;
      } else if (c == '}') {
        ++pos_;
        pendingSkip_ = 0;
        if (states_.size() > 1) {
          states_.pop_back();
          // The brace that closes the document's outer group ends it: what other writers put
          // after it (line ends, a NUL byte) is no text.
          if (states_.size() == 1) break;
        }
      } else if (c == '\\') {
        controlSequence();
      } else if (c == '\r' || c == '\n') {
        ++pos_;
      } else {
        ++pos_;
        text(decodeByte(static_cast<unsigned char>(c)));
      }
    }
    if (!current_.empty()) lines_.push_back(std::move(current_));
    return std::move(lines_);
  }

 private:
  GroupState& state() { return states_.back(); }

  char16_t decodeByte(unsigned char b) const {
    return codepage_ == 1252 ? cp1252ToUnicode(b) : cp1251ToUnicode(b);
  }

  // A character of the document; the fallback characters after \uN are passed over.
  void text(char16_t ch) {
    if (pendingSkip_ > 0) {
      --pendingSkip_;
      return;
    }
    if (!state().skip) current_.push_back(ch);
  }

  void paragraph() {
    pendingSkip_ = 0;
    if (state().skip) return;
    lines_.push_back(std::move(current_));
    current_.clear();
  }

  void controlSequence() {
    ++pos_;  // the backslash
    if (pos_ >= in_.size()) return;
    char c = in_[pos_];
    if (!isLetter(c)) {
      ++pos_;
      switch (c) {
        case '\\': case '{': case '}': text(static_cast<char16_t>(c)); break;
        case '\'': {
          int hi = pos_ < in_.size() ? hexValue(in_[pos_]) : -1;
          int lo = pos_ + 1 < in_.size() ? hexValue(in_[pos_ + 1]) : -1;
          if (hi >= 0 && lo >= 0) {
            pos_ += 2;
            text(decodeByte(static_cast<unsigned char>(hi * 16 + lo)));
          }
          break;
        }
        case '*': state().skip = true; break;
        case '~': text(u' '); break;
        case '_': text(u'-'); break;
        case '\r': case '\n': paragraph(); break;  // "\" before a line end is \par
        default: break;  // \- and other control symbols carry no text
      }
      return;
    }
    std::size_t start = pos_;
    while (pos_ < in_.size() && isLetter(in_[pos_]) && pos_ - start < 32) ++pos_;
    std::string_view word = in_.substr(start, pos_ - start);
    bool hasParam = false;
    long param = 0;
    bool negative = false;
    if (pos_ < in_.size() && in_[pos_] == '-' && pos_ + 1 < in_.size() && isDigit(in_[pos_ + 1])) {
      negative = true;
      ++pos_;
    }
    std::size_t digits = 0;
    while (pos_ < in_.size() && isDigit(in_[pos_])) {
      if (digits < 10) param = param * 10 + (in_[pos_] - '0');
      ++digits;
      ++pos_;
    }
    hasParam = digits > 0;
    if (negative) param = -param;
    if (pos_ < in_.size() && in_[pos_] == ' ') ++pos_;  // the delimiting space belongs to the word
    controlWord(word, hasParam, param);
  }

  void controlWord(std::string_view word, bool hasParam, long param) {
    if (word == "par" || word == "line" || word == "sect" || word == "page") {
      paragraph();
    } else if (word == "tab") {
      text(u'\t');
    } else if (word == "u" && hasParam) {
      long v = param < 0 ? param + 65536 : param;
      if (!state().skip) current_.push_back(static_cast<char16_t>(v & 0xFFFF));
      pendingSkip_ = state().uc;
    } else if (word == "uc" && hasParam) {
      state().uc = param < 0 ? 0 : static_cast<int>(param > 8 ? 8 : param);
    } else if (word == "ansicpg" && hasParam) {
      codepage_ = static_cast<int>(param);
    } else if (word == "emdash") {
      text(u'\u2014');
    } else if (word == "endash") {
      text(u'\u2013');
    } else if (word == "lquote") {
      text(u'\u2018');
    } else if (word == "rquote") {
      text(u'\u2019');
    } else if (word == "ldblquote") {
      text(u'\u201C');
    } else if (word == "rdblquote") {
      text(u'\u201D');
    } else if (word == "bullet") {
      text(u'\u2022');
    } else if (isSkippedDestination(word)) {
      state().skip = true;
    } else if (word == "bin" && hasParam && param > 0) {
      std::size_t n = static_cast<std::size_t>(param);
      pos_ = n > in_.size() - pos_ ? in_.size() : pos_ + n;  // binary data is no text
    }
  }

  std::string_view in_;
  std::size_t pos_ = 0;
  std::vector<GroupState> states_;
  int pendingSkip_ = 0;
  int codepage_ = 1251;
  Line current_;
  Lines lines_;
};

}  // namespace

Lines readRtf(std::string_view bytes) { return RtfReader(bytes).read(); }

std::string writeRtf(const Lines& lines) {
  static const char* kHex = "0123456789abcdef";
  std::string out =
      "{\\rtf1\\ansi\\ansicpg1251\\deff0\\uc1{\\fonttbl{\\f0\\fmodern\\fcharset204 Courier "
      "New;}}\r\n\\pard\\plain\\f0\\fs20 ";
  std::size_t size = out.size();
  for (const Line& line : lines) size += line.size() * 2 + 8;
  out.reserve(size);
  auto hexByte = [&](unsigned b) {
    out += "\\'";
    out.push_back(kHex[b >> 4]);
    out.push_back(kHex[b & 15]);
  };
  for (const Line& line : lines) {
    for (char16_t ch : line) {
      if (ch == u'\\' || ch == u'{' || ch == u'}') {
        out.push_back('\\');
        out.push_back(static_cast<char>(ch));
      } else if (ch == u'\t') {
        out += "\\tab ";
      } else if (ch < 0x20) {
        hexByte(ch);
      } else if (ch < 0x80) {
        out.push_back(static_cast<char>(ch));
      } else {
        // \uN takes a signed 16-bit number, followed by the fallback for older readers.
        int n = ch > 32767 ? static_cast<int>(ch) - 65536 : static_cast<int>(ch);
        char digits[16];
        auto res = std::to_chars(digits, digits + sizeof digits, n);
        out += "\\u";
        out.append(digits, res.ptr);
        auto b = unicodeToCp1251(ch);
        if (b) {
          hexByte(*b);
        } else {
          out.push_back('?');
        }
      }
    }
    out += "\\par\r\n";
  }
  out += "}\r\n";
  return out;
}

}  // namespace veksa
