#pragma once
// A record panel that only remembers what it was told and answers what the test set.

#include <filesystem>
#include <string>

#include "records/record_panel.h"

namespace zelk::test {

class FakeRecordPanel final : public RecordPanel {
public:
  bool drives = false, folders = false, files = false;  // list visibility
  bool entry = false;                                   // the entry part
  std::string texts[5];                                 // Text1 … Text4 at 1 … 4
  std::filesystem::path drive, folderList, fileList;
  std::string fileName;  // the name clicked in File1
  int refreshes = 0;

  void setListsVisible(bool d, bool f, bool fi) override { drives = d, folders = f, files = fi; }
  void setEntryVisible(bool on) override { entry = on; }
  std::string text(int n) const override { return n >= 1 && n <= 4 ? texts[n] : std::string(); }
  void setText(int n, std::string_view t) override {
    if (n >= 1 && n <= 4) texts[n] = std::string(t);
  }
  std::filesystem::path chosenDrive() const override { return drive; }
  std::filesystem::path folderListFolder() const override { return folderList; }
  void setFolderListFolder(const std::filesystem::path& f) override { folderList = f; }
  std::filesystem::path fileListFolder() const override { return fileList; }
  void setFileListFolder(const std::filesystem::path& f) override { fileList = f; }
  std::string chosenFileName() const override { return fileName; }
  void refreshFileList() override { ++refreshes; }

  bool closed() const { return !drives && !folders && !files && !entry; }
};

}  // namespace zelk::test
