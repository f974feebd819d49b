#pragma once
// The KIF commands' file dialogs and clipboard, with Qt's own file dialog and the desktop's
// clipboard.

#include <QSize>
#include <QString>
#include <QStringList>

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

#include "records/record_exchange.h"

class QWidget;

namespace zelk::ui {

// The kinds a record is saved as, each listing every record of the folder; the one chosen gives
// the extension of a name typed without one.
QStringList saveFilters();
// The size a file dialog opens at: what it asks for, within the window it belongs to (and not
// smaller than a dialog can be used at).
QSize dialogSize(QSize wanted, QSize window);

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
