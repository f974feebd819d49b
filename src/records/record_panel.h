#pragma once
// The record-file panel's controls as the record commands see them: the drive, folder and
// file lists, and the entry part (the four text fields, their four labels and RETURN).
// The window implements this with its widgets (placed as presentation/record_panel_layout.h lays them out);
// the tests use a recording fake. Texts and names are UTF-8.

#include <filesystem>
#include <string>
#include <string_view>

namespace zelk {

class RecordPanel {
public:
  virtual ~RecordPanel() = default;

  // Shows or hides Drive1, Dir1 and File1.
  virtual void setListsVisible(bool drives, bool folders, bool files) = 0;
  // Shows or hides Text1 … Text4, the labels Label1(0) … Label1(3) and the RETURN button.
  virtual void setEntryVisible(bool on) = 0;

  // Text1 (file name), Text2 (title), Text3 (first player), Text4 (second player); n = 1 … 4.
  virtual std::string text(int n) const = 0;
  virtual void setText(int n, std::string_view text) = 0;

  // The root folder of the volume chosen in Drive1 (the drives are the mounted volumes).
  virtual std::filesystem::path chosenDrive() const = 0;

  // The folder Dir1 shows. Setting it from here does not raise Dir1_Change; only the
  // user's choice in the list does (the commands follow up themselves).
  virtual std::filesystem::path folderListFolder() const = 0;
  virtual void setFolderListFolder(const std::filesystem::path& folder) = 0;

  // The folder whose "*.棋譜" files File1 lists, and the file name last clicked in it.
  virtual std::filesystem::path fileListFolder() const = 0;
  virtual void setFileListFolder(const std::filesystem::path& folder) = 0;
  virtual std::string chosenFileName() const = 0;

  // Reads File1's folder again, so a file just written appears.
  virtual void refreshFileList() = 0;
};

// A panel nobody sees: it keeps its texts and folders, lists nothing and is never clicked.
class UnseenRecordPanel final : public RecordPanel {
public:
  void setListsVisible(bool, bool, bool) override {}
  void setEntryVisible(bool) override {}
  std::string text(int n) const override { return n >= 1 && n <= 4 ? texts_[n - 1] : std::string(); }
  void setText(int n, std::string_view text) override {
    if (n >= 1 && n <= 4) texts_[n - 1] = std::string(text);
  }
  std::filesystem::path chosenDrive() const override { return "/"; }
  std::filesystem::path folderListFolder() const override { return folder_; }
  void setFolderListFolder(const std::filesystem::path& folder) override { folder_ = folder; }
  std::filesystem::path fileListFolder() const override { return fileFolder_; }
  void setFileListFolder(const std::filesystem::path& folder) override { fileFolder_ = folder; }
  std::string chosenFileName() const override { return {}; }
  void refreshFileList() override {}

private:
  std::string texts_[4];
  std::filesystem::path folder_, fileFolder_;
};

}  // namespace zelk
