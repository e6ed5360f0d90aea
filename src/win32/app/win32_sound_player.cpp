#include "win32/app/win32_sound_player.h"

#include <mmsystem.h>

#include <string>

#include "win32/app/wide.h"

namespace peekbar::win32 {
namespace {

MCIERROR Send(const wchar_t* command, HWND notified = nullptr) {
  return mciSendStringW(command, nullptr, 0, notified);
}

}  // namespace

bool Win32SoundPlayer::Open(const std::u16string& path) {
  const std::wstring open = L"open \"" + WideString(path) + L"\" alias cmd_sound";
  if (Send(open.c_str()) != 0) return false;
  Send(L"setaudio cmd_sound volume to 1000");
  return true;
}

void Win32SoundPlayer::PlayFromStart() {
  Send(L"stop cmd_sound");
  Send(L"seek cmd_sound to start");
  // "notify": the main window hears of the end (MM_MCINOTIFY).
  Send(L"play cmd_sound notify", shell_.MainWindow());
}

void Win32SoundPlayer::Close() { Send(L"close cmd_sound"); }

}  // namespace peekbar::win32
