// The notification-icon record in its 88-byte ANSI layout, as Shell_NotifyIconA takes it.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace kepa {

inline constexpr std::uint32_t NIM_ADD = 0;
inline constexpr std::uint32_t NIM_MODIFY = 1;
inline constexpr std::uint32_t NIM_DELETE = 2;
inline constexpr std::uint32_t NIF_MESSAGE = 1;
inline constexpr std::uint32_t NIF_ICON = 2;
inline constexpr std::uint32_t NIF_TIP = 4;

// Mouse message numbers that the icon's callbacks carry.
inline constexpr std::uint32_t WM_MOUSEMOVE = 0x200;      // 512
inline constexpr std::uint32_t WM_LBUTTONDOWN = 0x201;    // 513
inline constexpr std::uint32_t WM_LBUTTONUP = 0x202;      // 514
inline constexpr std::uint32_t WM_LBUTTONDBLCLK = 0x203;  // 515
inline constexpr std::uint32_t WM_RBUTTONDOWN = 0x204;    // 516
inline constexpr std::uint32_t WM_RBUTTONUP = 0x205;      // 517
inline constexpr std::uint32_t WM_MBUTTONDOWN = 0x207;    // 519

struct NOTIFYICONDATA {
  std::uint32_t cbSize = 0;
  std::uint32_t hWnd = 0;
  std::uint32_t uID = 0;
  std::uint32_t uFlags = 0;
  std::uint32_t uCallbackMessage = 0;
  std::uint32_t hIcon = 0;
  std::array<char, 64> szTip{};
};
static_assert(sizeof(NOTIFYICONDATA) == 88, "the record must have the 88-byte ANSI layout");

// A fixed-length string of N characters: the text left-aligned, the rest filled with spaces,
// longer text cut at N.
template <std::size_t N>
[[nodiscard]] std::array<char, N> fixedString(std::string_view text) {
  std::array<char, N> field;
  field.fill(' ');
  text.copy(field.data(), N);
  return field;
}

// The tip as the shell shows it: the field up to its first NUL.
[[nodiscard]] inline std::string tipText(const NOTIFYICONDATA& record) {
  const std::string_view field(record.szTip.data(), record.szTip.size());
  return std::string(field.substr(0, field.find('\0')));
}

}  // namespace kepa
