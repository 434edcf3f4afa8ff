#include "core/catalog/RtfText.h"

#include <cstdint>
#include <vector>

#include "core/persist/TextCodec.h"

namespace kolvex {
namespace {

struct Group {
  bool skip = false;
  int unicodeSkip = 1;  // \ucN: fallback characters that follow each \uN
};

bool isLetter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }
bool isDigit(char c) { return c >= '0' && c <= '9'; }

// Destinations whose content is not body text.
bool isSkippedDestination(std::string_view w) {
  static constexpr std::string_view kSkipped[] = {"fonttbl",
                                                  "colortbl",
                                                  "stylesheet",
                                                  "info",
                                                  "pict",
                                                  "object",
                                                  "header",
                                                  "headerl",
                                                  "headerr",
                                                  "headerf",
                                                  "footer",
                                                  "footerl",
                                                  "footerr",
                                                  "footerf",
                                                  "footnote",
                                                  "fldinst",
                                                  "listtable",
                                                  "listoverridetable",
                                                  "revtbl",
                                                  "rsidtbl",
                                                  "xmlnstbl",
                                                  "themedata",
                                                  "colorschememapping",
                                                  "datastore",
                                                  "latentstyles",
                                                  "generator",
                                                  "filetbl",
                                                  "pntext",
                                                  "pntxta",
                                                  "pntxtb",
                                                  "private",
                                                  "nonshppict",
                                                  "bkmkstart",
                                                  "bkmkend",
                                                  "mmathPr",
                                                  "atnid",
                                                  "atnauthor",
                                                  "annotation",
                                                  "operator",
                                                  "author",
                                                  "title",
                                                  "subject",
                                                  "keywords",
                                                  "comment",
                                                  "doccomm",
                                                  "company"};
  for (std::string_view s : kSkipped)
    if (w == s) return true;
  return false;
}

// Replaces what cannot stand in valid UTF-8 (surrogates, values beyond U+10FFFF).
void appendCodePoint(std::string& out, std::uint32_t cp) {
  if (cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) cp = 0xFFFD;
  appendUtf8(out, cp);
}

int hexValue(char c) {
  if (isDigit(c)) return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

class Reducer {
 public:
  explicit Reducer(std::string_view in) : in_(in) { groups_.emplace_back(); }

  std::string run() {
    while (at_ < in_.size()) {
      char c = in_[at_++];
      switch (c) {
        case '{':
          groups_.push_back(groups_.back());
          fallbackLeft_ = 0;
          break;
        case '}':
          if (groups_.size() > 1) groups_.pop_back();
          fallbackLeft_ = 0;
          break;
        case '\\':
          control();
          break;
        case '\r':
        case '\n':
          break;
        default:
          text8(static_cast<unsigned char>(c));
          break;
      }
    }
    flushSurrogate();
    return std::move(out_);
  }

 private:
  bool skipping() const { return groups_.back().skip; }

  // A character of the text; also what a pending \uN fallback consumes.
  bool consumedAsFallback() {
    if (fallbackLeft_ > 0) {
      --fallbackLeft_;
      return true;
    }
    return false;
  }

  void text8(unsigned char b) {
    if (consumedAsFallback() || skipping()) return;
    flushSurrogate();
    if (b < 0x80)
      out_ += static_cast<char>(b);
    else
      out_ += cp1252ToUtf8(std::string_view(reinterpret_cast<const char*>(&b), 1));
  }

  void textUnicode(std::uint32_t cp) {
    if (skipping()) return;
    if (cp >= 0xD800 && cp <= 0xDBFF) {
      flushSurrogate();
      highSurrogate_ = cp;
      return;
    }
    if (cp >= 0xDC00 && cp <= 0xDFFF && highSurrogate_) {
      cp = 0x10000 + ((highSurrogate_ - 0xD800) << 10) + (cp - 0xDC00);
      highSurrogate_ = 0;
    }
    flushSurrogate();
    appendCodePoint(out_, cp);
  }

  void flushSurrogate() {
    if (highSurrogate_) appendCodePoint(out_, 0xFFFD);
    highSurrogate_ = 0;
  }

  void emit(std::string_view s) {
    if (consumedAsFallback() || skipping()) return;
    flushSurrogate();
    out_ += s;
  }

  void control() {
    if (at_ >= in_.size()) return;
    char c = in_[at_];
    if (!isLetter(c)) {
      ++at_;
      symbol(c);
      return;
    }
    std::size_t start = at_;
    while (at_ < in_.size() && isLetter(in_[at_]) && at_ - start < 32) ++at_;
    std::string_view word = in_.substr(start, at_ - start);
    while (at_ < in_.size() && isLetter(in_[at_])) ++at_;  // an over-long word is one word
    bool hasParam = false;
    bool negative = false;
    std::int64_t param = 0;
    if (at_ < in_.size() &&
        (isDigit(in_[at_]) || (in_[at_] == '-' && at_ + 1 < in_.size() && isDigit(in_[at_ + 1])))) {
      hasParam = true;
      if (in_[at_] == '-') {
        negative = true;
        ++at_;
      }
      while (at_ < in_.size() && isDigit(in_[at_])) {
        if (param < 100000000) param = param * 10 + (in_[at_] - '0');
        ++at_;
      }
      if (negative) param = -param;
    }
    if (at_ < in_.size() && in_[at_] == ' ') ++at_;  // the delimiter belongs to the word
    controlWord(word, hasParam, param);
  }

  void symbol(char c) {
    switch (c) {
      case '\\':
      case '{':
      case '}':
        text8(static_cast<unsigned char>(c));
        return;
      case '\'': {
        int hi = at_ < in_.size() ? hexValue(in_[at_]) : -1;
        if (hi < 0) return;
        ++at_;
        int lo = at_ < in_.size() ? hexValue(in_[at_]) : -1;
        if (lo < 0) return;  // a cut-off escape stands for nothing
        ++at_;
        text8(static_cast<unsigned char>(hi * 16 + lo));
        return;
      }
      case '*':
        groups_.back().skip = true;
        return;
      case '~':
        emit("\xC2\xA0");
        return;
      case '_':
        emit("-");
        return;
      case '-':
        return;  // optional hyphen
      case '\r':
      case '\n':
        emit("\n");
        return;
      case '\t':
        emit("\t");
        return;
      default:
        return;
    }
  }

  void controlWord(std::string_view w, bool hasParam, std::int64_t param) {
    if (w == "u" && hasParam) {
      std::int64_t cp = param < 0 ? param + 65536 : param;
      if (fallbackLeft_ > 0) fallbackLeft_ = 0;
      textUnicode(static_cast<std::uint32_t>(cp < 0 ? 0xFFFD : cp));
      fallbackLeft_ = groups_.back().unicodeSkip;
      return;
    }
    if (w == "uc" && hasParam) {
      groups_.back().unicodeSkip = param < 0 ? 0 : static_cast<int>(param > 16 ? 16 : param);
      return;
    }
    if (isSkippedDestination(w)) {
      groups_.back().skip = true;
      return;
    }
    if (w == "par" || w == "line" || w == "sect" || w == "page" || w == "row") {
      emit("\n");
    } else if (w == "tab" || w == "cell") {
      emit("\t");
    } else if (w == "emdash") {
      emit("\xE2\x80\x94");
    } else if (w == "endash") {
      emit("\xE2\x80\x93");
    } else if (w == "bullet") {
      emit("\xE2\x80\xA2");
    } else if (w == "lquote") {
      emit("\xE2\x80\x98");
    } else if (w == "rquote") {
      emit("\xE2\x80\x99");
    } else if (w == "ldblquote") {
      emit("\xE2\x80\x9C");
    } else if (w == "rdblquote") {
      emit("\xE2\x80\x9D");
    } else if (w == "emspace" || w == "enspace" || w == "qmspace") {
      emit(" ");
    } else if (fallbackLeft_ > 0) {
      --fallbackLeft_;  // a control word stands for one fallback character
    }
  }

  std::string_view in_;
  std::size_t at_ = 0;
  std::vector<Group> groups_;
  std::string out_;
  int fallbackLeft_ = 0;
  std::uint32_t highSurrogate_ = 0;
};

}  // namespace

bool IsRtf(std::string_view bytes) {
  std::size_t i = 0;
  if (bytes.substr(0, 3) == "\xEF\xBB\xBF") i = 3;
  while (i < bytes.size() &&
         (bytes[i] == ' ' || bytes[i] == '\t' || bytes[i] == '\r' || bytes[i] == '\n'))
    ++i;
  return bytes.substr(i, 5) == "{\\rtf";
}

std::string RtfToText(std::string_view rtf) { return Reducer(rtf).run(); }

}  // namespace kolvex
