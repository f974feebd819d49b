#pragma once
// The sound library over Qt Multimedia's sound effects: one effect per buffer handle.

#include <QSoundEffect>

#include <map>
#include <memory>

#include "presentation/platform.h"

namespace zelk::ui {

class QtSoundLibrary final : public SoundLibrary {
public:
  QtSoundLibrary();
  ~QtSoundLibrary() override;

  int dsInitialize() override;
  void dsTerminate() override;
  int dsCreateDSB(int 音源, const WaveFile& wave, int flags) override;
  void dsFree(int buffer) override;
  void dsPlay(int buffer) override;
  void dsPlayLooping(int buffer) override;
  void dsStop(int buffer) override;

  int bufferCount() const { return static_cast<int>(effects_.size()); }
  QSoundEffect* effect(int buffer) const;  // null for 0 or an unknown handle

private:
  std::map<int, std::unique_ptr<QSoundEffect>> effects_;
  int next_ = 1;
};

}  // namespace zelk::ui
