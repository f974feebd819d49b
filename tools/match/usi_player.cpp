#include "usi_player.h"

#include <chrono>
#include <cstdlib>
#include <sstream>
#include <vector>

namespace zelk::match {

namespace {

using SteadyClock = std::chrono::steady_clock;

constexpr long long kHandshakeMs = 30000;

// The words after `key` in an info line, up to the next keyword of the score ("cp 35",
// "mate 3", "mate -2"); empty when the line carries no score.
std::string scoreOf(const std::string& info) {
  const std::size_t at = info.find(" score ");
  if (at == std::string::npos) return {};
  std::size_t i = at + 7;
  const std::size_t kindEnd = info.find(' ', i);
  if (kindEnd == std::string::npos) return {};
  const std::size_t valueEnd = info.find(' ', kindEnd + 1);
  return info.substr(i, (valueEnd == std::string::npos ? info.size() : valueEnd) - i);
}

std::vector<std::string> words(const std::string& line) {
  std::vector<std::string> w;
  std::istringstream in(line);
  for (std::string word; in >> word;) w.push_back(word);
  return w;
}

}  // namespace

UsiPlayer::UsiPlayer(EngineConfig config) : config_(std::move(config)), name_(config_.name) {
  process_.trace = config_.trace;
}

UsiPlayer::~UsiPlayer() { process_.stop(std::chrono::milliseconds(500)); }

bool UsiPlayer::waitFor(const std::string& word, long long ms, std::string& error) {
  const auto deadline = SteadyClock::now() + std::chrono::milliseconds(ms);
  std::string line;
  for (;;) {
    switch (process_.readLine(line, deadline)) {
      case EngineProcess::Read::Timeout: error = "no " + word + " within " + std::to_string(ms) + " ms"; return false;
      case EngineProcess::Read::Closed: error = "the engine closed before " + word; return false;
      case EngineProcess::Read::Line: break;
    }
    if (line.rfind(word, 0) == 0) return true;
    if (line.rfind("id name ", 0) == 0 && config_.name.empty()) name_ = line.substr(8);
    if (line.rfind("option name ", 0) == 0) {
      // option name NAME type T [default D] [min A max B] [var V ...]; a name may hold spaces
      const std::size_t type = line.find(" type ");
      if (type == std::string::npos) continue;
      Announced a;
      a.name = line.substr(12, type - 12);
      const std::vector<std::string> w = words(line.substr(type));
      a.spin = w.size() > 1 && w[1] == "spin";
      for (std::size_t i = 2; i + 1 < w.size(); ++i) {
        if (w[i] == "min") a.min = std::atoll(w[i + 1].c_str());
        if (w[i] == "max") a.max = std::atoll(w[i + 1].c_str());
      }
      announced_.push_back(a);
    }
  }
}

std::string UsiPlayer::refusedOption() const {
  for (const auto& [option, value] : config_.options) {
    const Announced* a = nullptr;
    for (const Announced& x : announced_)
      if (x.name == option) a = &x;
    if (!a) return "it has no option '" + option + "'";
    char* end = nullptr;
    const long long v = std::strtoll(value.c_str(), &end, 10);
    if (a->spin && (value.empty() || *end != '\0' || v < a->min || v > a->max))
      return "its option " + option + " takes " + std::to_string(a->min) + " to " + std::to_string(a->max) + ", not '" +
             value + "'";
  }
  return {};
}

bool UsiPlayer::start(std::string& error) {
  healthy_ = false;
  announced_.clear();
  if (!process_.start(config_.command, error)) return false;
  if (!process_.send("usi") || !waitFor("usiok", kHandshakeMs, error)) {
    error = config_.command + ": " + error;
    return false;
  }
  if (name_.empty()) name_ = config_.command;
  if (std::string why = refusedOption(); !why.empty()) {
    error = config_.command + ": " + why;
    return false;
  }
  for (const auto& [option, value] : config_.options) process_.send("setoption name " + option + " value " + value);
  if (!process_.send("isready") || !waitFor("readyok", kHandshakeMs, error)) {
    error = config_.command + ": " + error;
    return false;
  }
  healthy_ = true;
  return true;
}

bool UsiPlayer::newGame(std::string& error) {
  if (!healthy_ || !process_.running()) {
    process_.kill();
    if (!start(error)) return false;
  }
  if (!process_.send("isready") || !waitFor("readyok", kHandshakeMs, error)) {
    healthy_ = false;
    return false;
  }
  process_.send("usinewgame");
  return true;
}

Reply UsiPlayer::play(const MoveRequest& request) {
  Reply r;
  const auto begin = SteadyClock::now();
  if (!process_.send(request.position) || !process_.send(request.go)) {
    healthy_ = false;
    r.kind = Reply::Kind::Crash;
    r.text = "the engine is gone";
    return r;
  }
  const auto deadline = begin + std::chrono::milliseconds(request.allowedMs);
  std::string line;
  for (;;) {
    const EngineProcess::Read got = process_.readLine(line, deadline);
    r.elapsedMs = std::chrono::duration_cast<std::chrono::milliseconds>(SteadyClock::now() - begin).count();
    if (got == EngineProcess::Read::Timeout) {
      healthy_ = false;  // it may still answer later; a fresh engine plays the next game
      r.kind = Reply::Kind::Timeout;
      return r;
    }
    if (got == EngineProcess::Read::Closed) {
      healthy_ = false;
      r.kind = Reply::Kind::Crash;
      r.text = "the engine died while thinking";
      return r;
    }
    if (line.rfind("info ", 0) == 0) {
      if (std::string s = scoreOf(line); !s.empty()) r.score = std::move(s);
      continue;
    }
    const std::vector<std::string> w = words(line);
    if (w.empty() || w[0] != "bestmove") continue;
    if (w.size() < 2) {
      r.kind = Reply::Kind::Garbage;
      r.text = "bestmove without a move";
      return r;
    }
    r.text = w[1];
    r.kind = r.text == "resign" ? Reply::Kind::Resign : r.text == "win" ? Reply::Kind::Win : Reply::Kind::Move;
    return r;
  }
}

void UsiPlayer::gameOver(const std::string& result) {
  if (healthy_) process_.send("gameover " + result);
}

}  // namespace zelk::match
