#pragma once
// How a window's translatable texts are described: each text's key in the language files, where
// it goes in the window, and the English text it has when no language file supplies one. Each
// window keeps its own tables beside it and applies them in order.

#include <span>
#include <string_view>

namespace tessik {

enum class TextTargetKind {
    kWindowTitle,
    kControl,       // id: control id
    kMenuPosition,  // id: position of a top-level menu entry, which keeps its drop-down menu
    kMenuCommand,   // id: command id of a menu item
    kMember,        // id: a text the window keeps for later use, by the window's own enum
    kToolTip,       // id: control id; also what assistive tools say about the control
    kProgress,      // id: a part of the progress display that every window shares
};

struct TextTarget {
    TextTargetKind kind = TextTargetKind::kWindowTitle;
    int id = 0;
    bool operator==(const TextTarget&) const = default;

    static constexpr TextTarget Title() { return {TextTargetKind::kWindowTitle, 0}; }
    static constexpr TextTarget Control(int id) { return {TextTargetKind::kControl, id}; }
    static constexpr TextTarget MenuPosition(int position) {
        return {TextTargetKind::kMenuPosition, position};
    }
    static constexpr TextTarget MenuCommand(int id) { return {TextTargetKind::kMenuCommand, id}; }
    template <class Text>
    static constexpr TextTarget Member(Text member) {
        return {TextTargetKind::kMember, static_cast<int>(member)};
    }
    static constexpr TextTarget ToolTip(int id) { return {TextTargetKind::kToolTip, id}; }
    template <class Part>
    static constexpr TextTarget Progress(Part part) {
        return {TextTargetKind::kProgress, static_cast<int>(part)};
    }
};

struct TranslationEntry {
    std::string_view key;
    TextTarget target;
    std::u16string_view english;
};

using TranslationTable = std::span<const TranslationEntry>;

}  // namespace tessik
