#include "scene.h"

#include <array>
#include <string_view>

namespace peekbar::bench {
namespace {

std::u16string Number(std::size_t n) { return Utf16FromUtf8(std::to_string(n)); }

FakeWindow Window(std::size_t index, std::u16string title, std::u16string className) {
  FakeWindow w;
  w.name = std::to_string(index);
  w.name.insert(0, 1, 'w');
  w.title = std::move(title);
  w.className = std::move(className);
  w.rect = {100 + static_cast<std::int32_t>(index % 37) * 10, 80, 900, 700};
  return w;
}

// What fills a desktop, none of it matched by a keyword.
FakeWindow Filler(std::size_t i) {
  static constexpr std::array<std::u16string_view, 12> kPages = {
      u"ニュース - Yahoo!ニュース",
      u"GitHub - peekbar/peekbar: Pull requests",
      u"天気予報 | 日本気象協会",
      u"Stack Overflow - Where Developers Learn, Share, & Build Careers",
      u"Amazon.co.jp: 本",
      u"YouTube",
      u"cppreference.com - std::basic_regex",
      u"Google 翻訳",
      u"経費精算システム ログイン",
      u"Wikipedia - 東京都",
      u"社内ポータル | お知らせ一覧",
      u"Microsoft 365 - サインイン",
  };
  switch (i % 16) {
    case 0: case 1: case 2: case 3: case 4:
      return Window(i, std::u16string(kPages[(i / 16) % kPages.size()]) + u" (" + Number(i) +
                           u") と他 " + Number(i % 7) + u" ページ - 個人 - Microsoft Edge",
                    u"Chrome_WidgetWin_1");
    case 5: return Window(i, u"Default IME", u"IME");
    case 6: return Window(i, u"MSCTFIME UI", u"MSCTFIME UI");
    case 7: return Window(i, u"", u"tooltips_class32");
    case 8: return Window(i, u"GDI+ Window (explorer.exe)", u"GDI+ Hook Window Class");
    case 9: return Window(i, u"Windows 入力エクスペリエンス", u"Windows.UI.Core.CoreWindow");
    case 10: return Window(i, u"設定", u"ApplicationFrameWindow");
    case 11: return Window(i, u"", u"CiceroUIWndFrame");
    case 12: return Window(i, u"NVIDIA GeForce Overlay", u"CEF-OSC-WIDGET");
    case 13: return Window(i, u"見積書_第" + Number(i) + u"版.docx - Word", u"OpusApp");
    case 14: return Window(i, u"BluetoothNotificationAreaIconWindowClass",
                           u"BluetoothNotificationAreaIconWindowClass");
    default:
      // A long title, cut to 127 units as the system cuts it.
      return Window(i, u"【定例】プロジェクト進捗確認ミーティング 第" + Number(i) +
                           u"回 議題一覧と前回の宿題事項についての確認および今後のスケジュール調整に関するご相談"
                           u"（資料は共有フォルダーの最新版を参照） - OneDrive - 株式会社サンプル - 仕事 - Microsoft Edge",
                    u"Chrome_WidgetWin_1");
  }
}

}  // namespace

void AddTwoMonitors(AppHarness& harness) {
  harness.AddMonitor(Rect{0, 0, 1920, 1080});
  harness.AddMonitor(Rect{1920, 0, 3200, 1024});
}

std::vector<FakeWindow> DesktopWindows(std::size_t count) {
  std::vector<FakeWindow> windows;
  windows.reserve(count);
  for (std::size_t i = 0; i < count; ++i) windows.push_back(Filler(i));
  // The few windows the keywords are after, at depths spread over the list.
  const auto place = [&](std::size_t permille, std::u16string title, std::u16string className) {
    const std::size_t i = count * permille / 1000;
    if (i < count) windows[i] = Window(i, std::move(title), std::move(className));
  };
  place(150, u"議事録_2024-05-13.txt - メモ帳", u"Notepad");
  place(400, u"main.cpp - peekbar - Visual Studio Code", u"Chrome_WidgetWin_1");
  place(620, u"(無題) - メモ帳", u"Notepad");
  place(870, u"受信トレイ - user@example.jp - Outlook", u"rctrl_renwnd32");
  place(990, u"電卓", u"ApplicationFrameWindow");
  return windows;
}

void AddInZOrder(FakeDesktop& desktop, const std::vector<FakeWindow>& windows) {
  // Each new window goes on top: add from the bottom up.
  for (auto it = windows.rbegin(); it != windows.rend(); ++it) desktop.AddWindow(*it);
}

const std::vector<Keyword>& KeywordSet() {
  static const std::vector<Keyword> kKeywords = {
      // Monitor 1
      {u"*メモ帳*", false},
      {u".*Notepad.*", true},
      {u"* - Visual Studio Code（Chrome_WidgetWin_1）", false},
      {u"^\\(無題\\).*", true},
      {u"*.txt*", false},
      {u".*- Google Chrome（Chrome_WidgetWin_1）", true},
      {u"*Slack*", false},
      {u"(.*)Mozilla Firefox（MozillaWindowClass）", true},
      {u"*Outlook*", false},
      {u".*\\.(log|txt|md) - .*", true},
      {u"電卓（ApplicationFrameWindow）", false},
      {u"Microsoft Teams.*", true},
      {u"*（CabinetWClass）", false},
      {u".*（ConsoleWindowClass）", true},
      {u"*メ?帳*", false},
      {u"^.*\\b[Ss]potify\\b.*$", true},
      // Monitor 2
      {u"タスク マネージャー（TaskManagerWindow）", false},
      {u".*Visual Studio (Code|2022).*", true},
      {u"*ターミナル*", false},
      {u"(?:.* - )?Obsidian.*", true},
      {u"*（mintty）", false},
      {u".*[0-9]{4}-[0-9]{2}-[0-9]{2}.*", true},
      {u"*Thunderbird*", false},
      {u"\\S+ - KeePassXC.*", true},
      {u"?*（Notepad++）", false},
      {u".*(Zoom|Webex) Meeting.*", true},
      {u"*議事録*", false},
      {u".*受信トレイ.*", true},
      {u"* - メモ帳（Notepad）", false},
      {u"WinSCP.*", true},
      {u"*Excel*", false},
      {u"[^（]*Slack（Chrome_WidgetWin_1）", true},
  };
  return kKeywords;
}

}  // namespace peekbar::bench
