// The numbers of the files the conversion reads: the job list, the sheet's
// inputs and each converter's record file are file 1 in turn; the
// elevation layer reads its records beside its points as file 3. The
// outputs' numbers belong to their writers (mif_writer.h).
#pragma once

namespace convert {

constexpr int kInputFile = 1;
constexpr int kSecondInputFile = 3;

}  // namespace convert
