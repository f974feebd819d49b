#include "ui/form2.h"

#include <QDesktopServices>
#include <QHBoxLayout>
#include <QMessageBox>
#include <QUrl>
#include <QLabel>
#include <QPixmap>
#include <QPushButton>
#include <QVBoxLayout>

#include "ui/artwork.h"

namespace zelk::ui {

Form2::Form2(int scale, const QString& fontFamily, QWidget* parent) : QDialog(parent) {
  setWindowTitle(QString::fromUtf8("バージョン情報"));
  auto* picture = new QLabel(this);
  picture->setObjectName("Picture1");
  QPixmap art = QPixmap::fromImage(renderVersionArtwork(scale, fontFamily));
  art.setDevicePixelRatio(scale);
  picture->setPixmap(art);
  command1_ = new QPushButton(QString::fromUtf8("ホームページ"), this);
  command1_->setObjectName("Command1");
  command2_ = new QPushButton(QString::fromUtf8("O K"), this);
  command2_->setObjectName("Command2");
  command2_->setDefault(true);
  connect(command2_, &QPushButton::clicked, this, &QDialog::accept);
  connect(command1_, &QPushButton::clicked, this, [this] {
    if (!QDesktopServices::openUrl(QUrl(QString::fromUtf8(kHomePage)))) {
      QMessageBox::information(
          this, QString::fromUtf8("ホームページ"),
          QString::fromUtf8("ブラウザを起動できません。\nホームページ: ") + QString::fromUtf8(kHomePage));
    }
    accept();
  });

  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(command1_);
  buttons->addWidget(command2_);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(picture);
  layout->addLayout(buttons);
  layout->setSizeConstraint(QLayout::SetFixedSize);
}

}  // namespace zelk::ui
