// A page file of any content read into the page buffer, and any stream made into pages.
#include "fuzz/fuzz_file.h"
#include "link/page_file.h"

#include <cstdlib>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace quorl;
    PageBuffer buffer;
    readPageFile(quorl::fuzz::inputFile("page.dwk", data, size), buffer);
    if (buffer.pages > kPagesPerSlot)
        std::abort();
    for (std::size_t p = 0; p < buffer.pages; ++p)
        pageSector(buffer.bytes.data() + p * kPageSize);
    const std::vector<std::uint8_t> stream(data, data + std::min<std::size_t>(size, 20000));
    const auto pages = makePages(stream, 0x0101);
    if (pages.size() % kPageSize != 0)
        std::abort();
    return 0;
}
