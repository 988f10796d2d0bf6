#include "settings/key_value_document.h"

#include "platform/file_system.h"
#include "platform/input_file.h"
#include "settings/decimal_number.h"

namespace tessik {
namespace {

constexpr std::string_view kLineEnd = "\r\n";
constexpr std::string_view kDeclaration = R"(<?xml version="1.0" encoding="utf-8"?>)";
constexpr std::string_view kDefaultRoot = "InitFile";
constexpr std::string_view kXmlIndent = "  ";

std::string OpeningMarker(DocumentLayout layout, std::string_view key) {
    if (layout == DocumentLayout::Xml) return std::string("<").append(key).append(">");
    return std::string(key).append("=\"");
}

std::string ClosingMarker(DocumentLayout layout, std::string_view key) {
    if (layout == DocumentLayout::Xml) return std::string("</").append(key).append(">");
    return "\"";
}

// The whole file, or nothing when it cannot be read or is empty or too large.
std::optional<std::string> ReadWholeFile(const std::u16string& path) {
    InputFile file;
    if (file.Open(path) != ReadFailure::kNone) return std::nullopt;
    const std::uint64_t size = file.Size();
    if (size == 0 || size > KeyValueDocument::kMaxFileBytes) return std::nullopt;
    std::string bytes(static_cast<std::size_t>(size), '\0');
    const std::int64_t got = file.Read(bytes.data(), bytes.size());
    if (got < 0) return std::nullopt;
    // A file that shrank since it was measured gives what it still holds.
    bytes.resize(static_cast<std::size_t>(got));
    return bytes;
}

}  // namespace

KeyValueDocument::KeyValueDocument(DocumentLayout layout) : layout_(layout) {
    setRootName(kDefaultRoot);
}

void KeyValueDocument::setRootName(std::string_view name) {
    rootName_ = name;
    if (layout_ != DocumentLayout::Xml) return;
    header_ = std::string(kDeclaration) + std::string(kLineEnd) + "<" + rootName_ + ">" +
              std::string(kLineEnd);
    footer_ = "</" + rootName_ + ">" + std::string(kLineEnd);
}

bool KeyValueDocument::load(const std::u16string& path) {
    const std::optional<std::string> bytes = ReadWholeFile(path);
    if (!bytes) return false;
    // Like a C string, the text ends at the first zero byte.
    const std::string_view text(*bytes);
    return parse(text.substr(0, text.find('\0')));
}

bool KeyValueDocument::save(const std::u16string& path) const {
    return ReplaceFileContents(path, serialize());
}

bool KeyValueDocument::parse(std::string_view text) {
    if (layout_ == DocumentLayout::Plain) {
        body_ = text;
        return true;
    }
    const std::size_t declarationEnd = text.find("?>");
    const std::size_t rootOpen =
        declarationEnd == std::string_view::npos ? declarationEnd : text.find('<', declarationEnd);
    const std::size_t rootClose =
        rootOpen == std::string_view::npos ? rootOpen : text.find('>', rootOpen);
    if (rootClose == std::string_view::npos) {
        setRootName(kDefaultRoot);
        return false;
    }
    setRootName(text.substr(rootOpen + 1, rootClose - rootOpen - 1));
    std::size_t bodyStart = rootClose + 1;
    if (bodyStart < text.size() && text[bodyStart] == '\r') ++bodyStart;
    if (bodyStart < text.size() && text[bodyStart] == '\n') ++bodyStart;
    const std::size_t bodyEnd = text.find("</" + rootName_ + ">", bodyStart);
    if (bodyEnd == std::string_view::npos) return false;
    body_ = text.substr(bodyStart, bodyEnd - bodyStart);
    return true;
}

std::string KeyValueDocument::serialize() const {
    return header_ + body_ + footer_;
}

std::optional<std::string_view> KeyValueDocument::lookup(std::string_view key, std::size_t start) {
    const std::string opening = OpeningMarker(layout_, key);
    const std::size_t open = body_.find(opening, start);
    if (open == std::string::npos) return std::nullopt;
    const std::size_t valueStart = open + opening.size();
    const std::string closing = ClosingMarker(layout_, key);
    const std::size_t close = body_.find(closing, valueStart);
    if (close == std::string::npos) return std::nullopt;
    cursor_ = close + closing.size();
    return std::string_view(body_).substr(valueStart, close - valueStart);
}

std::optional<std::string_view> KeyValueDocument::nonEmptyValue(std::string_view key) {
    const std::optional<std::string_view> value = lookup(key, 0);
    if (!value || value->empty()) return std::nullopt;
    return value;
}

std::string KeyValueDocument::getString(std::string_view key, std::string_view defaultValue) {
    return std::string(nonEmptyValue(key).value_or(defaultValue));
}

int KeyValueDocument::getInt(std::string_view key, int defaultValue) {
    const std::optional<std::string_view> value = nonEmptyValue(key);
    return value ? ScanDecimal(*value).value : defaultValue;
}

bool KeyValueDocument::getBool(std::string_view key, bool defaultValue) {
    const std::optional<std::string_view> value = nonEmptyValue(key);
    return value ? ScanDecimal(*value).value == 1 : defaultValue;
}

std::string KeyValueDocument::getNext(std::string_view key) {
    return std::string(lookup(key, cursor_).value_or(std::string_view()));
}

void KeyValueDocument::setString(std::string_view key, std::string_view value) {
    if (layout_ == DocumentLayout::Xml) body_ += kXmlIndent;
    body_ += OpeningMarker(layout_, key);
    body_ += value;
    body_ += ClosingMarker(layout_, key);
    body_ += kLineEnd;
}

void KeyValueDocument::setInt(std::string_view key, int value) {
    setString(key, std::to_string(value));
}

void KeyValueDocument::setBool(std::string_view key, bool value) {
    setString(key, value ? "1" : "0");
}

void KeyValueDocument::clear() {
    body_.clear();
    cursor_ = 0;
}

}  // namespace tessik
