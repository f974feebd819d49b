#include "ui/qt_record_exchange.h"

#include <QClipboard>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QGuiApplication>

#include "ui/qt_paths.h"

namespace zelk::ui {

namespace {

QString qs(std::string_view s) { return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size())); }

const QString kOpenFilter = QString::fromUtf8("KIF (*.kif *.kifu *.KIF *.KIFU);;すべてのファイル (*)");
const QString kKif = QStringLiteral("KIF (*.kif)");
const QString kKifu = QString::fromUtf8("KIFU, UTF-8 (*.kifu)");

}  // namespace

std::optional<std::filesystem::path> QtRecordExchange::chooseKifToOpen(std::string_view title) {
  const QString name = QFileDialog::getOpenFileName(parent_, qs(title), folder_, kOpenFilter);
  if (name.isEmpty()) return std::nullopt;
  folder_ = QFileInfo(name).absolutePath();
  return toPath(name);
}

// The name gets the extension of the kind chosen in the dialog when it has none of its own.
std::optional<std::filesystem::path> QtRecordExchange::chooseKifToSave(std::string_view title,
                                                                       std::string_view suggestedName) {
  const QString start = folder_.isEmpty() ? qs(suggestedName) : QDir(folder_).filePath(qs(suggestedName));
  QString chosenFilter = kKif;
  QString name = QFileDialog::getSaveFileName(parent_, qs(title), start, kKif + ";;" + kKifu, &chosenFilter);
  if (name.isEmpty()) return std::nullopt;
  const QString suffix = QFileInfo(name).suffix().toLower();
  if (suffix != "kif" && suffix != "kifu") name += chosenFilter == kKifu ? ".kifu" : ".kif";
  folder_ = QFileInfo(name).absolutePath();
  return toPath(name);
}

std::string QtRecordExchange::clipboardText() const {
  const QClipboard* clipboard = QGuiApplication::clipboard();
  return clipboard ? clipboard->text().toStdString() : std::string();
}

void QtRecordExchange::setClipboardText(std::string_view text) {
  if (QClipboard* clipboard = QGuiApplication::clipboard()) clipboard->setText(qs(text));
}

}  // namespace zelk::ui
