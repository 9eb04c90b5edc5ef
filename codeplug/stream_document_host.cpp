#include "codeplug/stream_document_host.h"

#include <ostream>
#include <string>

namespace quorl {

std::string terminalText(std::string_view text) {
    std::string out;
    for (char c : text)
        if (c != '\r')
            out.push_back(c);
    while (!out.empty() && (out.back() == ' ' || out.back() == '\n'))
        out.pop_back();
    return out;
}

void StreamDocumentHost::showError(std::string_view text) {
    errors_ << terminalText(text) << '\n';
}

} // namespace quorl
