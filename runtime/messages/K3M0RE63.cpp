// The message library: a Japanese text (CP932) for every error code the
// run-time raises. Loaded by the error report through its one export,
// "$PbGetErrMsg" (instance, code, buffer, size) -> non-zero when the buffer
// holds the NUL-terminated text. Built as a shared object on POSIX and as a
// DLL on Windows (exported through K3M0RE63.def).
#include <cstring>
#include <string>

#include "runtime/platform/codepage.h"

namespace {

struct Message {
  int code;
  const char* text;  // UTF-8 here, CP932 to the caller
};

constexpr Message kMessages[] = {
    {5, "関数の呼び出しが無効です（引数が範囲外です）。"},
    {6, "オーバーフローしました。"},
    {7, "メモリが不足しています。"},
    {9, "配列の添字が範囲外です。"},
    {10, "配列はすでに宣言されています。"},
    {11, "0 で除算しました。"},
    {13, "型が一致しません。"},
    {15, "文字列が長すぎます。"},
    {16, "文字列式が複雑すぎます。"},
    {27, "デバイスエラーが発生しました。"},
    {28, "ネットワークの要求がサポートされていません。"},
    {50, "ファイル番号が正しくありません。"},
    {51, "ファイルモードが正しくありません。"},
    {52, "ファイルはすでに開かれています。"},
    {54, "ファイルの終わりを越えて読み込もうとしました。"},
    {55, "ファイル名が正しくありません。"},
    {57, "ファイルが開かれていません。"},
    {59, "ネットワークエラーが発生しました。"},
    {60, "ファイルの共有違反です。"},
    {61, "ディスクがいっぱいです。"},
    {63, "ファイルが見つかりません。"},
    {64, "ファイルはすでに存在します。"},
    {66, "開いているファイルが多すぎます。"},
    {67, "ディスクがいっぱいです。"},
    {71, "ディスクが準備されていません。"},
    {72, "ドライブの準備ができていません。"},
    {73, "ディスクは書き込み禁止です。"},
    {75, "パスまたはファイルへのアクセスが拒否されました。"},
    {81, "スタックが不足しています。"},
    {82, "文字列領域が不足しています。"},
    {89, "印字バッファのメモリが不足しています。"},
    {98, "中断しました。"},
    {1000, "ウィンドウがありません。"},
    {1002, "ウィンドウの種類が正しくありません。"},
    {1006, "このウィンドウはすでに入力待ちです。"},
};

}  // namespace

extern "C" int PbGetErrMsg(void* instance, int code, char* buffer,
                           int size) __asm__("$PbGetErrMsg");

extern "C" int PbGetErrMsg(void*, int code, char* buffer, int size) {
  if (!buffer || size <= 0) return 0;
  for (const Message& m : kMessages) {
    if (m.code != code) continue;
    const std::string text = rt::platform::utf8_to_cp932(m.text);
    if (text.size() + 1 > static_cast<size_t>(size)) return 0;
    std::memcpy(buffer, text.c_str(), text.size() + 1);
    return 1;
  }
  return 0;
}
