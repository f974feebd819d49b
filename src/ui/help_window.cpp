#include "ui/help_window.h"

#include "ui/qt_paths.h"

#include <QAction>
#include <QFileInfo>
#include <QStyle>
#include <QTextBrowser>
#include <QToolBar>
#include <QUrl>
#include <QVBoxLayout>

namespace zelk::ui {

HelpWindow::HelpWindow(const std::filesystem::path& page, QWidget* parent) : QWidget(parent, Qt::Window) {
  setObjectName("HelpWindow");
  setAttribute(Qt::WA_DeleteOnClose);
  setWindowTitle(QString::fromUtf8("Zelk ５五将棋 の遊び方"));
  browser_ = new QTextBrowser(this);
  browser_->setOpenExternalLinks(true);
  auto* bar = new QToolBar(this);
  bar->setObjectName("HelpToolBar");
  QAction* back = bar->addAction(style()->standardIcon(QStyle::SP_ArrowBack), QString::fromUtf8("戻る"));
  QAction* forward = bar->addAction(style()->standardIcon(QStyle::SP_ArrowForward), QString::fromUtf8("進む"));
  QAction* home = bar->addAction(style()->standardIcon(QStyle::SP_DirHomeIcon), QString::fromUtf8("ホーム"));
  back->setObjectName("Back");
  forward->setObjectName("Forward");
  home->setObjectName("Home");
  back->setEnabled(false);
  forward->setEnabled(false);
  connect(back, &QAction::triggered, browser_, &QTextBrowser::backward);
  connect(forward, &QAction::triggered, browser_, &QTextBrowser::forward);
  connect(home, &QAction::triggered, browser_, &QTextBrowser::home);
  connect(browser_, &QTextBrowser::backwardAvailable, back, &QAction::setEnabled);
  connect(browser_, &QTextBrowser::forwardAvailable, forward, &QAction::setEnabled);

  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  layout->addWidget(bar);
  layout->addWidget(browser_);
  resize(760, 640);

  const QString file = toQString(page);
  if (QFileInfo::exists(file)) {
    browser_->setSource(QUrl::fromLocalFile(file));
  } else {
    // What a browser shows for a page that is not there, in the game's words.
    browser_->setHtml(QString::fromUtf8("<p>解説ページが見つかりません。</p><p>%1</p>").arg(file.toHtmlEscaped()));
  }
}

}  // namespace zelk::ui
