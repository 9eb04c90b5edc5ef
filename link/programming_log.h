#pragma once

#include <string>
#include <vector>

namespace quorl {

// One row of the programming log: which pager got what, and how it went.
struct ProgrammingLogRow {
    std::string started; // ISO 8601, UTC, when this pager's operation began
    std::string ended;   // and when it ended
    std::string port;
    std::string serialNumber;
    std::string model;
    std::string firmware;
    std::string operation;
    std::string fileName;
    // Of the image or streams sent (or the file written), taken before they went out.
    std::string size;
    std::string fileSha256;
    std::string result;
    std::string verifyResult;
};

// The row as CSV (RFC 4180 quoting), with line breaks inside a message made blanks so
// a row is one line; ends with "\r\n". Pager and file texts are no place for commands:
// a field that begins with = + - @, TAB or CR gets a leading ' so a spreadsheet takes it
// as text, and other control characters are written as \xNN.
std::string csvRow(const ProgrammingLogRow& row);
// One field under the same rules.
std::string csvField(const std::string& text);
std::string programmingLogHeader();

// Appends the rows to the CSV file at `path`, the header first when the file is
// empty. Each row goes in one write under an exclusive lock on the file and reaches
// the disk (fsync) before this returns, so a crash never leaves half a row, a row
// appended as a pager ends survives whatever comes after, and several runs may append
// to the same file at once. A row the disk has no room for is cut off again whole.
// On failure `problem`, when given, names the file and the cause.
bool appendProgrammingLog(const std::string& path, const std::vector<ProgrammingLogRow>& rows,
                          std::string* problem = nullptr);

std::string isoTimeNow();

} // namespace quorl
