// End-to-end harness: small discs in temporary folders, build/sardane run
// through the line console with piped answers, outputs read back as bytes.
#pragma once

#include <string>
#include <vector>

#include "tests/runtime/test_support.h"

namespace e2e {

// True for the suite that drives the Windows build under Wine: the registry
// is Wine's (read and written with its reg command), and POSIX-only cases
// are skipped.
constexpr bool kUnderWine = SARDANE_UNDER_WINE;

struct Result {
  int status = -1;     // exit status, or 128 + signal
  std::string screen;  // standard output (UTF-8 screen lines)
  std::string errors;  // standard error
};

// A work folder with a disc below it ("disc") and an output folder ("out").
class Workspace {
 public:
  Workspace();
  ~Workspace();
  Workspace(const Workspace&) = delete;
  Workspace& operator=(const Workspace&) = delete;
  std::string disc() const { return dir_.file("disc"); }
  std::string out() const { return dir_.file("out"); }
  std::string registry() const { return dir_.file("registry"); }
  // A file of the sheet's folder: disc/DATA/<code>/<code><suffix>.
  void sheet_file(const std::string& code, const std::string& suffix,
                  const std::string& bytes) const;
  // The job list at the disc's root: disc/<name>.csv.
  void job_list(const std::string& name, const std::string& bytes) const;
  std::string output(const std::string& name) const;
  bool has_output(const std::string& name) const;
  std::vector<std::string> outputs() const;
  // Removes the registry's error record, so that what error_record() reads
  // after the next run is that run's alone (under Wine the record is the
  // prefix's, shared by every test).
  void clear_error_record() const;
  // The registry's error record as "NAME=type:value" lines (text as UTF-8,
  // numbers in decimal); empty when there is none.
  std::string error_record() const;
  void install_message_library() const;

  // Runs a program in the output folder with `input` on standard input.
  Result run(const std::string& input, const std::string& program = SARDANE_BIN,
             const std::string& env = "") const;
  // Drive = the disc folder, then the job name, then Enter at the end.
  Result convert(const std::string& job) const;

 private:
  test::TempDir dir_;
  mutable bool message_library_ = false;
};

// Runs Wine's reg command (the Windows build's prefix); false when it fails.
bool wine_reg(const std::string& args);

// Every output file is non-empty and ends with its final 1A byte.
void expect_closed_files(const Workspace& ws);
// Puts a job "L" on the workspace's disc that takes long enough to be
// interrupted while it converts (eight areas near the point limit).
void long_job(const Workspace& ws);

// "a\r\nb\r\n" from {"a", "b"}
std::string crlf(const std::vector<std::string>& lines);
// The common header block of a layer's .mif.
std::string header(const std::vector<std::string>& columns);

}  // namespace e2e
