#pragma once

#include "codeplug/codeplug_image.h"

#include <optional>
#include <string>

namespace quorl {

// A kind of file the document opens and saves besides .ppg files (codeplug texts),
// provided by the program around it.
class CodeplugFileFormat {
public:
    virtual ~CodeplugFileFormat() = default;

    // Whether `path` is a file of this kind, by its name.
    virtual bool handles(const std::string& path) const = 0;
    // The codeplug the file holds; nothing when it cannot be used, after saying why.
    virtual std::optional<CodeplugImage> open(const std::string& path) = 0;
    // Writes `image` to `path` without damaging an existing file when it fails.
    virtual bool save(const std::string& path, const CodeplugImage& image,
                      std::string& problem) = 0;
};

} // namespace quorl
