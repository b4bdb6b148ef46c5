#pragma once

#include <locale.h>

namespace norda {

// While it lives, the C library's formatting and parsing of numbers on this thread
// (printf, strtod, atof, ...) work as in the "C" locale: "." as the decimal mark and no
// grouping, whatever desktop locale the process took at start-up. Every number the
// programs show, accept or write goes through it or through <charconv>.
class CNumericLocale {
  public:
    CNumericLocale();
    ~CNumericLocale();
    CNumericLocale(const CNumericLocale&) = delete;
    CNumericLocale& operator=(const CNumericLocale&) = delete;

  private:
    locale_t previous_;
};

}  // namespace norda
