#include "gallery/ordered_work.h"

namespace montrelle {

int DefaultWorkerCount() {
  return std::max(1, static_cast<int>(std::thread::hardware_concurrency()));
}

}  // namespace montrelle
