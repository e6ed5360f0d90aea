// Turning a fuzzer's bytes into the inputs of the core: UTF-16 text two
// bytes a unit, and integers taken from the front.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>

namespace peekbar::fuzz {

class Input {
 public:
  Input(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}

  bool Empty() const { return size_ == 0; }

  template <typename T>
  T Take() {
    T value{};
    const std::size_t n = size_ < sizeof(T) ? size_ : sizeof(T);
    std::memcpy(&value, data_, n);
    data_ += n;
    size_ -= n;
    return value;
  }

  // At most `maxUnits` UTF-16 units, two bytes each.
  std::u16string Text(std::size_t maxUnits) {
    std::u16string text;
    while (size_ >= 2 && text.size() < maxUnits) text.push_back(Take<char16_t>());
    return text;
  }

  // At most `maxUnits` units, each byte picking one of `alphabet`.
  std::u16string TextOf(std::u16string_view alphabet, std::size_t maxUnits) {
    std::u16string text;
    const std::size_t n = Take<std::uint8_t>() % (maxUnits + 1);
    for (std::size_t i = 0; i < n && size_ > 0; ++i) text.push_back(alphabet[Take<std::uint8_t>() % alphabet.size()]);
    return text;
  }

 private:
  const std::uint8_t* data_;
  std::size_t size_;
};

}  // namespace peekbar::fuzz
