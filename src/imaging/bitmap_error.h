// The one error of the BMP reader, shared by its header checks and its pixel
// decoder.
#pragma once

#include "platform/app_error.h"

namespace montrelle {

// "ビットマップイメージが不正です".
AppError BitmapError();

}  // namespace montrelle
