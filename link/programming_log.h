#pragma once

#include <string>
#include <vector>

namespace quorl {

// One row of the programming log: which pager got what, and how it went.
struct ProgrammingLogRow {
    std::string time; // ISO 8601, UTC
    std::string port;
    std::string serialNumber;
    std::string model;
    std::string firmware;
    std::string operation;
    std::string fileName;
    std::string fileSha256;
    std::string result;
    std::string verifyResult;
};

// The row as CSV (RFC 4180 quoting), with line breaks inside a message made blanks so
// a row is one line; ends with "\r\n".
std::string csvRow(const ProgrammingLogRow& row);
std::string programmingLogHeader();

// Appends the rows to the CSV file at `path`, the header first when the file is
// empty. Each row goes in one write under an exclusive lock on the file, so a crash
// never leaves half a row and several runs may append to the same file at once.
bool appendProgrammingLog(const std::string& path, const std::vector<ProgrammingLogRow>& rows);

std::string isoTimeNow();

} // namespace quorl
