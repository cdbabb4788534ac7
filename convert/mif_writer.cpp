#include "convert/mif_writer.h"

#include <cstring>
#include <string>

#include "convert/vertex_writer.h"
#include "runtime/file_names.h"
#include "runtime/files.h"

namespace convert::mif {

namespace {

using rt::Sep;
namespace files = rt::files;

constexpr BytesView kPointLead = "Point ";

Bytes output_name(const Job& job, BytesView code, const char* extension) {
  files::require_name_part(job.job_name);
  Bytes name = job.job_name;
  name += code;
  name += extension;
  return name;
}

files::Mode output_mode(bool create) {
  return create ? files::Mode::kOutput : files::Mode::kAppend;
}

}  // namespace

Pair::Pair(Job& job, const LayerLines& lines, BytesView code,
           const std::vector<const char*>& columns)
    : points_(job.points), lines_(lines) {
  const bool create = job.first_sheet();
  files::open(output_name(job, code, ".mif"), output_mode(create), kGraphics);
  files::open(output_name(job, code, ".mid"), output_mode(create), kAttributes);
  if (!create) return;
  for (BytesView line : {"Version 300", "Charset \"WindowsJapanese\"", "Delimiter \",\"",
                         "CoordSys Earth Projection 1, 0"})
    files::print(kGraphics, line, Sep::kNone);
  files::print(kGraphics, "Columns " + std::to_string(columns.size()), Sep::kNone);
  for (const char* column : columns) files::print(kGraphics, column, Sep::kNone);
  files::print(kGraphics, "Data", Sep::kNone);
  files::print(kGraphics, "", Sep::kNone);
}

void Pair::point(const SheetPoints::Entry& point, BytesView symbol) {
  write_vertex(points_, lines_, kGraphics, kPointLead, point);
  style(symbol);
}

void Pair::point(int32_t x, int32_t y, BytesView symbol) {
  write_vertex(points_, kGraphics, kPointLead, x, y);
  style(symbol);
}

void Pair::pline(int16_t count) {
  files::print(kGraphics, "Pline", Sep::kSemicolon);
  files::print_integer(kGraphics, count, Sep::kNone);
}

void Pair::vertices(std::span<const uint32_t> entries) {
  write_vertices(points_, lines_, kGraphics, entries);
}

void Pair::style(BytesView style) {
  files::print(kGraphics, style, Sep::kNone);
}

void Pair::integer_row(int32_t value) {
  files::print_integer(kAttributes, value, Sep::kNone);
}

void Row::separator() {
  put(first_ ? BytesView("\"") : BytesView("\",\""));
  first_ = false;
}

void Row::put(BytesView bytes) {
  if (bytes.empty()) return;  // an empty cut may have no data at all
  if (size_ + bytes.size() > kRoom) {
    hand_over();
    if (bytes.size() > kRoom) {
      files::print(file_, bytes, Sep::kSemicolon);
      return;
    }
  }
  std::memcpy(bytes_ + size_, bytes.data(), bytes.size());
  size_ += bytes.size();
}

void Row::hand_over() {
  if (size_ > 0) files::print(file_, BytesView(bytes_, size_), Sep::kSemicolon);
  size_ = 0;
}

void Row::next() {
  separator();
  hand_over();
}

void Row::text(BytesView value) {
  put(value);
}

void Row::end() {
  put("\"");
  files::print(file_, BytesView(bytes_, size_), Sep::kNone);
  size_ = 0;
}

TextFile::TextFile(const Job& job, BytesView code) {
  files::open(output_name(job, code, ".txt"), output_mode(job.first_sheet()), kNumber);
}

void TextFile::line(BytesView text) {
  files::print(kNumber, text, Sep::kNone);
}

}  // namespace convert::mif
