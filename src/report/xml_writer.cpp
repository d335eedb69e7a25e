#include "report/xml_writer.h"

#include <string>
#include <string_view>

namespace {

constexpr std::string_view kLineEnd = "\r\n";

}  // namespace

ClXmlWriter::~ClXmlWriter() {
    AbandonFile();
}

int ClXmlWriter::OpenFile(OutputFile& file, const std::string& path) {
    AbandonFile();
    path_ = path;
    if (!file.Create(path)) return -1;
    file_ = &file;
    return 0;
}

bool ClXmlWriter::WriteText(std::string_view text) {
    if (file_ == nullptr) return false;
    if (file_->Write(text)) return true;
    // A file that failed once is not trusted with the rest of the document,
    // and a part of a document must not take the place of a whole one.
    file_->Abandon();
    file_ = nullptr;
    return false;
}

bool ClXmlWriter::OpenElement(std::string_view name, int depth, const char* attributeName1,
                              const char* attributeValue1, const char* attributeName2,
                              const char* attributeValue2) {
    if (file_ == nullptr) return false;
    BeginLine(name, depth);
    AppendAttributes(attributeName1, attributeValue1, attributeName2, attributeValue2);
    line_ += '>';
    line_ += kLineEnd;
    return WriteText(line_);
}

bool ClXmlWriter::WriteElement(std::string_view name, std::string_view value, int depth,
                               const char* attributeName1, const char* attributeValue1,
                               const char* attributeName2, const char* attributeValue2) {
    if (file_ == nullptr) return false;
    BeginLine(name, depth);
    AppendAttributes(attributeName1, attributeValue1, attributeName2, attributeValue2);
    line_ += '>';
    line_ += EscapeText(value);
    line_ += "</";
    line_ += name;
    line_ += '>';
    line_ += kLineEnd;
    return WriteText(line_);
}

bool ClXmlWriter::CloseElement(std::string_view name, int depth) {
    if (file_ == nullptr) return false;
    line_.assign(depth > 0 ? static_cast<std::size_t>(depth) : 0, '\t');
    line_ += "</";
    line_ += name;
    line_ += '>';
    line_ += kLineEnd;
    return WriteText(line_);
}

void ClXmlWriter::AbandonFile() {
    if (file_ == nullptr) return;
    file_->Abandon();
    file_ = nullptr;
}

bool ClXmlWriter::CloseFile() {
    if (file_ == nullptr) return true;
    OutputFile* file = file_;
    file_ = nullptr;
    return file->Close();
}

std::string ClXmlWriter::EscapeText(std::string_view text) {
    std::string escaped;
    escaped.reserve(text.size());
    for (const char c : text) {
        switch (c) {
            case '"':
                escaped += "&quot;";
                break;
            case '&':
                escaped += "&amp;";
                break;
            case '\'':
                escaped += "&apos;";
                break;
            case '<':
                escaped += "&lt;";
                break;
            case '>':
                escaped += "&gt;";
                break;
            default:
                escaped += c;
        }
    }
    return escaped;
}

void ClXmlWriter::BeginLine(std::string_view name, int depth) {
    line_.assign(depth > 0 ? static_cast<std::size_t>(depth) : 0, '\t');
    line_ += '<';
    line_ += name;
}

void ClXmlWriter::AppendAttributes(const char* name1, const char* value1, const char* name2,
                                   const char* value2) {
    if (name1 == nullptr || value1 == nullptr) return;
    const auto append = [this](const char* name, const char* value) {
        line_ += ' ';
        line_ += name;
        line_ += "=\"";
        line_ += EscapeText(value);
        line_ += '"';
    };
    append(name1, value1);
    if (name2 != nullptr && value2 != nullptr) append(name2, value2);
}
