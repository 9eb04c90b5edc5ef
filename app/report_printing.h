#pragma once

#include <QString>
#include <filesystem>
#include <functional>
#include <string>

class QPrinter;
class QPrintPreviewDialog;
class QWidget;

namespace quorl {

class SummaryReport;

// Draws every page of the summary on `printer` (a preview's, a real one's).
void paintReport(QPrinter& printer, const SummaryReport& report);

// Print Preview: a modal preview window over the summary. `registerClose` gets a
// function that closes the preview (the frame calls it when asked to close).
// Sizes a print preview to the work area and fits the page to its width.
void fitPreview(QPrintPreviewDialog& preview);

void showReportPreview(QWidget* owner, const std::function<SummaryReport()>& report,
                       const std::function<void(std::function<void()>)>& registerClose);

// Print: the print dialog, then the pages and copies chosen there. False when
// cancelled.
bool printReport(QWidget* owner, const SummaryReport& report);
// The pages and copies a printer set up by the print dialog asks for.
void printChosenPages(QPrinter& printer, const SummaryReport& report);

// Writes the summary as a PDF, replacing `path` only once it is complete. The name
// is taken as the bytes it is, whatever their encoding. On failure `problem`, when
// given, names the file and the cause.
bool exportReportPdf(const SummaryReport& report, const std::filesystem::path& path,
                     std::string* problem = nullptr);

} // namespace quorl
