// PRINT # and PRINT # USING: the PRINT engine over an output file, whose
// bytes go to the journal an item a statement.
#include "runtime/byte_words.h"
#include "runtime/errors.h"
#include "runtime/file_table.h"

namespace rt::files {
namespace {

// The print column after writing `bytes` from column `col` (a file has no
// width); an item of one form feed sets it to 0. Items without control
// bytes, most of them, just add their length.
inline int column_after(int col, BytesView bytes) {
  if (bytes.size() == 1 && bytes[0] == '\f') return 0;
  if (bytes.size() == 2 && bytes[0] == '\r' && bytes[1] == '\n') return 0;  // a line end
  if (!words::any_below(bytes.data(), bytes.size(), ' '))
    return col + static_cast<int>(bytes.size());
  for (char c : bytes) col = next_column(col, c);
  return col;
}

// The PRINT engine's view of a file: width 0, column over written bytes.
class FileTarget {
 public:
  FileTarget(OutputJournal& journal, OutputFile& f) : journal_(journal), f_(f) {}
  int column() const { return f_.column; }
  int width() const { return 0; }
  bool expands_tabs() const { return false; }
  void emit(BytesView bytes) {
    journal_.put(f_, bytes);
    f_.column = column_after(f_.column, bytes);
  }
  void end_line() {
    journal_.put(f_, "\r\n");
    f_.column = 0;
  }

 private:
  OutputJournal& journal_;
  OutputFile& f_;
};

}  // namespace

void FileTable::print_item(OutputFile& f, BytesView text, Sep sep) {
  // A file has no width and keeps TABs: a line end starts the column again
  // whatever the item held.
  if (sep == Sep::kNone) {
    journal_.put(f, text);
    journal_.put(f, "\r\n");
    f.column = 0;
    return;
  }
  FileTarget target(journal_, f);
  rt::print_item(target, text, sep);
}

void FileTable::print_using(int n, const Picture& picture, double value, Sep sep) {
  OutputFile& f = output(n, Op::kUsing, 3);
  journal_.begin_item(f, loc(Op::kUsing, 4));
  Bytes item;
  picture.format(0, value, f.column, item);
  if (sep == Sep::kNone) item += "\r\n";
  journal_.put(f, item);
  if (sep == Sep::kNone)
    f.column = 0;
  else if (picture.plain())
    f.column += static_cast<int>(item.size());
  else
    f.column = column_after(f.column, item);
  journal_.end_item();
}

void FileTable::print_using(int n, const Picture& picture, std::initializer_list<double> values,
                            Sep sep) {
  OutputFile& f = output(n, Op::kUsing, 3);
  journal_.begin_item(f, loc(Op::kUsing, 4));
  FileTarget target(journal_, f);
  size_t index = 0;
  for (double value : values) {
    Bytes item;
    picture.format(index++, value, f.column, item);
    target.emit(item);
  }
  if (sep == Sep::kNone) target.end_line();
  journal_.end_item();
}

}  // namespace rt::files
