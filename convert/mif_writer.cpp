#include "convert/mif_writer.h"

#include "convert/job.h"
#include "convert/vertex_writer.h"
#include "runtime/files.h"

namespace convert::mif {

namespace {

using rt::Sep;
namespace files = rt::files;

Bytes output_name(BytesView code, const char* extension) {
  rt::files::require_name_part(job().job_name);
  Bytes name = job().job_name;
  name += code;
  name += extension;
  return name;
}

void line(BytesView text) {
  files::print(kGraphics, text, Sep::kNone);
}

}  // namespace

void open_pair(BytesView code, const std::vector<const char*>& columns) {
  if (job().position == 1) {
    files::open(output_name(code, ".mif"), files::Mode::kOutput, kGraphics);
    files::open(output_name(code, ".mid"), files::Mode::kOutput, kAttributes);
    line("Version 300");
    line("Charset \"WindowsJapanese\"");
    line("Delimiter \",\"");
    line("CoordSys Earth Projection 1, 0");
    line("Columns " + std::to_string(columns.size()));
    for (const char* column : columns) line(column);
    line("Data");
    line("");
  } else {
    files::open(output_name(code, ".mif"), files::Mode::kAppend, kGraphics);
    files::open(output_name(code, ".mid"), files::Mode::kAppend, kAttributes);
  }
}

void open_text(BytesView code) {
  files::Mode mode = job().position == 1 ? files::Mode::kOutput : files::Mode::kAppend;
  files::open(output_name(code, ".txt"), mode, kGraphics);
}

constexpr BytesView kPointLead = "Point ";

void write_point(BytesView point_line, BytesView symbol, uint16_t line) {
  convert::write_vertex(kGraphics, kPointLead, point_line, line);
  files::print(kGraphics, symbol, Sep::kNone);
}

void write_point(int32_t x, int32_t y, BytesView symbol) {
  convert::write_vertex(kGraphics, kPointLead, x, y);
  files::print(kGraphics, symbol, Sep::kNone);
}

void write_pline(int16_t count) {
  files::print(kGraphics, "Pline", Sep::kSemicolon);
  files::print_integer(kGraphics, count, Sep::kNone);
}

void write_vertex(BytesView point_line, uint16_t line) {
  convert::write_vertex(kGraphics, {}, point_line, line);
}

void write_style(BytesView style) {
  line(style);
}

void Row::next() {
  files::print(kAttributes, first_ ? BytesView("\"") : BytesView("\",\""), Sep::kSemicolon);
  first_ = false;
}

void Row::text(BytesView value) {
  files::print(kAttributes, value, Sep::kSemicolon);
}

void Row::end() {
  files::print(kAttributes, "\"", Sep::kNone);
}

}  // namespace convert::mif
