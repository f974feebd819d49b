#pragma once
// Qt's own words in Japanese, as the rest of the game: the file dialogs' buttons and labels,
// the Yes/No question's buttons, the text boxes' context menus.

class QCoreApplication;

namespace zelk::ui {

// Loads Qt's Japanese translations into the application, from Qt's translations folder;
// false when they are not installed (Qt's words then stay English).
bool installJapaneseTranslations(QCoreApplication& app);

}  // namespace zelk::ui
