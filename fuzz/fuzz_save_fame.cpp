// fame.dat on arbitrary bytes.
#include <cstddef>
#include <cstdint>

#include "battle/fame.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  load_fame_image({data, size});
  free_fame();
  return 0;
}
