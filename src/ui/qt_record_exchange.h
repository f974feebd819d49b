#pragma once
// The KIF commands' file dialogs and clipboard, with Qt's own file dialog and the desktop's
// clipboard.

#include <QString>

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

#include "records/record_exchange.h"

class QWidget;

namespace zelk::ui {

class QtRecordExchange final : public RecordExchange {
public:
  explicit QtRecordExchange(QWidget* parent) : parent_(parent) {}

  std::optional<std::filesystem::path> chooseKifToOpen(std::string_view title) override;
  std::optional<std::filesystem::path> chooseKifToSave(std::string_view title, std::string_view suggestedName) override;
  std::string clipboardText() const override;
  void setClipboardText(std::string_view text) override;

private:
  QWidget* parent_;
  QString folder_;  // where the last KIF was opened or saved; the dialogs start there
};

}  // namespace zelk::ui
