#include "app/print_job.h"

#include <QPrinter>
#include <algorithm>

namespace quorl {

PrintJob printJobOf(const QPrinter& printer, int pageCount) {
    PrintJob job;
    job.toPage = pageCount;
    if (printer.printRange() == QPrinter::PageRange && printer.fromPage() > 0) {
        job.fromPage = printer.fromPage();
        job.toPage = printer.toPage() > 0 ? printer.toPage() : pageCount;
    }
    job.copies = printer.supportsMultipleCopies() ? 1 : std::max(1, printer.copyCount());
    job.collate = printer.collateCopies();
    job.lastPageFirst = printer.pageOrder() == QPrinter::LastPageFirst;
    return job;
}

std::vector<int> printSequence(const PrintJob& job, int pageCount) {
    const int from = std::max(1, job.fromPage);
    const int to = std::min(pageCount, job.toPage);
    std::vector<int> range;
    for (int p = from; p <= to; ++p)
        range.push_back(p);
    if (job.lastPageFirst)
        std::reverse(range.begin(), range.end());
    std::vector<int> sequence;
    const int copies = std::max(1, job.copies);
    if (job.collate) {
        for (int c = 0; c < copies; ++c)
            sequence.insert(sequence.end(), range.begin(), range.end());
    } else {
        for (int p : range)
            sequence.insert(sequence.end(), static_cast<std::size_t>(copies), p);
    }
    return sequence;
}

} // namespace quorl
