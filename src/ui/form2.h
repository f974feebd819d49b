#pragma once
// Form2, the version dialog: the version artwork and two buttons.

#include <QDialog>

class QPushButton;

namespace zelk::ui {

// The maker's home page, opened by "ホームページ".
inline constexpr const char* kHomePage = "https://zelk55.example.org/";

class Form2 final : public QDialog {
public:
  Form2(int scale, const QString& fontFamily, QWidget* parent);
  QPushButton* homePageButton() const { return command1_; }  // "ホームページ"
  QPushButton* okButton() const { return command2_; }        // "O K"

private:
  QPushButton* command1_;
  QPushButton* command2_;
};

}  // namespace zelk::ui
