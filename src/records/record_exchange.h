#pragma once
// What the KIF and clipboard commands ask of the desktop: its own file dialogs and the
// clipboard. The window implements this with Qt's dialogs and clipboard; the tests use a fake.
// Texts are UTF-8.

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace zelk {

class RecordExchange {
public:
  virtual ~RecordExchange() = default;

  // The KIF file the player chose to open, or nothing when the dialog was cancelled.
  virtual std::optional<std::filesystem::path> chooseKifToOpen(std::string_view title) = 0;
  // The file to save the KIF in (".kif" or ".kifu" as the player chose), or nothing.
  virtual std::optional<std::filesystem::path> chooseKifToSave(std::string_view title,
                                                               std::string_view suggestedName) = 0;

  virtual std::string clipboardText() const = 0;
  virtual void setClipboardText(std::string_view text) = 0;
};

// A desktop nobody sees: every dialog is cancelled, the clipboard keeps what it is given.
class UnseenRecordExchange final : public RecordExchange {
public:
  std::optional<std::filesystem::path> chooseKifToOpen(std::string_view) override { return std::nullopt; }
  std::optional<std::filesystem::path> chooseKifToSave(std::string_view, std::string_view) override {
    return std::nullopt;
  }
  std::string clipboardText() const override { return clipboard_; }
  void setClipboardText(std::string_view text) override { clipboard_ = std::string(text); }

private:
  std::string clipboard_;
};

}  // namespace zelk
