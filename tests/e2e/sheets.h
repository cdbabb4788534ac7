// Small hand-made sheets for the golden tests.
//
// Origin line 4590000000,936000000: X origin 459000", Y origin 93600".
// Points (X then Y in 1/10000"):
//   1  00360000 00180000   -> " 127.510000 26.005000"
//   2  00000018 00000018   -> " 127.500001 26.000001"  (exact ties round up)
//   3  0000000000000000    -> " 127.500000 26.000000"  (the origin itself)
//   4  0036000000360000    -> " 127.510000 26.010000"
#pragma once

#include <string>

#include "runtime/base/cp932.h"
#include "runtime/texts.h"
#include "tests/e2e/harness.h"

namespace e2e {

inline const std::string kPoint1 = " 127.510000 26.005000";
inline const std::string kPoint2 = " 127.500001 26.000001";
inline const std::string kOrigin = " 127.500000 26.000000";
inline const std::string kPoint4 = " 127.510000 26.010000";

inline const char* const kLayerCodes[] = {"TO", "HA", "GK", "DK", "KK",
                                          "SK", "CM", "KO", "KJ", "TK"};

// A sheet with its points and origin and every record file empty.
inline void empty_sheet(const Workspace& ws, const std::string& code) {
  ws.sheet_file(
      code, ".slp",
      crlf({"00360000 00180000", "00000018 00000018", "0000000000000000", "0036000000360000"}));
  ws.sheet_file(code, ".slm", crlf({"4590000000,936000000"}));
  ws.sheet_file(code, "MH.slp", "");
  ws.sheet_file(code, "MH.sal", "");
  for (const char* layer : kLayerCodes) ws.sheet_file(code, std::string(layer) + ".sal", "");
}

// A one-sheet job "J" over sheet 12345.
inline void one_sheet_job(const Workspace& ws) {
  ws.job_list("J", crlf({"12345,X"}));
  empty_sheet(ws, "12345");
}

inline std::string sj(const char* utf8) {
  return rt::sjis(utf8);
}

}  // namespace e2e
