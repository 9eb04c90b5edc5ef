#include "app/summary_report.h"
#include "widgets/system_text.h"

#include "codeplug/codeplug_image.h"
#include "codeplug/general_block.h"
#include "codeplug/summary_channel.h"
#include "codeplug/summary_texts.h"
#include "textplug/editor_session.h"

#include <QFont>
#include <QPagedPaintDevice>
#include <QPainter>

namespace quorl {

namespace {

constexpr int kPageWidth = 4600; // a line "across the page" at 600 dpi
constexpr int kTextHeight = 140;

// Text whose top-left corner is at (x, y) in layout units.
void text(QPainter& p, int x, int y, const QString& s) {
    p.drawText(QRect(x, y, 6000, kTextHeight), Qt::AlignLeft | Qt::AlignTop | Qt::TextDontClip, s);
}

void hline(QPainter& p, int y, int x0 = 0, int x1 = kPageWidth) {
    p.drawLine(x0, y, x1, y);
}
void vline(QPainter& p, int x, int y0, int y1) {
    p.drawLine(x, y0, x, y1);
}

} // namespace

SummaryReport::SummaryReport(const CodeplugImage& image, std::string fileName,
                             std::string pagerVersion)
    // Printed as the editors show it, out-of-range bytes included.
    : image_(textplug::shownImage(image)), fileName_(std::move(fileName)),
      pagerVersion_(std::move(pagerVersion)) {}

int SummaryReport::pageCount() const {
    return GeneralBlock(image_).isSingleChannel() ? 2 : 6;
}

void SummaryReport::printAll(QPagedPaintDevice& device, QPainter& painter, double deviceDpi) const {
    std::vector<int> pages;
    for (int page = 1; page <= pageCount(); ++page)
        pages.push_back(page);
    printPages(painter, deviceDpi, pages, [&device] { device.newPage(); });
}

void SummaryReport::printPages(QPainter& painter, double deviceDpi, const std::vector<int>& pages,
                               const std::function<void()>& newSheet) const {
    bool first = true;
    for (int page : pages) {
        if (!first)
            newSheet();
        first = false;
        paintPage(painter, page, deviceDpi);
    }
}

void SummaryReport::paintPage(QPainter& p, int page, double deviceDpi) const {
    p.save();
    const double scale = deviceDpi / kLayoutDpi;
    p.scale(scale, scale);
    QFont font(QStringLiteral("Sans Serif"));
    font.setPixelSize(90); // about 11 points at 600 dpi
    p.setFont(font);
    QPen pen(Qt::black);
    pen.setWidth(1);
    pen.setCosmetic(true); // one device pixel at any scale
    p.setPen(pen);
    paintHeader(p);
    if (page == 1)
        paintIdentityPage(p);
    else if (page >= 2 && page <= 6)
        paintChannelPage(p, page - 2);
    p.restore();
}

void SummaryReport::paintHeader(QPainter& p) const {
    const QString welcome =
        fileName_.empty() ? QStringLiteral("Welcome to Corvane Tessaly VI Quorl!")
                          : QStringLiteral("Welcome to Corvane Tessaly VI Quorl! (File Name : ") +
                                fieldText(fileName_) + QStringLiteral(" )");
    text(p, 10, 10, welcome);
    hline(p, 150);
}

void SummaryReport::paintIdentityPage(QPainter& p) const {
    const SummaryIdentity id = summaryIdentity(image_, pagerVersion_);
    text(p, 10, 200, "MODEL : " + fieldText(id.model));
    text(p, 1600, 200, "PLUG VER : " + fieldText(id.codeplugVersion));
    text(p, 3150, 200, "BAND SPLIT : " + fieldText(id.bandSplit));
    text(p, 10, 350, "SERIAL : " + fieldText(id.serial));
    text(p, 1600, 350, "PAGER VER : " + fieldText(id.pagerVersion));
    text(p, 3150, 350, "IF : " + fieldText(id.intermediateFrequency) + "MHz");
    text(p, 10, 500, "TANAPA : " + fieldText(id.tanapa));
    text(p, 3150, 500, "TCXO : " + fieldText(id.tcxo) + "MHz");
    text(p, 10, 650, "CHANNEL TYPE : " + fieldText(id.channelType));
    hline(p, 850);

    text(p, 10, 1000, QStringLiteral("1. MODEL OPTIONS "));
    int y = 1150;
    for (const auto& [label, value] : summaryModelOptions(image_)) {
        text(p, 100, y, systemText(label) + systemText(value));
        y += 150;
    }
    if (const auto fixed = summaryFixedAlertDuration(image_))
        text(p, 1900, 2050, systemText(*fixed));
    hline(p, 3320);

    text(p, 10, 3400, QStringLiteral("2. FUNCTION SWITCH "));
    paintSwitchGrid(p, 0, 3550);
    paintSwitchGrid(p, 4, 4910);
}

void SummaryReport::paintSwitchGrid(QPainter& p, int first, int top) const {
    constexpr int kRow = 170;
    const int bottom = top + 8 * kRow;
    for (int r = 0; r <= 8; ++r)
        hline(p, top + r * kRow, 60, 4550);
    constexpr int kColumns[] = {60, 830, 1760, 2690, 3620, 4550};
    for (int x : kColumns)
        vline(p, x, top, bottom);
    const auto switches = summarySwitches(image_);
    for (int c = 0; c < 4; ++c) {
        const int k = first + c;
        text(p, 1150 + 930 * c, top + 20, QStringLiteral("SW-%1").arg(QChar('A' + k)));
    }
    for (int r = 0; r < 7; ++r)
        text(p, 100, top + 190 + kRow * r,
             QString::fromUtf8(kSummarySwitchRows[static_cast<std::size_t>(r)]));
    for (int c = 0; c < 4; ++c) {
        const SummarySwitch& s = switches[static_cast<std::size_t>(first + c)];
        const int x = 860 + 930 * c;
        const std::string values[7] = {s.mode,         s.alertType, s.announcement, s.onOffDuty,
                                       s.pushToListen, s.scan1,     s.scan2};
        for (int r = 0; r < 7; ++r) {
            if (s.disabled && r > 0)
                break; // a disabled switch prints only its mode
            if (r >= 5 && !s.scanning)
                break; // scan channels only for the scan modes
            text(p, x, top + 190 + kRow * r, systemText(values[r]));
        }
    }
}

void SummaryReport::paintChannelPage(QPainter& p, int channel) const {
    const SummaryChannel ch = summaryChannel(image_, channel);
    if (channel == 0)
        text(p, 10, 200, QStringLiteral("3. CHANNEL INFORMATION "));
    text(p, 100, 350, systemText(ch.receiveLine));
    text(p, 100, 500, "Band : " + systemText(ch.band));
    text(p, 100, 650, "Reset Function : " + systemText(ch.resetFunction));
    if (ch.resetTime)
        text(p, 1650, 650, systemText(*ch.resetTime));
    text(p, 100, 800, "Tone System : " + systemText(ch.toneSystem));
    text(p, 100, 950, "Coding Option : " + systemText(ch.codingOption));
    if (ch.onOffDuty)
        text(p, 100, 1100, "On/Off DUTY : " + systemText(*ch.onOffDuty));

    constexpr int kTop = 1250, kBottom = 3970, kRow = 170;
    for (int y = kTop; y <= kBottom; y += kRow)
        hline(p, y, 60, 2680);
    for (int x : {60, 580, 1000, 1425, 1870, 2345, 2680})
        vline(p, x, kTop, kBottom);
    text(p, 610, 1270, QStringLiteral("TONE1"));
    text(p, 1030, 1270, QStringLiteral("TONE2"));
    text(p, 1450, 1270, QStringLiteral("ALERTS"));
    text(p, 1895, 1270, QStringLiteral("VIBRATE"));
    text(p, 2370, 1270, QStringLiteral("DUTY"));
    for (int r = 0; r < 15; ++r) {
        const SummaryToneRow& row = ch.rows[static_cast<std::size_t>(r)];
        const int y = r < 10 ? 1440 + kRow * r : 3140 + kRow * (r - 10);
        text(p, 100, y, systemText(row.label));
        if (!row.printed)
            continue;
        text(p, 640, y, systemText(row.tone1));
        text(p, 1060, y, systemText(row.tone2));
        text(p, 1480, y, systemText(row.alert));
        text(p, 1950, y, systemText(row.vibrate));
        text(p, 2430, y, systemText(row.duty));
    }
    text(p, 100, 4140, "Squelch Level : " + systemText(ch.squelch));
}

} // namespace quorl
