#pragma once
// The help page's window: a browser with a toolbar (back, forward, home) and no menu bar.

#include <QWidget>

#include <filesystem>

class QTextBrowser;

namespace zelk::ui {

class HelpWindow final : public QWidget {
public:
  HelpWindow(const std::filesystem::path& page, QWidget* parent);
  QTextBrowser* browser() const { return browser_; }

private:
  QTextBrowser* browser_;
};

}  // namespace zelk::ui
