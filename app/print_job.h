#pragma once

#include <vector>

class QPrinter;

namespace quorl {

// What the print dialog asked for, in plain numbers.
struct PrintJob {
    int fromPage = 1; // 1-based, inclusive
    int toPage = 1;
    int copies = 1; // copies the program itself must draw
    bool collate = true;
    bool lastPageFirst = false;
};

// The job a printer set up by the print dialog describes for a document of
// `pageCount` pages. Copies the printing system makes itself are not drawn again.
PrintJob printJobOf(const QPrinter& printer, int pageCount);

// The pages to draw, in order, one sheet each: the chosen range clipped to the
// document, repeated for the copies (whole sets when collated, else each page
// its copies in a row), in the order the dialog chose.
std::vector<int> printSequence(const PrintJob& job, int pageCount);

} // namespace quorl
