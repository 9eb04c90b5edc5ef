#include "app/print_job.h"
#include "app/report_printing.h"
#include "app/summary_report.h"
#include "recording_paint_device.h"
#include "tests/support/test_files.h"

#include <QApplication>
#include <QPainter>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QRegularExpression>
#include <QScreen>
#include <gtest/gtest.h>

namespace quorl {
namespace {

// A printer set up as the print dialog leaves it after "Pages 2 to 3, 2 copies".
void chooseInDialog(QPrinter& printer, bool collate) {
    printer.setPrintRange(QPrinter::PageRange);
    printer.setFromTo(2, 3);
    printer.setCopyCount(2);
    printer.setCollateCopies(collate);
}

TEST(Printing, ThePageRangeAndCopiesOfTheDialogAreWhatIsDrawn) {
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat); // makes no copies of its own
    chooseInDialog(printer, true);
    const PrintJob job = printJobOf(printer, 6);
    EXPECT_EQ(printSequence(job, 6), (std::vector<int>{2, 3, 2, 3}));
    chooseInDialog(printer, false);
    EXPECT_EQ(printSequence(printJobOf(printer, 6), 6), (std::vector<int>{2, 2, 3, 3}));
    printer.setPageOrder(QPrinter::LastPageFirst);
    printer.setCopyCount(1);
    EXPECT_EQ(printSequence(printJobOf(printer, 6), 6), (std::vector<int>{3, 2}));
    // All pages, and a range past the end of a two-page summary.
    QPrinter all(QPrinter::HighResolution);
    all.setOutputFormat(QPrinter::PdfFormat);
    EXPECT_EQ(printSequence(printJobOf(all, 6), 6), (std::vector<int>{1, 2, 3, 4, 5, 6}));
    EXPECT_EQ(printSequence(PrintJob{2, 5, 1, true, false}, 2), (std::vector<int>{2}));
}

TEST(Printing, ARecordingPrinterGetsPagesTwoAndThreeOfASixPageSummary) {
    const CodeplugImage image = test::validImage(); // the report keeps a reference
    const SummaryReport report(image, "f.ppg", "V02.13");
    ASSERT_EQ(report.pageCount(), 6);
    test::RecordingPaintDevice device;
    std::vector<std::size_t> sheetStarts{0};
    {
        QPainter painter(&device);
        report.printPages(painter, 600, {2, 3, 2, 3},
                          [&] { sheetStarts.push_back(device.recording.texts.size()); });
    }
    ASSERT_EQ(sheetStarts.size(), 4u);
    sheetStarts.push_back(device.recording.texts.size());
    const auto sheetHas = [&](std::size_t sheet, const QString& prefix) {
        for (std::size_t i = sheetStarts[sheet]; i < sheetStarts[sheet + 1]; ++i)
            if (device.recording.texts[i].text.startsWith(prefix))
                return true;
        return false;
    };
    for (std::size_t sheet : {0u, 2u}) {
        EXPECT_TRUE(sheetHas(sheet, QStringLiteral("3. CHANNEL INFORMATION")));
        EXPECT_TRUE(sheetHas(sheet, QStringLiteral("REV FREQ F1 : ")));
    }
    for (std::size_t sheet : {1u, 3u})
        EXPECT_TRUE(sheetHas(sheet, QStringLiteral("REV FREQ F2 : ")));
    for (std::size_t sheet = 0; sheet < 4; ++sheet) {
        EXPECT_FALSE(sheetHas(sheet, QStringLiteral("MODEL : "))) << "page 1 is not printed";
        EXPECT_FALSE(sheetHas(sheet, QStringLiteral("REV FREQ F3 : ")));
    }
}

TEST(Printing, APdfPrinterReceivesOnlyTheChosenSheets) {
    test::TempDir dir;
    const QString file = QString::fromStdString((dir / "summary.pdf").string());
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(file);
    chooseInDialog(printer, true);
    printChosenPages(printer, SummaryReport(test::validImage(), "f.ppg", ""));
    const auto bytes = test::readAll(dir / "summary.pdf");
    const QString pdf = QString::fromLatin1(bytes.data(), static_cast<qsizetype>(bytes.size()));
    EXPECT_EQ(pdf.count(QRegularExpression(QStringLiteral("/Type\\s*/Page[^s]"))), 4);
}

} // namespace
} // namespace quorl

namespace quorl {
namespace {

// Print Preview opens inside the work area with the page at the window's width.
TEST(Printing, ThePreviewFitsTheScreenAndThePageItsWidth) {
    QPrinter printer(QPrinter::HighResolution);
    QPrintPreviewDialog preview(&printer);
    fitPreview(preview);
    preview.show();
    QApplication::processEvents();
    const QRect area = preview.screen()->availableGeometry();
    EXPECT_LE(preview.width(), area.width());
    EXPECT_LE(preview.height(), area.height());
    auto* page = preview.findChild<QPrintPreviewWidget*>();
    ASSERT_NE(page, nullptr);
    EXPECT_EQ(page->zoomMode(), QPrintPreviewWidget::FitToWidth);
    preview.close();
}

} // namespace
} // namespace quorl
