#pragma once
// The record-file panel over the window's widgets: drive, folder and file lists, the four
// text fields with their labels, and RETURN. The user's choices come back as callbacks.

#include <QString>

#include <filesystem>
#include <functional>

#include "records/record_panel.h"

class QWidget;
class QComboBox;
class QListWidget;
class QLineEdit;

namespace zelk::ui {

class QtRecordPanel final : public RecordPanel {
public:
  explicit QtRecordPanel(QWidget* parent);  // finds the panel's widgets among parent's children

  void setListsVisible(bool drives, bool folders, bool files) override;
  void setEntryVisible(bool on) override;
  std::string text(int n) const override;
  void setText(int n, std::string_view text) override;
  std::filesystem::path chosenDrive() const override;
  std::filesystem::path folderListFolder() const override { return folder_; }
  void setFolderListFolder(const std::filesystem::path& folder) override;
  std::filesystem::path fileListFolder() const override { return fileFolder_; }
  void setFileListFolder(const std::filesystem::path& folder) override;
  std::string chosenFileName() const override { return chosenFile_; }
  void refreshFileList() override;

  std::function<void()> onDriveChange, onDirChange, onFileClick, onReturn;

private:
  void fillDrives();
  void fillFolders();

  QWidget* parent_;
  QComboBox* drives_;
  QListWidget* folders_;
  QListWidget* files_;
  QLineEdit* texts_[4];
  std::filesystem::path folder_, fileFolder_;
  std::string chosenFile_;
};

}  // namespace zelk::ui
