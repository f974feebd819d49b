#include "ui/qt_record_panel.h"

#include <QComboBox>
#include <QDir>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QStorageInfo>

#include "presentation/record_panel_layout.h"
#include "ui/qt_paths.h"

namespace zelk::ui {

QtRecordPanel::QtRecordPanel(QWidget* parent)
    : parent_(parent),
      drives_(parent->findChild<QComboBox*>("Drive1")),
      folders_(parent->findChild<QListWidget*>("Dir1")),
      files_(parent->findChild<QListWidget*>("File1")) {
  for (int n = 1; n <= 4; ++n) texts_[n - 1] = parent->findChild<QLineEdit*>(QString("Text%1").arg(n));
  folder_ = fileFolder_ = std::filesystem::current_path();
  // A long folder path keeps its end, the folder's own name, in view; all of it in the tip.
  if (folders_) folders_->setTextElideMode(Qt::ElideMiddle);
  fillDrives();
  fillFolders();
  refreshFileList();

  QObject::connect(drives_, &QComboBox::activated, drives_, [this](int) {
    if (onDriveChange) onDriveChange();
  });
  // A folder is opened by a double click (or Enter), as in a folder list.
  QObject::connect(folders_, &QListWidget::itemActivated, folders_, [this](QListWidgetItem* item) {
    std::filesystem::path next = toPath(item->data(Qt::UserRole).toString());
    std::error_code ec;
    const auto canonical = std::filesystem::weakly_canonical(next, ec);
    if (!ec) next = canonical;
    // The list is filled anew once the click on its item is over.
    QMetaObject::invokeMethod(
        folders_,
        [this, next] {
          setFolderListFolder(next);
          if (onDirChange) onDirChange();
        },
        Qt::QueuedConnection);
  });
  QObject::connect(files_, &QListWidget::itemClicked, files_, [this](QListWidgetItem* item) {
    chosenFile_ = item->text().toStdString();
    if (onFileClick) onFileClick();
  });
  if (auto* button = parent->findChild<QPushButton*>("Command1"))
    QObject::connect(button, &QPushButton::clicked, button, [this] {
      if (onReturn) onReturn();
    });
}

void QtRecordPanel::setListsVisible(bool drives, bool folders, bool files) {
  drives_->setVisible(drives);
  folders_->setVisible(folders);
  files_->setVisible(files);
  if (files) refreshFileList();
}

void QtRecordPanel::setEntryVisible(bool on) {
  for (const PanelControl& c : kRecordPanel) {
    const QString name = QString::fromUtf8(c.name.data(), static_cast<int>(c.name.size()));
    if (name.startsWith("Text") || name.startsWith("Label1") || name == "Command1")
      if (auto* w = parent_->findChild<QWidget*>(name)) w->setVisible(on);
  }
}

std::string QtRecordPanel::text(int n) const {
  if (n < 1 || n > 4 || !texts_[n - 1]) return {};
  return texts_[n - 1]->text().toStdString();
}

void QtRecordPanel::setText(int n, std::string_view text) {
  if (n < 1 || n > 4 || !texts_[n - 1]) return;
  texts_[n - 1]->setText(QString::fromUtf8(text.data(), static_cast<int>(text.size())));
}

std::filesystem::path QtRecordPanel::chosenDrive() const { return toPath(drives_->currentText()); }

void QtRecordPanel::setFolderListFolder(const std::filesystem::path& folder) {
  folder_ = folder;
  fillFolders();
}

void QtRecordPanel::setFileListFolder(const std::filesystem::path& folder) {
  fileFolder_ = folder;
  refreshFileList();
}

void QtRecordPanel::refreshFileList() {
  files_->clear();
  const QDir dir(toQString(fileFolder_));
  for (const QString& name : dir.entryList({QString::fromUtf8("*.棋譜")}, QDir::Files, QDir::Name))
    files_->addItem(name);
}

void QtRecordPanel::fillDrives() {
  drives_->clear();
  for (const QStorageInfo& v : QStorageInfo::mountedVolumes())
    if (v.isValid() && v.isReady()) drives_->addItem(v.rootPath());
  const int here = drives_->findText(QStorageInfo(toQString(folder_)).rootPath());
  if (here >= 0) drives_->setCurrentIndex(here);
}

// The folder itself, its parent ("..") and its sub-folders.
void QtRecordPanel::fillFolders() {
  folders_->clear();
  auto add = [this](const QString& text, const std::filesystem::path& target) {
    auto* item = new QListWidgetItem(text, folders_);
    item->setData(Qt::UserRole, toQString(target));
    item->setToolTip(toQString(target));
  };
  add(toQString(folder_), folder_);
  if (folder_.has_parent_path() && folder_.parent_path() != folder_) add("..", folder_.parent_path());
  const QDir dir(toQString(folder_));
  for (const QString& name : dir.entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name))
    add(name, folder_ / toPath(name));
}

}  // namespace zelk::ui
