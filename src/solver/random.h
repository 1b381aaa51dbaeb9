// The random source every layer draws from: an interface so that tests seed or script it.
#pragma once

#include <cstdint>
#include <random>

namespace sudoku {

class Random {
 public:
  virtual ~Random() = default;
  // A whole number drawn uniformly from lo to hi, both included (lo <= hi).
  virtual int Next(int lo, int hi) = 0;
};

// A Mersenne twister seeded once; the program's real source and the tests' reproducible one.
class SeededRandom : public Random {
 public:
  explicit SeededRandom(std::uint64_t seed) : engine_(seed) {}
  int Next(int lo, int hi) override { return std::uniform_int_distribution<int>(lo, hi)(engine_); }

 private:
  std::mt19937_64 engine_;
};

}  // namespace sudoku
