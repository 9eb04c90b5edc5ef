#pragma once

#include "codeplug/codeplug_image.h"

#include <functional>
#include <string>
#include <vector>

class QPainter;
class QPagedPaintDevice;

namespace quorl {

// The printed summary of a committed image. Its layout is drawn in units of a
// 600-dot-per-inch printer and scaled to the device, so print, preview and PDF
// look the same.
class SummaryReport {
public:
    static constexpr double kLayoutDpi = 600.0;

    // The texts are taken from `image` when each page is drawn.
    SummaryReport(const CodeplugImage& image, std::string fileName, std::string pagerVersion);

    // 2 for a single-channel codeplug, 6 otherwise.
    int pageCount() const;
    // Draws page `page` (1-based) with `painter` already on the device;
    // `deviceDpi` is the device's logical resolution.
    void paintPage(QPainter& painter, int page, double deviceDpi) const;
    // Every page, with page breaks, on a printer or PDF writer.
    void printAll(QPagedPaintDevice& device, QPainter& painter, double deviceDpi) const;
    // The given pages in order, one sheet each; `newSheet` starts every sheet but
    // the first.
    void printPages(QPainter& painter, double deviceDpi, const std::vector<int>& pages,
                    const std::function<void()>& newSheet) const;

private:
    void paintHeader(QPainter& p) const;
    void paintIdentityPage(QPainter& p) const;
    void paintSwitchGrid(QPainter& p, int firstSwitch, int top) const;
    void paintChannelPage(QPainter& p, int channel) const;

    CodeplugImage image_; // as the editors show it
    std::string fileName_;
    std::string pagerVersion_;
};

} // namespace quorl
