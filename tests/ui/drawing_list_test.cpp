// What the window keeps of the game's drawing: one screenful, however long the game runs, and
// the picture it replays is the one the game drew.

#include <QAction>
#include <QCoreApplication>
#include <QImage>

#include <gtest/gtest.h>

#include "presentation/fake_platform.h"
#include "ui/artwork.h"
#include "ui/form1.h"
#include "ui/start_folder.h"

namespace zelk::ui {
namespace {

TEST(DrawingList, AnHourOfTheClocksRunningKeepsOneScreenfulAndShowsTheTime) {
  test::FakePlatform fake;
  Form1Options options;
  options.startFolder = freshStartFolder();
  options.dialogs = &fake;
  options.clock = &fake;
  Form1 form(std::move(options));
  form.show();
  QCoreApplication::processEvents();
  if (!form.isChecked(MenuItem::KEIKA)) form.action(MenuItem::KEIKA)->trigger();
  form.action(MenuItem::START)->trigger();  // a game between two people: MAN's clock runs

  QtSurface& s = form.surface();
  const std::size_t screenful = s.keptCalls();
  Form1Controller& c = form.controller();
  for (int second = 1; second <= 3600; ++second) {
    fake.now += 1;
    c.Timer1_Timer();
  }
  EXPECT_LT(s.keptCalls(), screenful + 20);
}

// A text goes from the list only once the pictures drawn over it hide all of it: the part
// still uncovered stays on the screen.
TEST(DrawingList, ATextIsForgottenOnlyWhenTilesCoverAllOfIt) {
  const Picture tile{PictureName::HAIKEI_MIDORI};
  const float y = 600;  // one row of tiles, 615 twips apart, as the background lays them
  QtSurface withText(chooseFontFamily()), tilesOnly(chooseFontFamily());
  withText.drawText("12:34", 1250 + 150, y + 100, 12, 15, true);  // across two tiles
  withText.drawPicture(tile, 1250, y);
  tilesOnly.drawPicture(tile, 1250, y);
  EXPECT_NE(withText.render(2), tilesOnly.render(2));  // half the text still shows
  EXPECT_EQ(withText.keptCalls(), 2u);

  withText.drawPicture(tile, 1250 + 615, y);
  tilesOnly.drawPicture(tile, 1250 + 615, y);
  EXPECT_EQ(withText.render(2), tilesOnly.render(2));
  EXPECT_EQ(withText.keptCalls(), 2u);  // the text is gone from the list
}

}  // namespace
}  // namespace zelk::ui
