#include "app/report_printing.h"

#include "app/print_job.h"
#include "app/summary_report.h"
#include "base/atomic_file_write.h"

#include <QBuffer>
#include <QPageLayout>
#include <QPainter>
#include <QPdfWriter>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QScreen>
#include <algorithm>
#include <span>

namespace quorl {

namespace {

void useSmallMargins(QPagedPaintDevice& device) {
    // The layout reaches 7.6 x 10.5 inches; keep the margins narrow so it fits
    // both Letter and A4.
    device.setPageMargins(QMarginsF(6, 6, 6, 6), QPageLayout::Millimeter);
}

} // namespace

void paintReport(QPrinter& printer, const SummaryReport& report) {
    QPainter painter;
    if (!painter.begin(&printer))
        return;
    report.printAll(printer, painter, printer.resolution());
    painter.end();
}

void fitPreview(QPrintPreviewDialog& preview) {
    // Most of the work area, and the page at the width of the window: readable at
    // once, where the dialog's own default (a small window, the whole page) is not.
    if (const QScreen* screen = preview.screen()) {
        const QRect area = screen->availableGeometry();
        preview.resize(std::min(area.width() - 40, 1000), area.height() - 60);
    }
    if (auto* page = preview.findChild<QPrintPreviewWidget*>())
        page->fitToWidth();
}

void showReportPreview(QWidget* owner, const std::function<SummaryReport()>& report,
                       const std::function<void(std::function<void()>)>& registerClose) {
    QPrinter printer(QPrinter::HighResolution);
    useSmallMargins(printer);
    QPrintPreviewDialog preview(&printer, owner);
    preview.setObjectName(QStringLiteral("printPreview"));
    // Each page is drawn from the committed image as it is now.
    QObject::connect(&preview, &QPrintPreviewDialog::paintRequested, &preview,
                     [&report](QPrinter* p) { paintReport(*p, report()); });
    if (registerClose)
        registerClose([&preview] { preview.reject(); });
    fitPreview(preview);
    preview.exec();
    if (registerClose)
        registerClose({});
}

bool printReport(QWidget* owner, const SummaryReport& report) {
    QPrinter printer(QPrinter::HighResolution);
    useSmallMargins(printer);
    QPrintDialog dialog(&printer, owner);
    dialog.setMinMax(1, report.pageCount());
    if (dialog.exec() != QDialog::Accepted)
        return false;
    printChosenPages(printer, report);
    return true;
}

void printChosenPages(QPrinter& printer, const SummaryReport& report) {
    QPainter painter;
    if (!painter.begin(&printer))
        return;
    const PrintJob job = printJobOf(printer, report.pageCount());
    report.printPages(painter, printer.resolution(), printSequence(job, report.pageCount()),
                      [&printer] { printer.newPage(); });
    painter.end();
}

bool exportReportPdf(const SummaryReport& report, const std::filesystem::path& path,
                     std::string* problem) {
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    {
        QPdfWriter writer(&buffer);
        writer.setResolution(static_cast<int>(SummaryReport::kLayoutDpi));
        writer.setPageSize(QPageSize(QPageSize::Letter));
        useSmallMargins(writer);
        writer.setTitle(QStringLiteral("Codeplug summary"));
        writer.setCreator(QStringLiteral("Tessaly VI Quorl"));
        QPainter painter;
        if (!painter.begin(&writer)) {
            if (problem != nullptr)
                *problem = path.string() + ": the PDF could not be drawn";
            return false;
        }
        report.printAll(writer, painter, writer.resolution());
        painter.end();
    }
    const QByteArray& bytes = buffer.data();
    return writeFileAtomically(
        path, std::as_bytes(std::span(bytes.constData(), static_cast<std::size_t>(bytes.size()))),
        problem);
}

} // namespace quorl
