// The four scrambling methods: groups of bytes per character of the working text, then filler.
#include "storage/line_cipher.h"

#include <cstddef>
#include <string>
#include <string_view>

namespace sudoku {
namespace {

constexpr std::size_t kEncipheredLimit = 256;  // characters of the working text enciphered

struct MethodShape {
  std::size_t groupSize;
  std::size_t fillerThreshold;
  int fillerFrom, fillerTo;
};

constexpr MethodShape kShapes[] = {
    {5, 160, 170, 229},
    {4, 110, 180, 229},
    {5, 160, 170, 229},
    {5, 215, 180, 229},
};

char Byte(int value) {
  return static_cast<char>(static_cast<unsigned char>(value & 0xFF));
}
int Value(char byte) {
  return static_cast<unsigned char>(byte);
}
int RandomByte(Random& random) {
  return random.Next(1, 254);
}

// A number in decimal, with a leading "0" below 10: "07", "42", "123".
std::string Decimal(std::size_t number) {
  return (number < 10 ? "0" : "") + std::to_string(number);
}

std::string WorkingText(const std::string& plain, int method, Random& random) {
  std::string text;
  if (method == 4) {
    const int junk = random.Next(1, 29);
    text += Decimal(static_cast<std::size_t>(junk));
    for (int i = 0; i < junk; ++i) text += Byte(random.Next(1, 253));
  }
  return text + Decimal(plain.size()) + plain;
}

void AppendGroup(std::string& body, int c, int method, Random& random) {
  if (method == 1) {
    const int r1 = RandomByte(random), k = RandomByte(random), r3 = RandomByte(random);
    const int r5 = RandomByte(random);
    for (int b : {r1, k, r3, c + k, r5}) body += Byte(b);
  } else if (method == 2) {
    const int a = RandomByte(random), b = RandomByte(random), r3 = RandomByte(random);
    for (int v : {a, b, r3, c - a - b}) body += Byte(v);
  } else {
    const int a = RandomByte(random), b = RandomByte(random), d = RandomByte(random);
    const int e = RandomByte(random);
    for (int v : {a, b, d, e, c + a + b - d - e}) body += Byte(v);
  }
}

int DecodeGroup(std::string_view group, int method) {
  const auto b = [&](std::size_t i) { return Value(group[i - 1]); };
  switch (method) {
    case 1:
      return (b(4) - b(2)) & 0xFF;
    case 2:
      return (b(4) + b(1) + b(2)) & 0xFF;
    default:
      return (b(5) - b(1) - b(2) + b(3) + b(4)) & 0xFF;
  }
}

// Walks the groups of a body from the front.
class GroupReader {
 public:
  GroupReader(std::string_view body, int method)
      : body_(body), method_(method), size_(kShapes[method - 1].groupSize) {}

  std::string Decode(std::size_t count) {
    if (count > Remaining()) throw MalformedLine("enciphered line has too few groups");
    std::string text;
    for (std::size_t i = 0; i < count; ++i) {
      text += Byte(DecodeGroup(body_.substr(next_, size_), method_));
      next_ += size_;
    }
    return text;
  }

  std::size_t DecodeNumber() {
    const std::string digits = Decode(2);
    for (char d : digits) {
      if (d < '0' || d > '9') throw MalformedLine("enciphered line has a non-decimal length");
    }
    return static_cast<std::size_t>((digits[0] - '0') * 10 + (digits[1] - '0'));
  }

  void Skip(std::size_t count) {
    if (count > Remaining()) throw MalformedLine("enciphered line has too few groups");
    next_ += count * size_;
  }

 private:
  std::size_t Remaining() const { return (body_.size() - next_) / size_; }

  std::string_view body_;
  int method_;
  std::size_t size_;
  std::size_t next_ = 0;
};

// The method code: the first two characters as a decimal number. A shorter line has none, so a
// record cut down to one byte does not pass for a line of some unknown method.
int MethodCode(const std::string& line) {
  if (line.size() < 2) throw MalformedLine("enciphered line has no method code");
  const std::string code = line.substr(0, 2);
  int method = 0;
  for (char d : code) {
    if (d < '0' || d > '9') throw MalformedLine("enciphered line has a non-decimal method code");
    method = method * 10 + (d - '0');
  }
  return method;
}

}  // namespace

bool EncipherLine(std::string& line, int method, Random& random) {
  if (method < 1 || method > 4) return true;
  const MethodShape& shape = kShapes[method - 1];
  const std::string text = WorkingText(line, method, random);
  std::string body;
  for (std::size_t i = 0; i < text.size() && i < kEncipheredLimit; ++i) {
    AppendGroup(body, Value(text[i]), method, random);
  }
  if (body.size() < shape.fillerThreshold) {
    const auto target = static_cast<std::size_t>(random.Next(shape.fillerFrom, shape.fillerTo));
    while (body.size() < target) body += Byte(RandomByte(random));
  }
  line = Decimal(static_cast<std::size_t>(method)) + body;
  return true;
}

bool DecipherLine(std::string& line) {
  const int method = MethodCode(line);
  if (method < 1 || method > 4) return true;
  GroupReader groups(std::string_view(line).substr(2), method);
  if (method == 4) groups.Skip(groups.DecodeNumber());
  const std::size_t length = groups.DecodeNumber();
  line = groups.Decode(length);
  return true;
}

}  // namespace sudoku
