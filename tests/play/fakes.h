// Fakes of the play ports for tests: they record what the behaviour asked and answer from
// scripts. Header-only so that any test folder can include "play/fakes.h".
#pragma once

#include <deque>
#include <filesystem>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "play/game.h"
#include "play/ports.h"
#include "solver/random.h"
#include "storage/storage_test_support.h"

namespace sudoku::testing {

using test::ReadBytes;
using test::WriteBytes;

struct ShownMessage {
  BoxKind kind;
  std::string text;
  bool operator==(const ShownMessage&) const = default;
};
using Messages = std::vector<ShownMessage>;

class FakeDialogs : public Dialogs {
 public:
  std::vector<ShownMessage> messages;
  std::vector<std::string> confirmations;  // texts of the Yes/No boxes shown
  std::deque<bool> confirmAnswers;         // next answers; Yes when empty
  std::vector<std::string> questions;      // texts of the Yes/No/Cancel boxes shown
  std::deque<Answer> questionAnswers;      // next answers; No when empty
  std::vector<std::string> inputPrompts;
  std::deque<std::optional<std::string>> inputAnswers;  // nullopt = cancel; cancel when empty
  std::vector<std::filesystem::path> openDirectories;
  std::deque<std::optional<std::filesystem::path>> openAnswers;  // cancel when empty
  std::deque<std::string> loginAnswers;                          // "noconnect" when empty
  int loginShown = 0;
  std::function<void()> whileLoginShown;  // runs while the login window is up

  void Message(BoxKind kind, const std::string& text) override { messages.push_back({kind, text}); }
  bool Confirm(const std::string& text) override {
    confirmations.push_back(text);
    return Pop(confirmAnswers, true);
  }
  Answer AskYesNoCancel(const std::string& text) override {
    questions.push_back(text);
    return Pop(questionAnswers, Answer::No);
  }
  std::string InputBox(const std::string& caption, const std::string& prompt,
                       const std::string& proposed) override {
    inputPrompts.push_back(caption + "|" + prompt);
    std::optional<std::string> answer = Pop(inputAnswers, std::optional<std::string>());
    return answer ? *answer : proposed;
  }
  std::optional<std::filesystem::path> OpenFile(const std::filesystem::path& directory) override {
    openDirectories.push_back(directory);
    return Pop(openAnswers, std::optional<std::filesystem::path>());
  }
  std::string ShowLogin() override {
    ++loginShown;
    if (whileLoginShown) whileLoginShown();
    return Pop(loginAnswers, std::string("noconnect"));
  }
  void ShowAbout() override {}

  // The text of the only message shown so far, or "" when there is not exactly one.
  std::string OnlyMessage() const { return messages.size() == 1 ? messages[0].text : ""; }

 private:
  template <class T>
  static T Pop(std::deque<T>& queue, T fallback) {
    if (queue.empty()) return fallback;
    T value = queue.front();
    queue.pop_front();
    return value;
  }
};

struct FilledRect {
  std::string grid;
  Rect rect;
  Rgb colour;
  bool operator==(const FilledRect&) const = default;
};

class FakeEffects : public Effects {
 public:
  std::vector<std::filesystem::path> sounds;
  std::vector<FilledRect> fills;
  std::vector<int> pauses;
  bool focusAccepted = true;
  // Events in order, for tests of sequences: "sound", "fill <grid>", "clear <grid>[ cell]",
  // "pause <ms>", "focus <name>".
  std::vector<std::string> log;

  void PlaySound(const std::filesystem::path& path) override {
    sounds.push_back(path);
    log.push_back("sound");
  }
  // The grids by their controls' names, as the tests' expectations write them.
  static std::string NameOf(GridId grid) {
    return grid == GridId::Candidates ? "UAgrid" : "sudokugrid";
  }
  void FillRect(GridId grid, const Rect& rect, const Rgb& colour) override {
    fills.push_back({NameOf(grid), rect, colour});
    log.push_back("fill " + NameOf(grid));
  }
  void ClearFills(GridId grid, const std::optional<Rect>& area) override {
    log.push_back("clear " + NameOf(grid) + (area ? " cell" : ""));
  }
  void Pause(int ms) override {
    pauses.push_back(ms);
    log.push_back("pause " + std::to_string(ms));
  }
  bool SetFocus(const std::string& control) override {
    log.push_back("focus " + control);
    return focusAccepted;
  }
  void Announce(const std::string&) override {}
};

class FakeClock : public Clock {
 public:
  DateTime now{2026, 12, 6, 18, 20, 41, 0};
  DateTime Now() override { return now; }
};

class FakeSettings : public SettingsStore {
 public:
  std::map<std::pair<std::string, std::string>, std::string> values;

  std::optional<std::string> Read(const std::string& key, const std::string& name) override {
    auto found = values.find({key, name});
    if (found == values.end()) return std::nullopt;
    return found->second;
  }
  bool Write(const std::string& key, const std::string& name, const std::string& value) override {
    values[{key, name}] = value;
    return true;
  }
};

// A Game wired to fresh fakes and RandomSource, with CartellaBase a new scratch directory whose
// name holds name, and temi its library folder, made empty.
template <class RandomSource>
struct BasicGameFixture {
  FakeDialogs dialogs;
  FakeEffects effects;
  FakeClock clock;
  RandomSource random;
  FakeSettings settings;
  Game game{Ports{dialogs, effects, clock, random, settings}};
  test::TempFolder folder;
  std::filesystem::path base = folder.Path();
  std::filesystem::path temi = base / "temi";

  explicit BasicGameFixture(const std::string& name) : folder("sudoku-play-" + name) {
    std::filesystem::create_directories(temi);
    game.CartellaBase = base;
  }
};

struct FixedSeedRandom : SeededRandom {
  FixedSeedRandom() : SeededRandom(12345) {}
};

struct GameFixture : BasicGameFixture<FixedSeedRandom> {
  explicit GameFixture(const std::string& name = "game") : BasicGameFixture(name) {}
};

}  // namespace sudoku::testing
