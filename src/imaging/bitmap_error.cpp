#include "imaging/bitmap_error.h"

namespace montrelle {

AppError BitmapError() {
  return AppError("ビットマップイメージが不正です");
}

}  // namespace montrelle
