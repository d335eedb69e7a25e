#include "model/section_frame.h"

#include <algorithm>
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace {

// The line end that follows the header on its line.
constexpr std::size_t kHeaderLineEndBytes = 2;

}  // namespace

bool FindSectionBody(std::string_view fileBytes, std::string_view header, std::string& body) {
    const std::size_t headerAt = fileBytes.find(header);
    if (headerAt == std::string_view::npos) return false;
    const std::size_t headerEnd = headerAt + header.size();
    const std::size_t terminatorAt = fileBytes.find(kSectionTerminator, headerEnd);
    if (terminatorAt == std::string_view::npos) return false;
    if (terminatorAt - headerAt > kMaxSectionBytes) return false;
    // A terminator right after the header (its line ending in a lone "\n")
    // gives an empty body, not a negative length.
    const std::size_t bodyAt = std::min(headerEnd + kHeaderLineEndBytes, terminatorAt);
    body.assign(fileBytes.substr(bodyAt, terminatorAt - bodyAt));
    return true;
}

std::vector<std::string_view> BodyLines(std::string_view body) {
    std::vector<std::string_view> lines;
    std::size_t from = 0;
    while (true) {
        const std::size_t lineEnd = body.find('\n', from);
        if (lineEnd == std::string_view::npos) break;
        const std::size_t length = lineEnd + 1 - from;
        if (length <= kMaxBodyLineBytes) lines.push_back(body.substr(from, length));
        from = lineEnd + 1;
    }
    return lines;
}
