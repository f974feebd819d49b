// Writes the game's four sounds as 16-bit mono wave files into the folder given:
// a wooden click for a placed piece, a short buzz for a refusal, a chime for the version
// dialog and a gentle tune that loops without a seam.

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace {

constexpr int kRate = 22050;
constexpr double kPi = 3.14159265358979323846;

// A repeatable noise source, so that every build writes the same bytes.
struct Noise {
  std::uint32_t state = 0x2545F491u;
  double next() {
    state ^= state << 13;
    state ^= state >> 17;
    state ^= state << 5;
    return (state & 0xFFFFFF) / double(0x800000) - 1.0;
  }
};

void put16(std::ofstream& out, std::uint16_t v) { out.put(char(v & 0xFF)).put(char(v >> 8)); }
void put32(std::ofstream& out, std::uint32_t v) {
  put16(out, v & 0xFFFF);
  put16(out, v >> 16);
}

bool writeWave(const std::filesystem::path& file, const std::vector<double>& samples) {
  std::ofstream out(file, std::ios::binary);
  const std::uint32_t bytes = static_cast<std::uint32_t>(samples.size() * 2);
  out.write("RIFF", 4);
  put32(out, 36 + bytes);
  out.write("WAVEfmt ", 8);
  put32(out, 16);
  put16(out, 1);  // PCM
  put16(out, 1);  // mono
  put32(out, kRate);
  put32(out, kRate * 2);
  put16(out, 2);
  put16(out, 16);
  out.write("data", 4);
  put32(out, bytes);
  for (double s : samples) {
    const double c = s > 1 ? 1 : s < -1 ? -1 : s;
    put16(out, static_cast<std::uint16_t>(static_cast<std::int16_t>(std::lround(c * 32000))));
  }
  return static_cast<bool>(out);
}

// 駒打音: the knock of a wooden piece on the board — a noise burst and two damped resonances.
std::vector<double> click() {
  std::vector<double> s(kRate * 12 / 100);
  Noise noise;
  for (std::size_t i = 0; i < s.size(); ++i) {
    const double t = double(i) / kRate;
    const double knock = noise.next() * std::exp(-t * 420);
    const double body = std::sin(2 * kPi * 1150 * t) * std::exp(-t * 60) * 0.55 +
                        std::sin(2 * kPi * 2350 * t) * std::exp(-t * 95) * 0.25;
    s[i] = (knock * 0.6 + body) * 0.9;
  }
  return s;
}

// 禁止: a short low buzz.
std::vector<double> buzz() {
  std::vector<double> s(kRate * 22 / 100);
  for (std::size_t i = 0; i < s.size(); ++i) {
    const double t = double(i) / kRate;
    const double env = std::min(1.0, t * 200) * std::min(1.0, (0.22 - t) * 60);
    double v = 0;
    for (int h = 1; h <= 9; h += 2) v += std::sin(2 * kPi * 150 * h * t) / h;  // square-ish
    s[i] = v * env * 0.45;
  }
  return s;
}

// その他: a two-note chime, bell partials fading out.
std::vector<double> chime() {
  std::vector<double> s(kRate * 16 / 10, 0.0);
  const double notes[][2] = {{0.0, 1318.5}, {0.18, 1760.0}};
  for (const auto& n : notes)
    for (std::size_t i = static_cast<std::size_t>(n[0] * kRate); i < s.size(); ++i) {
      const double t = double(i) / kRate - n[0];
      const double env = std::min(1.0, t * 400) * std::exp(-t * 3.2);
      s[i] += (std::sin(2 * kPi * n[1] * t) + 0.4 * std::sin(2 * kPi * n[1] * 2.76 * t) * std::exp(-t * 4) +
               0.2 * std::sin(2 * kPi * n[1] * 5.4 * t) * std::exp(-t * 8)) *
              env * 0.3;
    }
  return s;
}

// BGM: 24 seconds of a slow pentatonic melody over a soft drone; every note ends inside the
// loop, and the drone is a whole number of cycles long, so the repeat is seamless.
std::vector<double> tune() {
  const double seconds = 24;
  std::vector<double> s(static_cast<std::size_t>(seconds * kRate), 0.0);
  // D minor pentatonic (D F G A C), one note a beat of 0.75 s; 0 is a rest.
  const double scale[] = {0, 293.66, 349.23, 392.00, 440.00, 523.25, 587.33};
  const int melody[] = {1, 3, 4, 0, 5, 4, 3, 0, 2, 3, 1, 0, 4, 5, 6, 0, 5, 4, 3, 0, 2, 1, 2, 0, 3, 4, 5, 0, 4, 3, 1, 0};
  const double beat = seconds / (sizeof(melody) / sizeof(melody[0]));
  for (std::size_t n = 0; n < sizeof(melody) / sizeof(melody[0]); ++n) {
    if (melody[n] == 0) continue;
    const double f = scale[melody[n]], start = n * beat, length = beat * 1.9;
    for (std::size_t i = static_cast<std::size_t>(start * kRate);
         i < s.size() && i < static_cast<std::size_t>((start + length) * kRate); ++i) {
      const double t = double(i) / kRate - start;
      const double env = std::min(1.0, t * 30) * std::exp(-t * 1.6) * std::min(1.0, (length - t) * 8);
      s[i] += (std::sin(2 * kPi * f * t) + 0.25 * std::sin(2 * kPi * f * 2 * t)) * env * 0.22;
    }
  }
  // Drone on D and A, whole cycles over the loop, breathing slowly.
  for (std::size_t i = 0; i < s.size(); ++i) {
    const double t = double(i) / kRate;
    const double breath = 0.75 + 0.25 * std::sin(2 * kPi * t / (seconds / 4));
    s[i] += (std::sin(2 * kPi * 146.0 * t) + 0.6 * std::sin(2 * kPi * 219.0 * t)) * 0.05 * breath;
  }
  return s;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: %s FOLDER\n", argv[0]);
    return 2;
  }
  const std::filesystem::path folder(argv[1]);
  std::filesystem::create_directories(folder);
  const auto name = [&](const char* utf8) {
    return folder / std::filesystem::path(reinterpret_cast<const char8_t*>(utf8));
  };
  const bool ok = writeWave(name("駒打音.wav"), click()) && writeWave(name("禁止.wav"), buzz()) &&
                  writeWave(name("その他.wav"), chime()) && writeWave(name("BGM.wav"), tune());
  if (!ok) std::fprintf(stderr, "make_sounds: cannot write into %s\n", argv[1]);
  return ok ? 0 : 1;
}
