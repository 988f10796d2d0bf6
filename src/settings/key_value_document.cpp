#include "settings/key_value_document.h"

#include <algorithm>

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

// The file's bytes up to the cap, or why there are none.
struct FileBytes {
    LoadResult result;
    std::string bytes;
};

FileBytes ReadCappedFile(const std::u16string& path) {
    FileBytes file;
    InputFile input;
    const ReadFailure failure = input.Open(path);
    if (failure == ReadFailure::kMissing) return file;
    if (failure != ReadFailure::kNone) {
        file.result = {LoadOutcome::kUnreadable, failure};
        return file;
    }
    const bool tooLarge = input.Size() > KeyValueDocument::kMaxFileBytes;
    file.bytes.resize(static_cast<std::size_t>(
        std::min<std::uint64_t>(input.Size(), KeyValueDocument::kMaxFileBytes)));
    const std::int64_t got = input.Read(file.bytes.data(), file.bytes.size());
    if (got < 0) {
        file.result = {LoadOutcome::kUnreadable, ReadFailure::kIoError};
        file.bytes.clear();
        return file;
    }
    // A file that shrank since it was measured gives what it still holds.
    file.bytes.resize(static_cast<std::size_t>(got));
    file.result.outcome = file.bytes.empty() ? LoadOutcome::kEmpty
                          : tooLarge         ? LoadOutcome::kDamaged
                                             : LoadOutcome::kLoaded;
    return file;
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

LoadResult KeyValueDocument::load(const std::u16string& path) {
    FileBytes file = ReadCappedFile(path);
    const LoadOutcome found = file.result.outcome;
    if (found != LoadOutcome::kLoaded && found != LoadOutcome::kDamaged) return file.result;
    // Like a C string, the text ends at the first zero byte.
    const std::string_view text(file.bytes);
    if (!parse(text.substr(0, text.find('\0')))) file.result.outcome = LoadOutcome::kDamaged;
    return file.result;
}

WriteFailure KeyValueDocument::save(const std::u16string& path,
                                    const std::u16string& keepOldAs) const {
    return ReplaceFileContents(path, serialize(), keepOldAs);
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
        body_ = text;
        return false;
    }
    setRootName(text.substr(rootOpen + 1, rootClose - rootOpen - 1));
    std::size_t bodyStart = rootClose + 1;
    if (bodyStart < text.size() && text[bodyStart] == '\r') ++bodyStart;
    if (bodyStart < text.size() && text[bodyStart] == '\n') ++bodyStart;
    const std::size_t bodyEnd = text.find("</" + rootName_ + ">", bodyStart);
    body_ =
        text.substr(bodyStart, bodyEnd == std::string_view::npos ? text.npos : bodyEnd - bodyStart);
    return bodyEnd != std::string_view::npos;
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
