#include "ui/translations.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

namespace zelk::ui {

// The catalogue "qt_ja" brings in those of Qt's modules (qtbase_ja, qtmultimedia_ja …).
bool installJapaneseTranslations(QCoreApplication& app) {
  auto* qt = new QTranslator(&app);
  if (!qt->load(QLocale(QLocale::Japanese, QLocale::Japan), "qt", "_",
                QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
    delete qt;
    return false;
  }
  QCoreApplication::installTranslator(qt);
  return true;
}

}  // namespace zelk::ui
