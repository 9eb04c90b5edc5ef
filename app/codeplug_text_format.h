#pragma once

#include "codeplug/codeplug_file_format.h"

class QWidget;

namespace quorl {

struct CodeplugState;

// Codeplug texts (.yaml, .yml) as documents. Open applies the text under the editors'
// rules, as Import Text does, onto the factory codeplug of the model the text names
// (its identity's Model Number); Save writes the text export.
class CodeplugTextFormat : public CodeplugFileFormat {
public:
    explicit CodeplugTextFormat(const CodeplugState& state) : state_(state) {}
    void setDialogOwner(QWidget* owner) { owner_ = owner; }

    bool handles(const std::string& path) const override;
    std::optional<CodeplugImage> open(const std::string& path) override;
    bool save(const std::string& path, const CodeplugImage& image, std::string& problem) override;

private:
    const CodeplugState& state_;
    QWidget* owner_ = nullptr;
};

} // namespace quorl
