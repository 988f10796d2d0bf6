#pragma once
// Stand-ins for the windows: they keep what the logic gives them and log every change in the
// order it arrives.

#include <string>
#include <vector>

#include "platform/text_conversion.h"
#include "settings/application_settings.h"
#include "settings/font_settings.h"

namespace tessik::test {

inline FontDescription MakeFont(std::u16string face, int height, int weight, int charSet,
                                int pitch) {
    FontDescription font;
    font.faceName = std::move(face);
    font.height = height;
    font.weight = weight;
    font.charSet = static_cast<std::uint8_t>(charSet);
    font.pitchAndFamily = static_cast<std::uint8_t>(pitch);
    return font;
}

class FakeFontHost : public FontHost {
  public:
    FakeFontHost(FontDescription system, FontDescription own, std::vector<std::string>* log)
        : system_(std::move(system)), current_(std::move(own)), log_(log) {}

    FontDescription systemMessageFont() const override { return system_; }
    FontDescription currentFont() const override { return current_; }
    void applyFont(const FontDescription& font) override {
        current_ = font;
        ++applyCount_;
        if (log_ != nullptr) log_->push_back("font");
    }
    int applyCount() const { return applyCount_; }

  private:
    FontDescription system_;
    FontDescription current_;
    std::vector<std::string>* log_;
    int applyCount_ = 0;
};

// A main window with a 25-entry algorithm list and a catalogue that knows the given names.
class FakeSettingsWindow : public SettingsWindow {
  public:
    explicit FakeSettingsWindow(std::vector<std::u16string> catalogueNames = {})
        : catalogueNames_(std::move(catalogueNames)) {}

    void selectAlgorithm(int index) override {
        algorithm = index >= 0 && index < 25 ? index : -1;
        log.push_back("algorithm " + std::to_string(index));
    }
    int selectedAlgorithm() const override { return algorithm; }
    void tickBox(SettingsBox box) override {
        (box == SettingsBox::kCaseSensitive ? caseSensitive : smallLetters) = true;
        log.push_back(box == SettingsBox::kCaseSensitive ? "tick case" : "tick small");
    }
    bool isBoxTicked(SettingsBox box) const override {
        return box == SettingsBox::kCaseSensitive ? caseSensitive : smallLetters;
    }
    void setFolderValues(const FolderValues& values) override {
        folder = values;
        log.push_back("folder");
    }
    FolderValues folderValues() const override { return folder; }
    void setSeparator(const std::u16string& text) override {
        separatorText = text;
        log.push_back("separator");
    }
    std::u16string separator() const override { return separatorText; }
    void setLanguageUnset(bool unset) override {
        languageIsUnset = unset;
        log.push_back(unset ? "language unset" : "language set");
    }
    bool languageUnset() const override { return languageIsUnset; }
    void selectLanguage(const std::string& name) override {
        log.push_back("select " + name);
        for (const auto& known : catalogueNames_) {
            if (known == FromUtf8(name)) language = known;
        }
    }
    std::u16string languageName() const override { return language; }
    void showMaximised() override {
        placed.state = WindowState::kMaximised;
        log.push_back("maximise");
    }
    void moveWindow(const WindowRect& rect) override {
        placed.rect = rect;
        log.push_back("move");
    }
    WindowPlacement placement() const override { return placed; }
    WindowRect availableArea() const override { return screen; }
    void setLineEnds(TypedLineEnds ends) override {
        lineEndsValue = ends;
        log.push_back(ends == TypedLineEnds::kLf ? "line ends LF" : "line ends CR LF");
    }
    TypedLineEnds lineEnds() const override { return lineEndsValue; }

    int algorithm = -1;
    bool caseSensitive = false;
    bool smallLetters = false;
    FolderValues folder;
    std::u16string separatorText;
    bool languageIsUnset = false;
    std::u16string language;
    WindowPlacement placed{WindowState::kNormal, {100, 50, 740, 430}, {100, 50, 740, 430}};
    WindowRect screen{0, 0, 1920, 1080};
    TypedLineEnds lineEndsValue = TypedLineEnds::kCrLf;
    std::vector<std::string> log;

  private:
    std::vector<std::u16string> catalogueNames_;
};

}  // namespace tessik::test
