#include "runtime/platform/codepage.h"

#include <errno.h>
#include <iconv.h>

namespace rt::platform {
namespace {

class Converter {
 public:
  Converter(const char* to, const char* from) : cd_(iconv_open(to, from)) {}
  ~Converter() {
    if (cd_ != reinterpret_cast<iconv_t>(-1)) iconv_close(cd_);
  }
  // Converts all of in; on an invalid sequence calls bad(out) and skips
  // `skip` bytes (0: fail).
  template <class OnBad>
  bool run(std::string_view in, std::string& out, OnBad on_bad) {
    out.clear();
    if (cd_ == reinterpret_cast<iconv_t>(-1)) return false;
    iconv(cd_, nullptr, nullptr, nullptr, nullptr);
    char* src = const_cast<char*>(in.data());
    size_t left = in.size();
    char buf[1024];
    while (left > 0) {
      char* dst = buf;
      size_t room = sizeof buf;
      size_t r = iconv(cd_, &src, &left, &dst, &room);
      out.append(buf, static_cast<size_t>(dst - buf));
      if (r == static_cast<size_t>(-1) && errno != E2BIG) {
        size_t skip = on_bad(src, left, out);
        if (skip == 0) return false;
        src += skip;
        left -= skip;
      }
    }
    return true;
  }

 private:
  iconv_t cd_;
};

Converter& to_utf8() {
  static thread_local Converter c("UTF-8", "CP932");
  return c;
}
Converter& from_utf8() {
  static thread_local Converter c("CP932", "UTF-8");
  return c;
}

}  // namespace

bool cp932_to_utf8(std::string_view cp932, std::string& utf8) {
  return to_utf8().run(cp932, utf8, [](const char*, size_t, std::string&) -> size_t { return 0; });
}

std::string cp932_to_utf8_display(std::string_view cp932) {
  std::string out;
  to_utf8().run(cp932, out, [](const char*, size_t, std::string& o) -> size_t {
    o.append("\xEF\xBF\xBD");
    return 1;
  });
  return out;
}

std::string utf8_to_cp932(std::string_view utf8) {
  std::string out;
  from_utf8().run(utf8, out, [](const char* p, size_t left, std::string& o) -> size_t {
    o.push_back('?');
    // Skip one whole UTF-8 sequence.
    unsigned char c = static_cast<unsigned char>(*p);
    size_t n = c >= 0xF0 ? 4 : c >= 0xE0 ? 3 : c >= 0xC0 ? 2 : 1;
    return n < left ? n : left;
  });
  return out;
}

}  // namespace rt::platform
