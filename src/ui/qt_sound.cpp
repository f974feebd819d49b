#include "ui/qt_sound.h"

#include "ui/qt_paths.h"

#include <QAudioDevice>
#include <QMediaDevices>
#include <QUrl>

namespace zelk::ui {

QtSoundLibrary::QtSoundLibrary() = default;
QtSoundLibrary::~QtSoundLibrary() = default;

// Without an audio output there is nothing to play on; the game then runs silently.
int QtSoundLibrary::dsInitialize() { return QMediaDevices::audioOutputs().isEmpty() ? 0 : 1; }

void QtSoundLibrary::dsTerminate() { effects_.clear(); }

int QtSoundLibrary::dsCreateDSB(int 音源, const WaveFile& wave, int /*flags*/) {
  if (音源 == 0) return 0;
  auto effect = std::make_unique<QSoundEffect>();
  effect->setSource(QUrl::fromLocalFile(toQString(wave.path)));
  const int handle = next_++;
  effects_[handle] = std::move(effect);
  return handle;
}

QSoundEffect* QtSoundLibrary::effect(int buffer) const {
  auto it = effects_.find(buffer);
  return it == effects_.end() ? nullptr : it->second.get();
}

void QtSoundLibrary::dsFree(int buffer) { effects_.erase(buffer); }

void QtSoundLibrary::dsPlay(int buffer) {
  if (QSoundEffect* e = effect(buffer)) {
    e->setLoopCount(1);
    e->play();
  }
}

void QtSoundLibrary::dsPlayLooping(int buffer) {
  if (QSoundEffect* e = effect(buffer)) {
    e->setLoopCount(QSoundEffect::Infinite);
    e->play();
  }
}

void QtSoundLibrary::dsStop(int buffer) {
  if (QSoundEffect* e = effect(buffer)) e->stop();
}

}  // namespace zelk::ui
