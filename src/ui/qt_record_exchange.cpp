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
const QString kKif = QString::fromUtf8("KIF, Shift_JIS (*.kif *.KIF *.kifu *.KIFU)");
const QString kKifu = QString::fromUtf8("KIFU, UTF-8 (*.kifu *.KIFU *.kif *.KIF)");

// A dialog as big as it wants, as far as the window lets it.
void fitToWindow(QFileDialog& dialog, const QWidget* window) {
  if (window) dialog.resize(dialogSize(dialog.sizeHint(), window->window()->frameGeometry().size()));
}

}  // namespace

QStringList saveFilters() { return {kKif, kKifu}; }

QSize dialogSize(QSize wanted, QSize window) {
  const QSize least(420, 320);
  return wanted.boundedTo(window).expandedTo(least);
}

std::optional<std::filesystem::path> QtRecordExchange::chooseKifToOpen(std::string_view title) {
  QFileDialog dialog(parent_, qs(title), folder_, kOpenFilter);
  dialog.setObjectName("KIF_READ_dialog");
  dialog.setAcceptMode(QFileDialog::AcceptOpen);
  dialog.setFileMode(QFileDialog::ExistingFile);
  fitToWindow(dialog, parent_);
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
  const QString name = dialog.selectedFiles().constFirst();
  folder_ = QFileInfo(name).absolutePath();
  return toPath(name);
}

// The name gets the extension of the kind chosen in the dialog when it has none of its own.
std::optional<std::filesystem::path> QtRecordExchange::chooseKifToSave(std::string_view title,
                                                                       std::string_view suggestedName) {
  const QString start = folder_.isEmpty() ? qs(suggestedName) : QDir(folder_).filePath(qs(suggestedName));
  QFileDialog dialog(parent_, qs(title), start);
  dialog.setObjectName("KIF_WRITE_dialog");
  dialog.setAcceptMode(QFileDialog::AcceptSave);
  dialog.setFileMode(QFileDialog::AnyFile);
  dialog.setNameFilters(saveFilters());
  dialog.selectNameFilter(kKif);
  // The dialog adds the extension itself, so that it asks before a record of that name is replaced.
  dialog.setDefaultSuffix("kif");
  QObject::connect(&dialog, &QFileDialog::filterSelected, &dialog,
                   [&dialog](const QString& filter) { dialog.setDefaultSuffix(filter == kKifu ? "kifu" : "kif"); });
  fitToWindow(dialog, parent_);
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
  QString name = dialog.selectedFiles().constFirst();
  const QString suffix = QFileInfo(name).suffix().toLower();
  if (suffix != "kif" && suffix != "kifu") name += dialog.selectedNameFilter() == kKifu ? ".kifu" : ".kif";
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
